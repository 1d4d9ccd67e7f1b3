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

// One shortcut row, ready for display. Built only by the catalogue; immutable. An entry is the block
// of the entries built with it and its place there, so lists of entries (sections, favourites,
// navigation) cost two words per row and nothing else is kept per entry.
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

    // The entries of every shortcut of `keymaps`, in order, built together: they share one block,
    // which keeps `keymaps` (shared, not copied) for their records; their search texts lie
    // back to back in one run of text, in entry order, each followed by U+0000 (searchTexts()); their
    // keys are parsed by `keyGroups` when first asked for, which they keep.
    static QList<ShortcutEntry> makeAll(std::shared_ptr<const AppInfo> app, const QList<Keymap> &keymaps,
                                        const std::shared_ptr<KeyGroupsCache> &keyGroups);

    ShortcutEntry(const ShortcutEntry &other) noexcept : block_(other.block_), index_(other.index_)
    {
        if (block_)
            block_->refs.ref();
    }
    ShortcutEntry(ShortcutEntry &&other) noexcept : block_(std::exchange(other.block_, nullptr)), index_(other.index_) {}
    ShortcutEntry &operator=(ShortcutEntry other) noexcept
    {
        std::swap(block_, other.block_);
        std::swap(index_, other.index_);
        return *this;
    }
    ~ShortcutEntry()
    {
        if (block_ && !block_->refs.deref())
            release(block_);
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
    QString title() const { return shortcut().title(); }
    std::optional<QString> rawKey() const { return shortcut().key(); }
    std::optional<QString> comment() const { return shortcut().comment(); }
    // The application's own name of the action, when the data file gives one.
    const std::optional<QString> &action() const { return shortcut().action(); }
    // How the user's configuration changed this shortcut; null when it did not.
    const Customisation *customisation() const { return shortcut().customisation(); }
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
    qsizetype searchIndex() const { return qsizetype(index_); }

    static QString makeId(const QString &slug, const QString &sectionTitle, const QString &title,
                          const std::optional<QString> &rawKey);

    friend bool operator==(const ShortcutEntry &a, const ShortcutEntry &b) { return (a.block_ == b.block_ && a.index_ == b.index_) || a.sameId(b); }
    friend bool operator!=(const ShortcutEntry &a, const ShortcutEntry &b) { return !(a == b); }

private:
    // What the entries built together share: the application, the keymaps, the sections, the search
    // texts and the key groups an entry's index leads to. It lives as long as any of them.
    struct Block;
    struct Shared {
        mutable QAtomicInt refs;
    };

    const Block &block() const;
    // The entry's record, and the index of its section among the block's, found from its index.
    const RawShortcut &shortcut() const;
    quint32 section() const;
    // The same, for an entry of section `section`, and the index of that section's first entry.
    const RawShortcut &shortcut(quint32 section) const;
    quint32 sectionStart(quint32 section) const;
    const AppInfo &app() const;
    // The four texts the id joins with "|".
    std::array<QStringView, 4> idParts() const;
    std::array<QStringView, 4> idParts(quint32 section) const;
    bool sameId(const ShortcutEntry &other) const;
    static void release(const Shared *block);

    ShortcutEntry(const Shared *block, quint32 index) noexcept : block_(block), index_(index) { block_->refs.ref(); }

    const Shared *block_;
    quint32 index_;  // among the entries of the block
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
