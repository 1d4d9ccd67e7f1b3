#include "panel/EntrySearch.h"

#include "catalogue/ShortcutStore.h"
#include "panel/TextSearch.h"

#include <algorithm>

namespace {

bool containsAll(QStringView text, const QStringList &words, qsizetype skip)
{
    for (qsizetype w = skip; w < words.size(); ++w) {
        if (TextSearch::indexOf(text, words.at(w)) < 0)
            return false;
    }
    return true;
}

// The search text of entry i of the run.
QStringView textAt(const SearchTexts &search, qsizetype i)
{
    const qsizetype start = i ? qsizetype(search.ends[size_t(i) - 1]) + 1 : 0;
    return search.texts.sliced(start, qsizetype(search.ends[size_t(i)]) - start);
}

// Appends to `found` the index of every entry whose search text contains all `words`, in order;
// or, when a single word is in what every text shares (the application's name), appends nothing and
// returns true: all of them match. `nameChars` are the characters of that name, which settle most
// words without reading it.
// `search` holds the texts of the list the entries are picked from, as one run: when the entries are
// that whole list, the run is scanned; else each entry's text is read from it, one by one.
bool findMatches(const EntryList &entries, const SearchTexts *search, const AsciiCharSet &nameChars,
                 const QStringList &words, std::vector<qsizetype> &found)
{
    const qsizetype count = entries.size();
    const bool whole = search && count == entries.source().size();
    const AsciiCharSet::Holds nameHolds = words.isEmpty() || words.constFirst().isEmpty()
        ? AsciiCharSet::Holds::Unknown
        : nameChars.holds(words.constFirst());
    // Decided by the name's characters alone, touching neither the entries nor their texts.
    if (whole && words.size() == 1 && nameHolds == AsciiCharSet::Holds::Yes)
        return true;
    const bool ofRun = search && qsizetype(search->ends.size()) == entries.source().size();
    // A word with U+0000 in it could run over a separator of the run.
    const bool scan = ofRun && whole && !search->sections.empty()
        && qsizetype(search->sections.back().end) == count && !words.isEmpty()
        && std::none_of(words.cbegin(), words.cend(),
                        [](const QString &word) { return word.isEmpty() || word.contains(QChar(0)); });
    if (!scan) {
        for (qsizetype i = 0; i < count; ++i) {
            if (containsAll(ofRun ? textAt(*search, entries.sourceIndex(i)) : entries.at(i).searchText(), words, 0))
                found.push_back(i);
        }
        return false;
    }
    const qsizetype before = qsizetype(found.size());
    const QString &word = words.constFirst();
    // Where the word is in what a stretch of texts shares, each text of it has the word.
    const auto takeAll = [&found](qsizetype from, qsizetype to) {
        for (qsizetype i = from; i < to; ++i)
            found.push_back(i);
    };
    if (nameHolds == AsciiCharSet::Holds::Yes
        || (nameHolds == AsciiCharSet::Holds::Unknown && TextSearch::indexOf(search->name, word) >= 0)) {
        if (words.size() == 1)
            return true;
        takeAll(0, count);
    } else {
        // Sections without the word in their title are scanned together, in one pass per stretch.
        qsizetype scanFrom = 0;
        qsizetype first = 0;
        for (const SearchTexts::Section &section : search->sections) {
            const auto end = qsizetype(section.end);
            if (end > first && TextSearch::indexOf(section.title, word) >= 0) {
                TextSearch::textsContaining(search->texts, search->ends.data(), scanFrom, first, word, found);
                takeAll(first, end);
                scanFrom = end;
            }
            first = end;
        }
        TextSearch::textsContaining(search->texts, search->ends.data(), scanFrom, count, word, found);
    }
    if (words.size() == 1)
        return false;
    const auto kept = std::remove_if(found.begin() + before, found.end(),
                                     [&](qsizetype i) { return !containsAll(textAt(*search, i), words, 1); });
    found.erase(kept, found.end());
    return false;
}

// The entries at `indices`: the list itself, shared, when that is all of them; else their positions
// in the stored list.
EntryList pick(const EntryList &entries, const std::vector<qsizetype> &indices)
{
    if (qsizetype(indices.size()) == entries.size())
        return entries;
    QList<quint32> positions;
    positions.reserve(qsizetype(indices.size()));
    for (qsizetype i : indices)
        positions.append(quint32(entries.sourceIndex(i)));
    return EntryList(entries.source(), std::move(positions));
}

// How often `word` occurs in `texts`.
qsizetype occurrences(const QList<QStringView> &texts, const QString &word)
{
    qsizetype count = 0;
    for (QStringView text : texts) {
        for (qsizetype at = TextSearch::indexOf(text, word); at >= 0; at = TextSearch::indexOf(text, word, at + 1))
            ++count;
    }
    return count;
}

} // namespace

