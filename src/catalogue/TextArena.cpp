#include "catalogue/TextArena.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

void TextArena::startBlock(qsizetype needed)
{
    const qsizetype chars = std::max(blockChars_, needed);
    block_ = QString(chars, Qt::Uninitialized);
    // The only time the block is written through QString: it is not shared yet, so this does not copy.
    base_ = reinterpret_cast<char16_t *>(block_.data());
    capacity_ = chars;
    used_ = 0;
}

QString TextArena::add(QStringView text)
{
    std::copy(text.begin(), text.end(), prepare(text.size()));
    return commit();
}

QString TextArena::addUtf8(std::string_view utf8)
{
    char16_t *out = reinterpret_cast<char16_t *>(prepare(qsizetype(utf8.size())));
    return commit(widenUtf8(utf8, out));
}

qsizetype TextArena::widenUtf8(std::string_view utf8, char16_t *out)
{
    // Widen as if it were ASCII, noting on the way whether it was; if not, convert it properly.
    const auto *in = reinterpret_cast<const unsigned char *>(utf8.data());
    const size_t length = utf8.size();
    size_t i = 0;
    unsigned seen = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    for (; i + 16 <= length; i += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i *>(in + i));
        seen |= unsigned(_mm_movemask_epi8(bytes));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(out + i), _mm_unpacklo_epi8(bytes, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(out + i + 8), _mm_unpackhi_epi8(bytes, zero));
    }
#endif
    for (; i < length; ++i) {
        seen |= in[i] & 0x80u;
        out[i] = in[i];
    }
    if (!seen)
        return qsizetype(length);
    // UTF-16 never takes more characters than UTF-8 takes bytes.
    const QString converted = QString::fromUtf8(utf8.data(), qsizetype(length));
    std::copy(converted.utf16(), converted.utf16() + converted.size(), out);
    return converted.size();
}
