#pragma once

#include <QString>
#include <QStringView>

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>
#include <utility>

// Packs many immutable texts into a few large blocks instead of one allocation each. Every text it
// hands out is an ordinary QString that shares its block: copying it allocates nothing, the block
// lives as long as any of its texts, and changing a copy first detaches it, as with any shared
// QString. In the block every text is followed by U+0000, so utf16() is terminated and a search for
// a word without U+0000 cannot run from one text into the next.
class TextArena {
public:
    // `blockChars`: the size of each block, in characters; a longer text gets a block of its own size.
    explicit TextArena(qsizetype blockChars = 4096) : blockChars_(blockChars) {}

    // Room for a text of exactly `length` characters; write them, then take the text with commit().
    // Texts prepared one after another lie back to back while they fit in the current block.
    QChar *prepare(qsizetype length)
    {
        if (!base_ || capacity_ - used_ < length + 1)
            startBlock(length + 1);
        pending_ = length;
        return reinterpret_cast<QChar *>(base_ + used_);
    }

    // `length`: how many of the prepared characters were written, when fewer.
    QString commit(qsizetype length = -1)
    {
        if (length >= 0)
            pending_ = length;
        base_[used_ + pending_] = u'\0';
        // A second reference to the block, narrowed to the text. A Qt 6 QString's data pointer may point
        // anywhere inside its block (as after removing from the front); Qt copies such a string before
        // changing it while the block is shared, and keeps inside the block when it is not.
        QString::DataPointer text = block_.data_ptr();
        text.ptr = base_ + used_;
        text.size = pending_;
        used_ += pending_ + 1;
        pending_ = 0;
        return QString(std::move(text));
    }

    QString add(QStringView text);
    // Text given as UTF-8, converted as QString::fromUtf8 does.
    QString addUtf8(std::string_view utf8);
    // Several texts given as UTF-8, as one text: the present ones back to back in order, each but
    // the last followed by U+0000. `sizes` receives the size of each, in characters, -1 for an absent one.
    template <size_t N>
    QString addUtf8Run(const std::array<std::optional<std::string_view>, N> &parts, std::array<qsizetype, N> &sizes)
    {
        qsizetype room = -1;
        for (const auto &part : parts)
            room += part ? qsizetype(part->size()) + 1 : 0;
        char16_t *const start = reinterpret_cast<char16_t *>(prepare(std::max<qsizetype>(room, 0)));
        char16_t *out = start;
        bool first = true;
        for (size_t i = 0; i < N; ++i) {
            sizes[i] = -1;
            if (!parts[i])
                continue;
            if (!std::exchange(first, false))
                *out++ = u'\0';
            sizes[i] = widenUtf8(*parts[i], out);
            out += sizes[i];
        }
        return commit(out - start);
    }

private:
    // Writes `utf8` as UTF-16 to `out`, which has room for utf8.size() characters (never fewer than
    // it needs); returns how many it wrote.
    static qsizetype widenUtf8(std::string_view utf8, char16_t *out);
    void startBlock(qsizetype needed);

    qsizetype blockChars_;
    QString block_;             // holds one reference to the current block
    char16_t *base_ = nullptr;  // its characters
    qsizetype capacity_ = 0;
    qsizetype used_ = 0;
    qsizetype pending_ = 0;     // length of the prepared text
};
