#pragma once

#include <QStringView>

#include <vector>

// The search texts of one application's entries as one run of text, with where each ends: a search
// scans the run instead of visiting every entry.
struct SearchTexts {
    // Back to back in entry order, each followed by U+0000 (the last one's excluded), so that no match
    // of a word without U+0000 runs over from one text into the next. Views the entries' own texts.
    QStringView texts;
    // ends[i]: the offset just past the text of entry i.
    std::vector<quint32> ends;
    // What the texts of a stretch of entries have in common, so that a word found there needs no
    // scan of them: the application's name, lower-cased, is in every text; a section's title,
    // lower-cased, in the texts of its entries, which run from the previous section's end (0 for
    // the first) to just before its own. Both view the run itself (an empty section's title is
    // empty), so looking at them touches no other memory.
    struct Section {
        QStringView title;
        quint32 end;
    };
    QStringView name;
    std::vector<Section> sections;
};
