#pragma once

#include <QString>
#include <QStringView>

#include <string_view>

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

    QString commit()
    {
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

private:
    void startBlock(qsizetype needed);

    qsizetype blockChars_;
    QString block_;             // holds one reference to the current block
    char16_t *base_ = nullptr;  // its characters
    qsizetype capacity_ = 0;
    qsizetype used_ = 0;
    qsizetype pending_ = 0;     // length of the prepared text
};
