#pragma once

#include "keys/KeyNotation.h"

#include <QHashFunctions>
#include <QString>
#include <memory>
#include <optional>

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

    // slug|section title|title|key text — persisted as a favourite, so its form never changes.
    const QString &id() const { return d->id; }
    const QString &appSlug() const { return d->app->slug; }
    const QString &appName() const { return d->app->name; }
    const std::optional<QString> &bundleId() const { return d->app->bundleId; }
    const std::optional<QString> &iconFile() const { return d->app->iconFile; }
    const QString &sectionTitle() const { return d->sectionTitle; }
    const QString &title() const { return d->title; }
    const std::optional<QString> &rawKey() const { return d->rawKey; }
    const std::optional<QString> &comment() const { return d->comment; }
    const KeyGroups &keyGroups() const { return d->keyGroups; }
    // Title, application name, section title, key text and comment, lower-cased, single spaces between.
    const QString &searchText() const { return d->searchText; }

    static QString makeId(const QString &slug, const QString &sectionTitle, const QString &title,
                          const std::optional<QString> &rawKey);

    friend bool operator==(const ShortcutEntry &a, const ShortcutEntry &b) { return a.id() == b.id(); }
    friend bool operator!=(const ShortcutEntry &a, const ShortcutEntry &b) { return !(a == b); }

private:
    struct Data {
        std::shared_ptr<const AppInfo> app;
        QString sectionTitle;
        QString title;
        std::optional<QString> rawKey;
        std::optional<QString> comment;
        QString id;
        KeyGroups keyGroups;
        QString searchText;
    };
    std::shared_ptr<const Data> d;
};

inline size_t qHash(const ShortcutEntry &entry, size_t seed = 0) noexcept
{
    return qHash(entry.id(), seed);
}

template <>
struct std::hash<ShortcutEntry> {
    size_t operator()(const ShortcutEntry &entry) const noexcept { return qHash(entry.id()); }
};
