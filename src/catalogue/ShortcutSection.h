#pragma once

#include "catalogue/RawShortcut.h"

#include <QList>
#include <QString>

// One titled group of shortcuts inside a keymap.
struct ShortcutSection {
    QString title;
    QList<RawShortcut> shortcuts;
};
