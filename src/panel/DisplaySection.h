#pragma once

#include "panel/EntryList.h"

#include <QList>
#include <QString>
#include <optional>

// One section of the panel: the Favourites or one application, with the rows it shows.
struct DisplaySection {
    static constexpr const char *favoritesId = "__favorites__";

    QString id;        // "__favorites__" or the application's slug; the key in the collapsed set
    QString appSlug;
    QString title;
    std::optional<QString> bundleId;
    std::optional<QString> iconFile;
    bool isActive = false;
    bool isFavorites = false;
    bool fromApplication = false;  // read from the application's own shortcuts window, not a data file
    EntryList entries;  // never empty in a built section
};
