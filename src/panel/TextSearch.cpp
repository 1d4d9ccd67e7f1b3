#include "panel/TextSearch.h"

#include <QtAlgorithms>

#if defined(__SSE2__)
#include <immintrin.h>
#endif

// With GCC or Clang on x86-64 the scan also comes in an AVX2 version, chosen at run time.
#if defined(__SSE2__) && defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define CORVANE_SEARCH_AVX2 1
#endif

namespace {

// Whether the k - 2 characters between the first and the last match (those two are already known to).
inline bool middleMatches(const char16_t *at, const char16_t *needle, qsizetype k) noexcept
{
    for (qsizetype j = 1; j + 1 < k; ++j) {
        if (at[j] != needle[j])
            return false;
    }
    return true;
}

qsizetype scalarIndexOf(const char16_t *h, qsizetype length, const char16_t *n, qsizetype k, qsizetype i) noexcept
{
    for (const qsizetype lastStart = length - k; i <= lastStart; ++i) {
        if (h[i] == n[0] && h[i + k - 1] == n[k - 1] && middleMatches(h + i, n, k))
            return i;
    }
    return -1;
}

// The first position of a block (two mask bits per position, from `base` on) where the whole needle
// matches; -1 when none does.
inline qsizetype firstMatch(unsigned mask, qsizetype base, const char16_t *h, const char16_t *n, qsizetype k) noexcept
{
    while (mask) {
        const unsigned bit = qCountTrailingZeroBits(mask);
        const qsizetype at = base + qsizetype(bit / 2);
        if (middleMatches(h + at, n, k))
            return at;
        mask &= ~(3u << bit);
    }
    return -1;
}

#if defined(__SSE2__)
// Eight positions at a time: where the first and the last character of the needle both match, the
// rest is compared. The last positions are taken as one more block overlapping the one before.
inline unsigned sse2Block(const char16_t *h, qsizetype i, qsizetype k, __m128i firsts, __m128i lasts) noexcept
{
    const __m128i atFirst = _mm_loadu_si128(reinterpret_cast<const __m128i *>(h + i));
    const __m128i atLast = _mm_loadu_si128(reinterpret_cast<const __m128i *>(h + i + k - 1));
    return unsigned(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi16(atFirst, firsts), _mm_cmpeq_epi16(atLast, lasts))));
}

qsizetype sse2IndexOf(const char16_t *h, qsizetype length, const char16_t *n, qsizetype k, qsizetype i) noexcept
{
    const qsizetype lastStart = length - k;
    if (lastStart < 7)
        return scalarIndexOf(h, length, n, k, i);
    const __m128i firsts = _mm_set1_epi16(short(n[0]));
    const __m128i lasts = _mm_set1_epi16(short(n[k - 1]));
    for (; i + 7 <= lastStart; i += 8) {
        if (const qsizetype at = firstMatch(sse2Block(h, i, k, firsts, lasts), i, h, n, k); at >= 0)
            return at;
    }
    if (i > lastStart)
        return -1;
    const qsizetype last = lastStart - 7;
    return firstMatch(sse2Block(h, last, k, firsts, lasts) & (~0u << (2 * (i - last))), last, h, n, k);
}
#endif

#if defined(CORVANE_SEARCH_AVX2)
// The same, sixteen positions at a time.
__attribute__((target("avx2"))) inline unsigned avx2Block(const char16_t *h, qsizetype i, qsizetype k, __m256i firsts,
                                                          __m256i lasts) noexcept
{
    const __m256i atFirst = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(h + i));
    const __m256i atLast = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(h + i + k - 1));
    return unsigned(_mm256_movemask_epi8(
        _mm256_and_si256(_mm256_cmpeq_epi16(atFirst, firsts), _mm256_cmpeq_epi16(atLast, lasts))));
}

__attribute__((target("avx2"))) qsizetype avx2IndexOf(const char16_t *h, qsizetype length, const char16_t *n,
                                                       qsizetype k, qsizetype i) noexcept
{
    const qsizetype lastStart = length - k;
    if (lastStart < 15)
        return sse2IndexOf(h, length, n, k, i);
    const __m256i firsts = _mm256_set1_epi16(short(n[0]));
    const __m256i lasts = _mm256_set1_epi16(short(n[k - 1]));
    for (; i + 15 <= lastStart; i += 16) {
        if (const qsizetype at = firstMatch(avx2Block(h, i, k, firsts, lasts), i, h, n, k); at >= 0)
            return at;
    }
    if (i > lastStart)
        return -1;
    const qsizetype last = lastStart - 15;
    return firstMatch(avx2Block(h, last, k, firsts, lasts) & (~0u << (2 * (i - last))), last, h, n, k);
}
#endif

// The texts of the run that contain the needle, from position pos (the start of text i) on, one
// character at a time.
void scalarContaining(const char16_t *h, const quint32 *ends, qsizetype count, const char16_t *n, qsizetype k,
                      qsizetype i, qsizetype pos, std::vector<qsizetype> &found) noexcept
{
    for (const qsizetype lastStart = qsizetype(ends[count - 1]) - k; i < count && pos <= lastStart;) {
        if (h[pos] == n[0] && h[pos + k - 1] == n[k - 1] && middleMatches(h + pos, n, k)) {
            while (ends[i] <= pos)
                ++i;
            found.push_back(i);
            pos = qsizetype(ends[i]) + 1;
            ++i;
        } else {
            ++pos;
        }
    }
}