QStringList EntrySearch::testOrder(QStringList words) const
{
    if (words.size() < 2)
        return words;
    // A sample of the catalogue's text: the start of the search texts of up to eight applications
    // spread over the list.
    const QList<AppShortcuts> &apps = store_.orderedApps();
    QList<QStringView> sample;
    const qsizetype step = qMax<qsizetype>(1, apps.size() / 8);
    for (qsizetype a = 0; a < apps.size() && sample.size() < 8; a += step) {
        if (const SearchTexts *texts = store_.searchTexts(apps.at(a).slug))
            sample.append(texts->texts.left(4096));
    }
    QList<std::pair<qsizetype, QString>> counted;
    for (const QString &word : words)
        counted.append({occurrences(sample, word), word});
    // Rarest first; between equally common words, the longer one.
    std::stable_sort(counted.begin(), counted.end(), [](const auto &a, const auto &b) {
        return a.first != b.first ? a.first < b.first : a.second.size() > b.second.size();
    });
    QStringList ordered;
    for (const auto &[count, word] : counted)
        ordered.append(word);
    return ordered;
}

void EntrySearch::begin(const QStringList &queryWords)
{
    words_ = testOrder(queryWords);
    narrowing_ = !words_.isEmpty() && !lastWords_.isEmpty()
        && std::all_of(lastWords_.cbegin(), lastWords_.cend(), [this](const QString &old) {
               return std::any_of(words_.cbegin(), words_.cend(), [&old](const QString &word) { return word.contains(old); });
           });
    found_.clear();
    foundAt_.clear();
    if (!words_.isEmpty()) {
        found_.reserve(store_.orderedEntries().size());
        foundAt_.assign(store_.orderedEntries().size(), -1);
    }
}

EntryList EntrySearch::entries(qsizetype ordered)
{
    const std::vector<ShortcutStore::OrderedEntries> &all = store_.orderedEntries();
    if (ordered < 0 || size_t(ordered) >= all.size() || size_t(ordered) >= foundAt_.size())
        return {};
    const ShortcutStore::OrderedEntries &stored = all[size_t(ordered)];
    const EntryList whole(stored.entries);
    const EntryList *pool = &whole;
    if (narrowing_ && size_t(ordered) < lastAt_.size() && lastAt_[size_t(ordered)] >= 0) {
        const EntryList &previous = last_[size_t(lastAt_[size_t(ordered)])];
        // Picked from this very list: positions mean another application once the store changed.
        if (previous.size() < stored.entries.size() && previous.source().constData() == stored.entries.constData())
            pool = &previous;
    }
    indices_.clear();
    EntryList matches = findMatches(*pool, stored.texts, stored.nameChars, words_, indices_) ? *pool : pick(*pool, indices_);
    if (foundAt_[size_t(ordered)] < 0) {
        foundAt_[size_t(ordered)] = qint32(found_.size());
        found_.push_back(matches);
    }
    return matches;
}

void EntrySearch::finish()
{
    lastWords_ = words_;
    last_ = std::move(found_);
    lastAt_ = std::move(foundAt_);
    found_.clear();
    foundAt_.clear();
}
