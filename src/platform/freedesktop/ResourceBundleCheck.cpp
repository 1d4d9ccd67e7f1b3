#include "platform/freedesktop/ResourceBundleCheck.h"

#include "platform/freedesktop/GioHandles.h"

#include <QtEndian>

#include <cstring>

namespace {

constexpr std::size_t headerSize = 24;      // signature[2], version, options, root pointer
constexpr std::size_t hashHeaderSize = 8;   // bloom words, buckets
constexpr std::size_t itemSize = 24;        // hash, parent, key start, key size, type, unused, value
constexpr quint32 noParent = 0xffffffffu;

quint32 u32(const char *at)
{
    return qFromLittleEndian<quint32>(at);
}

class Checker {
public:
    Checker(const char *data, std::size_t size) : data_(data), size_(size) {}

    ResourceBundleCheck::Result run()
    {
        ResourceBundleCheck::Result result;
        result.error = check();
        result.length = end_;
        return result;
    }

private:
    // A pointer (start, end) at `at`, which must lie inside the bundle and start at `alignment`.
    bool pointer(const char *at, std::size_t alignment, std::size_t &start, std::size_t &end)
    {
        start = u32(at);
        end = u32(at + 4);
        if (start > end || end > size_ || start % alignment != 0)
            return false;
        end_ = std::max(end_, end);
        return true;
    }

    QString check()
    {
        if (size_ < headerSize || std::memcmp(data_, "GVariant", 8) != 0)
            return QStringLiteral("no resource bundle header");
        if (u32(data_ + 8) != 0)
            return QStringLiteral("unknown bundle version %1").arg(u32(data_ + 8));
        end_ = headerSize;
        std::size_t start = 0, end = 0;
        if (!pointer(data_ + 16, 4, start, end) || end - start < hashHeaderSize)
            return QStringLiteral("the entry table lies outside the bundle");
        const char *table = data_ + start;
        const std::size_t tableSize = end - start;
        const quint64 bloomWords = u32(table) & ((1u << 27) - 1);
        const quint64 buckets = u32(table + 4);
        const quint64 itemsAt = hashHeaderSize + 4 * (bloomWords + buckets);
        if (itemsAt > tableSize)
            return QStringLiteral("the entry table is cut short");
        const std::size_t count = std::size_t((tableSize - itemsAt) / itemSize);
        const char *items = table + itemsAt;
        for (std::size_t i = 0; i < count; ++i) {
            const QString error = item(items + i * itemSize, count);
            if (!error.isEmpty())
                return QStringLiteral("entry %1: %2").arg(i).arg(error);
        }
        return QString();
    }

    QString item(const char *at, std::size_t count)
    {
        const quint32 parent = u32(at + 4);
        if (parent != noParent && parent >= count)
            return QStringLiteral("parent outside the table");
        const std::size_t keyStart = u32(at + 8);
        const std::size_t keySize = qFromLittleEndian<quint16>(at + 12);
        if (keyStart > size_ || keySize > size_ - keyStart)
            return QStringLiteral("name outside the bundle");
        end_ = std::max(end_, keyStart + keySize);
        const char type = at[14];
        std::size_t start = 0, end = 0;
        switch (type) {
        case 'v': {
            if (!pointer(at + 16, 8, start, end))
                return QStringLiteral("value outside the bundle");
            return value(start, end);
        }
        case 'L':
            if (!pointer(at + 16, 4, start, end) || (end - start) % 4 != 0)
                return QStringLiteral("list outside the bundle");
            for (std::size_t i = start; i < end; i += 4) {
                if (u32(data_ + i) >= count)
                    return QStringLiteral("list names an entry outside the table");
            }
            return QString();
        default:
            // Other kinds (nested tables) are not part of a resource bundle; GIO never reads them.
            return QString();
        }
    }

    // A file entry: a variant holding (size, flags, bytes), in normal form, so that GIO's trusting
    // reading of it sees exactly this.
    QString value(std::size_t start, std::size_t end)
    {
        using Variant = GioHandles::Owned<GVariant>;
        Variant outer(g_variant_ref_sink(g_variant_new_from_data(G_VARIANT_TYPE_VARIANT, data_ + start, end - start,
                                                                 FALSE, nullptr, nullptr)));
        if (!g_variant_is_normal_form(outer.get()))
            return QStringLiteral("a value not in normal form");
        Variant inner(g_variant_get_variant(outer.get()));
        if (!g_variant_is_of_type(inner.get(), G_VARIANT_TYPE("(uuay)")))
            return QStringLiteral("a value of type %1").arg(QString::fromUtf8(g_variant_get_type_string(inner.get())));
        return QString();
    }

    const char *data_;
    std::size_t size_;
    std::size_t end_ = 0;
};

} // namespace

ResourceBundleCheck::Result ResourceBundleCheck::check(const char *data, std::size_t size)
{
    return Checker(data, size).run();
}

std::size_t ResourceBundleCheck::nextBundle(const char *data, std::size_t size, std::size_t length)
{
    for (std::size_t at = (length + 7) & ~std::size_t(7); at + headerSize <= size; at += 8) {
        if (std::memcmp(data + at, "GVariant", 8) == 0)
            return at;
    }
    return size;
}
