#pragma once

#include "catalogue/ShortcutEntry.h"

#include <QString>

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
        return key.size() > sectionID.size() && key.startsWith(sectionID) && key.at(sectionID.size()) == QLatin1Char('#')
            && entry.hasId(key.sliced(sectionID.size() + 1));
    }

    friend bool operator==(const NavRef &a, const NavRef &b)
    {
        return a.sectionID == b.sectionID && a.entry == b.entry;
    }
    friend bool operator!=(const NavRef &a, const NavRef &b) { return !(a == b); }
};
