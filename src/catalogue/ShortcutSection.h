#pragma once

#include "catalogue/RawShortcut.h"

#include <QList>
#include <QString>
#include <optional>

// One titled group of shortcuts inside a keymap.
struct ShortcutSection {
    QString title;
    QList<RawShortcut> shortcuts;
    // Set only when `title` is the application's own translation: the title in English, for ids.
    std::optional<QString> englishTitle = {};
};
