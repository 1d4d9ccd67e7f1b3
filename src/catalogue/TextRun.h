#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <optional>
#include <utility>

// A few texts of one record (a shortcut's title, key and comment) held as one reference to a shared
// block of characters, where they lie back to back, each followed by U+0000: an offset and a size
// each instead of a QString each. Texts a data file gives share the decoder's blocks; anything else
// gets a block of its own. Immutable: a change makes a new run.
class TextRun {
public:
    static constexpr int Slots = 3;
    using Texts = std::array<std::optional<QStringView>, Slots>;
    // The sizes of the texts of a run, -1 for an absent one.
    using Sizes = std::array<qsizetype, Slots>;

    // Every text absent.
    TextRun() = default;
    // A copy of `texts` in a block of its own.
    explicit TextRun(const Texts &texts);
    // Shares the block of `run`, which holds the present texts of `sizes` in slot order, each but
    // the last followed by U+0000 (the block always has U+0000 after a QString's last character).
    TextRun(const QString &run, const Sizes &sizes);

    TextRun(const TextRun &other) noexcept : d_(other.d_), offset_(other.offset_), sizes_(other.sizes_)
    {
        if (d_)
            d_->ref();
    }
    TextRun(TextRun &&other) noexcept
        : d_(std::exchange(other.d_, nullptr)), offset_(other.offset_), sizes_(std::exchange(other.sizes_, noSizes()))
    {
    }
    TextRun &operator=(TextRun other) noexcept
    {
        std::swap(d_, other.d_);
        std::swap(offset_, other.offset_);
        std::swap(sizes_, other.sizes_);
        return *this;
    }
    ~TextRun() { release(); }

    bool has(int slot) const { return sizes_[size_t(slot)] != absent; }
    // Empty when absent.
    QStringView view(int slot) const;
    // Shares the block; copying it allocates nothing.
    std::optional<QString> text(int slot) const;
    // A run with the text of `slot` replaced, in a block of its own.
    TextRun with(int slot, std::optional<QStringView> text) const;

private:
    static constexpr quint32 absent = 0xffffffffu;
    static constexpr std::array<quint32, Slots> noSizes() { return {absent, absent, absent}; }

    const char16_t *start() const { return reinterpret_cast<const char16_t *>(d_) + offset_; }
    void release() noexcept;

    QArrayData *d_ = nullptr;
    quint32 offset_ = 0;  // of the first text, in characters from the block's header
    std::array<quint32, Slots> sizes_ = noSizes();
};
