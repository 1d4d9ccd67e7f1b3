#pragma once

#include <QSet>
#include <QString>

class DefaultsStore;

// The shortcuts the user marked, by entry id, kept in the defaults under "favoriteShortcutIDs".
// Ids that name no current entry are kept: a data file may come back.
class FavoritesStore {
public:
    static constexpr const char *key = "favoriteShortcutIDs";

    explicit FavoritesStore(DefaultsStore &defaults);
    FavoritesStore(const FavoritesStore &) = delete;
    FavoritesStore &operator=(const FavoritesStore &) = delete;

    bool contains(const QString &id) const { return ids_.contains(id); }
    bool isEmpty() const { return ids_.isEmpty(); }
    // Adds the id if absent, removes it if present, then stores the whole set.
    void toggle(const QString &id);
    const QSet<QString> &ids() const { return ids_; }

private:
    DefaultsStore &defaults_;
    QSet<QString> ids_;
};