#if defined(__SSE2__) || defined(CORVANE_SEARCH_AVX2)
// One block of `width` positions from `pos`, whose candidates (first and last character of the word
// in place) are the bit pairs of `mask`: the first candidate that matches whole counts its text,
// and the scan goes on with the next text; without one, with the next block.
inline qsizetype takeFirstMatch(unsigned mask, qsizetype pos, qsizetype width, const char16_t *h, const quint32 *ends,
                                const char16_t *n, qsizetype k, qsizetype &i, std::vector<qsizetype> &found) noexcept
{
    while (mask) {
        const unsigned bit = qCountTrailingZeroBits(mask);
        const qsizetype at = pos + qsizetype(bit / 2);
        mask &= ~(3u << bit);
        if (!middleMatches(h + at, n, k))
            continue;
        while (ends[i] <= at)
            ++i;
        found.push_back(i);
        return qsizetype(ends[i++]) + 1;
    }
    return pos + width;
}
#endif

#if defined(__SSE2__)
void sse2Containing(const char16_t *h, const quint32 *ends, qsizetype first, qsizetype count, const char16_t *n,
                    qsizetype k, std::vector<qsizetype> &found) noexcept
{
    const __m128i firsts = _mm_set1_epi16(short(n[0]));
    const __m128i lasts = _mm_set1_epi16(short(n[k - 1]));
    const qsizetype lastStart = qsizetype(ends[count - 1]) - k;
    qsizetype i = first;
    qsizetype pos = first ? qsizetype(ends[first - 1]) + 1 : 0;
    while (i < count && pos + 7 <= lastStart) {
        const __m128i atFirst = _mm_loadu_si128(reinterpret_cast<const __m128i *>(h + pos));
        const __m128i atLast = _mm_loadu_si128(reinterpret_cast<const __m128i *>(h + pos + k - 1));
        unsigned mask = unsigned(_mm_movemask_epi8(
            _mm_and_si128(_mm_cmpeq_epi16(atFirst, firsts), _mm_cmpeq_epi16(atLast, lasts))));
        pos = takeFirstMatch(mask, pos, 8, h, ends, n, k, i, found);
    }
    scalarContaining(h, ends, count, n, k, i, pos, found);
}
#endif

#if defined(CORVANE_SEARCH_AVX2)
__attribute__((target("avx2"))) void avx2Containing(const char16_t *h, const quint32 *ends, qsizetype first,
                                                     qsizetype count, const char16_t *n, qsizetype k,
                                                     std::vector<qsizetype> &found)
{
    const __m256i firsts = _mm256_set1_epi16(short(n[0]));
    const __m256i lasts = _mm256_set1_epi16(short(n[k - 1]));
    const qsizetype lastStart = qsizetype(ends[count - 1]) - k;
    qsizetype i = first;
    qsizetype pos = first ? qsizetype(ends[first - 1]) + 1 : 0;
    while (i < count && pos + 15 <= lastStart) {
        const __m256i atFirst = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(h + pos));
        const __m256i atLast = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(h + pos + k - 1));
        unsigned mask = unsigned(_mm256_movemask_epi8(
            _mm256_and_si256(_mm256_cmpeq_epi16(atFirst, firsts), _mm256_cmpeq_epi16(atLast, lasts))));
        pos = takeFirstMatch(mask, pos, 16, h, ends, n, k, i, found);
    }
    scalarContaining(h, ends, count, n, k, i, pos, found);
}
#endif

} // namespace

namespace TextSearch {

void textsContaining(QStringView run, const quint32 *ends, qsizetype first, qsizetype count, QStringView needle,
                     std::vector<qsizetype> &found)
{
    const qsizetype k = needle.size();
    if (first >= count || k == 0 || k > run.size())
        return;
    const char16_t *h = run.utf16();
    const char16_t *n = needle.utf16();
#if defined(CORVANE_SEARCH_AVX2)
    if (__builtin_cpu_supports("avx2"))
        return avx2Containing(h, ends, first, count, n, k, found);
#endif
#if defined(__SSE2__)
    sse2Containing(h, ends, first, count, n, k, found);
#else
    scalarContaining(h, ends, count, n, k, first, first ? qsizetype(ends[first - 1]) + 1 : 0, found);
#endif
}


qsizetype indexOf(QStringView haystack, QStringView needle, qsizetype from) noexcept
{
    const qsizetype length = haystack.size();
    const qsizetype k = needle.size();
    if (from < 0 || from > length || k > length - from)
        return -1;
    if (k == 0)
        return from;
    const char16_t *h = haystack.utf16();
    const char16_t *n = needle.utf16();
#if defined(CORVANE_SEARCH_AVX2)
    if (__builtin_cpu_supports("avx2"))
        return avx2IndexOf(h, length, n, k, from);
#endif
#if defined(__SSE2__)
    return sse2IndexOf(h, length, n, k, from);
#else
    return scalarIndexOf(h, length, n, k, from);
#endif
}

} // namespace TextSearch
