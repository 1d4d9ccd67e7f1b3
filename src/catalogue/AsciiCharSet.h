#pragma once

#include <QStringView>
#include <QtGlobal>

// Which ASCII characters a text holds, in 16 bytes: enough to tell, without reading the text, that a
// word with an ASCII character the text lacks is not in it, and that a word of one such character is.
class AsciiCharSet {
public:
    enum class Holds { No, Yes, Unknown };

    AsciiCharSet() = default;
    explicit AsciiCharSet(QStringView text)
    {
        for (QChar c : text) {
            if (c.unicode() < 128)
                bits_[c.unicode() >> 6] |= quint64(1) << (c.unicode() & 63);
        }
    }

    bool contains(char16_t c) const { return c < 128 && ((bits_[c >> 6] >> (c & 63)) & 1); }

    // Whether the text holds `word` (not empty): what the characters alone tell.
    Holds holds(QStringView word) const
    {
        for (QChar c : word) {
            if (c.unicode() < 128 && !contains(c.unicode()))
                return Holds::No;
        }
        return word.size() == 1 && word.front().unicode() < 128 ? Holds::Yes : Holds::Unknown;
    }

private:
    quint64 bits_[2] = {0, 0};
};
