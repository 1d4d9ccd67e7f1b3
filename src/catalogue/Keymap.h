#pragma once

#include "catalogue/ShortcutSection.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// One keymap of an application, usually the defaults of one platform.
struct Keymap {
    QString title;
    std::optional<QStringList> platforms;
    QList<ShortcutSection> sections;
};
