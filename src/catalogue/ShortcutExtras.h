#pragma once

#include "catalogue/Customisation.h"

#include <QSharedData>
#include <QString>
#include <memory>
#include <optional>

// The fields of a shortcut that few shortcuts have, kept apart so that the others do not pay for
// them: a shortcut without any holds a null pointer instead. Shared between copies of a shortcut
// until one of them changes.
//
// A further optional text belongs here when it is rare too: say, a second title that the search
// also matches (appended to the entry's search text by ShortcutEntry::makeAll).
struct ShortcutExtras : QSharedData {
    std::optional<QString> comment;
    // The application's own name for the action, linking the shortcut to the user's configuration.
    std::optional<QString> action;
    // Set only when the user's configuration changed or added this shortcut; never decoded.
    std::shared_ptr<const Customisation> customisation;

    bool isEmpty() const { return !comment && !action && !customisation; }
};
