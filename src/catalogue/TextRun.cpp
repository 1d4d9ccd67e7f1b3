#include "catalogue/TextRun.h"

#include <algorithm>

TextRun::TextRun(const Texts &texts)
{
    qsizetype length = -1;
    for (const auto &text : texts) {
        if (text)
            length += text->size() + 1;
    }
    if (length < 0)
        return;
    if (length == 0) {
        // One empty text: nothing to hold.
        for (int slot = 0; slot < Slots; ++slot)
            sizes_[size_t(slot)] = texts[size_t(slot)] ? 0 : absent;
        return;
    }
    QString run(length, Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(run.data());
    Sizes sizes{};
    for (int slot = 0; slot < Slots; ++slot) {
        const std::optional<QStringView> &text = texts[size_t(slot)];
        sizes[size_t(slot)] = text ? text->size() : -1;
        if (!text)
            continue;
        out = std::copy(text->utf16(), text->utf16() + text->size(), out);
        if (out != reinterpret_cast<char16_t *>(run.data()) + length)
            *out++ = u'\0';
    }
    *this = TextRun(run, sizes);
}

TextRun::TextRun(const QString &run, const Sizes &sizes)
{
    QArrayData *d = const_cast<QString &>(run).data_ptr().d_ptr();
    if (!d) {
        // Static text (a literal, or an empty string) has no block to share.
        Texts texts;
        qsizetype at = 0;
        for (int slot = 0; slot < Slots; ++slot) {
            if (sizes[size_t(slot)] < 0)
                continue;
            texts[size_t(slot)] = QStringView(run).sliced(at, sizes[size_t(slot)]);
            at += sizes[size_t(slot)] + 1;
        }
        *this = TextRun(texts);
        return;
    }
    const auto at = reinterpret_cast<const char16_t *>(run.constData()) - reinterpret_cast<const char16_t *>(d);
    Q_ASSERT(at >= 0 && at < qsizetype(absent) && run.size() < qsizetype(absent));
    d_ = d;
    d_->ref();
    offset_ = quint32(at);
    for (int slot = 0; slot < Slots; ++slot)
        sizes_[size_t(slot)] = sizes[size_t(slot)] < 0 ? absent : quint32(sizes[size_t(slot)]);
}

void TextRun::release() noexcept
{
    if (d_ && !d_->deref())
        QTypedArrayData<char16_t>::deallocate(d_);
    d_ = nullptr;
}

QStringView TextRun::view(int slot) const
{
    if (!has(slot) || !d_)
        return {};
    const char16_t *text = start();
    for (int before = 0; before < slot; ++before) {
        if (sizes_[size_t(before)] != absent)
            text += sizes_[size_t(before)] + 1;
    }
    return QStringView(text, qsizetype(sizes_[size_t(slot)]));
}

std::optional<QString> TextRun::text(int slot) const
{
    if (!has(slot))
        return std::nullopt;
    if (!d_)
        return QString();
    const QStringView text = view(slot);
    d_->ref();
    return QString(QString::DataPointer(static_cast<QTypedArrayData<char16_t> *>(d_), const_cast<char16_t *>(text.utf16()),
                                        text.size()));
}

TextRun TextRun::with(int slot, std::optional<QStringView> text) const
{
    Texts texts;
    for (int i = 0; i < Slots; ++i)
        texts[size_t(i)] = i == slot ? text : (has(i) ? std::optional<QStringView>(view(i)) : std::nullopt);
    return TextRun(texts);
}
