#pragma once

#include "catalogue/ShortcutEntry.h"

#include <QString>
#include <QStringView>
#include <optional>

// One row the selection can move over. The same shortcut in the Favourites section and in its
// application's section is two rows.
struct NavRef {
    QString sectionID;
    ShortcutEntry entry;

    // Identifies the row across rebuilds: section id, "#", entry id.
    QString rowKey() const { return sectionID + QLatin1Char('#') + entry.id(); }
    // rowKey() == key, without building the key.
    bool hasRowKey(QStringView key) const
    {
        const std::optional<QStringView> id = entryIdIn(key, sectionID);
        return id && entry.hasId(*id);
    }
    // The entry id of a row key of the section `sectionId`; none when the key is of another section.
    static std::optional<QStringView> entryIdIn(QStringView key, QStringView sectionId)
    {
        if (key.size() <= sectionId.size() || !key.startsWith(sectionId) || key.at(sectionId.size()) != QLatin1Char('#'))
            return std::nullopt;
        return key.sliced(sectionId.size() + 1);
    }

    friend bool operator==(const NavRef &a, const NavRef &b)
    {
        return a.sectionID == b.sectionID && a.entry == b.entry;
    }
    friend bool operator!=(const NavRef &a, const NavRef &b) { return !(a == b); }
};
