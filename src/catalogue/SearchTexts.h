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
};
