#pragma once

#include <QStringView>

#include <vector>

// Plain substring search (exact UTF-16 code units) tuned for the panel's search: long runs of text
// scanned for short words.
namespace TextSearch {

// Index of the first occurrence of `needle` in `haystack` at or after `from` (0 or more); -1 when
// there is none. An empty needle is found at `from`.
qsizetype indexOf(QStringView haystack, QStringView needle, qsizetype from = 0) noexcept;

// Appends to `found`, in order, the index of every text of a run that contains `needle`. The texts
// lie back to back in `run`, each followed by U+0000; text i ends at ends[i] (count of them, the last
// ending at the end of the run). `needle` must be non-empty and free of U+0000, so that no match
// runs over from one text into the next. Only texts first to count - 1 are looked at.
void textsContaining(QStringView run, const quint32 *ends, qsizetype first, qsizetype count, QStringView needle,
                     std::vector<qsizetype> &found);
inline void textsContaining(QStringView run, const quint32 *ends, qsizetype count, QStringView needle,
                            std::vector<qsizetype> &found)
{
    textsContaining(run, ends, 0, count, needle, found);
}

} // namespace TextSearch
