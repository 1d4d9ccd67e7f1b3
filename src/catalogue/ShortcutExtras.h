#pragma once

#include "catalogue/Customisation.h"

#include <QSharedData>
#include <QString>
#include <memory>
#include <optional>

// The fields of a shortcut that few shortcuts have, kept apart so that the others do not pay for
// them: a shortcut without any holds a null pointer instead. Shared between copies of a shortcut
// until one of them changes.
struct ShortcutExtras : QSharedData {
    // The application's own name for the action, linking the shortcut to the user's configuration.
    std::optional<QString> action;
    // Set only when the user's configuration changed or added this shortcut; never decoded.
    std::shared_ptr<const Customisation> customisation;
    // The title in English when the shortcut's title is the application's own translation.
    std::optional<QString> englishTitle;

    bool isEmpty() const { return !action && !customisation && !englishTitle; }
};
