#pragma once

#include "catalogue/Keymap.h"
#include "keys/KeyNotation.h"

#include <QAtomicInt>
#include <QHashFunctions>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringView>
#include <array>
#include <memory>
#include <optional>
#include <utility>

class KeyGroupsCache;
struct SearchTexts;

// One shortcut row, ready for display. Built only by the catalogue; immutable. Copies share one
// record, so lists of entries (sections, favourites, navigation) cost a pointer per row.
// Two entries are equal when their ids are equal, whatever their other fields.
class ShortcutEntry {
public:
    // What every entry of one application shares.
    struct AppInfo {
        QString slug;
        QString name;
        std::optional<QString> bundleId;
        std::optional<QString> iconFile;
    };

    ShortcutEntry(std::shared_ptr<const AppInfo> app, const QString &sectionTitle, const QString &title,
                  const std::optional<QString> &rawKey, const std::optional<QString> &comment);

    // The entries of every shortcut of `keymaps`, in order, built together: their records share one
    // allocation and point into `keymaps` (shared, not copied) for their texts; their search texts lie
    // back to back in one run of text, in entry order, each followed by U+0000 (searchTexts()); their
    // keys are parsed by `keyGroups` when first asked for, which they keep.
    static QList<ShortcutEntry> makeAll(std::shared_ptr<const AppInfo> app, const QList<Keymap> &keymaps,
                                        const std::shared_ptr<KeyGroupsCache> &keyGroups);

    ShortcutEntry(const ShortcutEntry &other) noexcept : d_(other.d_)
    {
        if (d_)
            d_->block->refs.ref();
    }
    ShortcutEntry(ShortcutEntry &&other) noexcept : d_(std::exchange(other.d_, nullptr)) {}
    ShortcutEntry &operator=(ShortcutEntry other) noexcept
    {
        std::swap(d_, other.d_);
        return *this;
    }
    ~ShortcutEntry()
    {
        if (d_ && !d_->block->refs.deref())
            release(d_->block);
    }

    // slug|section title|title|key text — persisted as a favourite, so its form never changes. A
    // shortcut the user's configuration changed keeps the id of the data file's key; one that only
    // the user's configuration has gets "@" and its action in the key's place. Built when asked for:
    // only the rows on screen, the favourites and the selection need one.
    QString id() const;
    // id() == text, without building the id.
    bool hasId(QStringView text) const;
    // Those of `entries` whose id is one of `ids`, in order, without building their ids: an entry is
    // compared only when one of the ids names its application and section.
    static QList<ShortcutEntry> withIds(const QList<ShortcutEntry> &entries, const QSet<QString> &ids);
    const QString &appSlug() const { return app().slug; }
    const QString &appName() const { return app().name; }
    const std::optional<QString> &bundleId() const { return app().bundleId; }
    const std::optional<QString> &iconFile() const { return app().iconFile; }
    const QString &sectionTitle() const;
    QString title() const { return d_->shortcut->title(); }
    std::optional<QString> rawKey() const { return d_->shortcut->key(); }
    std::optional<QString> comment() const { return d_->shortcut->comment(); }
    // The application's own name of the action, when the data file gives one.
    const std::optional<QString> &action() const { return d_->shortcut->action(); }
    // How the user's configuration changed this shortcut; null when it did not.
    const Customisation *customisation() const { return d_->shortcut->customisation(); }
    bool isCustomised() const { return customisation() != nullptr; }
    // Parsed when first asked for.
    const KeyGroups &keyGroups() const;
    // Title, application name, section title, key text and comment, lower-cased, single spaces
    // between; then the English title when the title is a translation. A view into searchTexts(),
    // which lives as long as any entry built with this one.
    QStringView searchText() const;
    // The search texts of every entry built together with this one (one application's), as one run;
    // this entry's is number searchIndex() of it.
    const SearchTexts &searchTexts() const;
    qsizetype searchIndex() const { return qsizetype(d_->index); }

    static QString makeId(const QString &slug, const QString &sectionTitle, const QString &title,
                          const std::optional<QString> &rawKey);

    friend bool operator==(const ShortcutEntry &a, const ShortcutEntry &b) { return a.d_ == b.d_ || a.sameId(b); }
    friend bool operator!=(const ShortcutEntry &a, const ShortcutEntry &b) { return !(a == b); }

private:
    // What the entries built together share: the application, the keymaps, the sections, the search
    // texts and the key groups the pointers and indexes lead to. It lives as long as any of them.
    struct Block;
    struct Shared {
        mutable QAtomicInt refs;
    };
    struct Data {
        const Shared *block;
        const RawShortcut *shortcut;
        quint32 index;    // among the entries of the block
        quint32 section;  // among the block's sections
    };

    const Block &block() const;
    const AppInfo &app() const;
    // The four texts the id joins with "|".
    std::array<QStringView, 4> idParts() const;
    bool sameId(const ShortcutEntry &other) const;
    static void release(const Shared *block);

    explicit ShortcutEntry(const Data *data) noexcept : d_(data) { d_->block->refs.ref(); }

    const Data *d_;
};

Q_DECLARE_TYPEINFO(ShortcutEntry, Q_RELOCATABLE_TYPE);

inline size_t qHash(const ShortcutEntry &entry, size_t seed = 0) noexcept
{
    return qHash(entry.id(), seed);
}

template <>
struct std::hash<ShortcutEntry> {
    size_t operator()(const ShortcutEntry &entry) const noexcept { return qHash(entry.id()); }
};
