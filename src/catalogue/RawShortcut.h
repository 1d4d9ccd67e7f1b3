#pragma once

#include "catalogue/Customisation.h"

#include <QString>
#include <memory>
#include <optional>

// One shortcut exactly as a data file states it.
struct RawShortcut {
    QString title;
    std::optional<QString> key;
    std::optional<QString> comment;
    // The application's own name for the action, linking the shortcut to the user's configuration.
    std::optional<QString> action = {};
    // Set only when the user's configuration changed or added this shortcut; never decoded.
    std::shared_ptr<const Customisation> customisation = {};
    // Set only when `title` is the application's own translation: the title in English, which the
    // shortcut's id keeps and search matches too.
    std::optional<QString> englishTitle = {};
};
