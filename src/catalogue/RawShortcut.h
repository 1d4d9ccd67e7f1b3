#pragma once

#include <QString>
#include <optional>

// One shortcut exactly as a data file states it.
struct RawShortcut {
    QString title;
    std::optional<QString> key;
    std::optional<QString> comment;
};
