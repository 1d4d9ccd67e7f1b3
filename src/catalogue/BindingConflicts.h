#pragma once

#include "keys/KeyNotation.h"

#include <QString>
#include <optional>

class ShortcutStore;

// What an application (the desktop, usually) already does with a key combination, as the catalogue
// knows it: its shipped shortcuts with the user's own changes applied.
namespace BindingConflicts {

struct Conflict {
    QString appName;  // "GNOME Shell"
    QString title;    // "Switch to the previous input source"
};

// The first shortcut of the application known as `bundleId` whose keys are the one chord `chord`
// (the same keys, in any order). Shortcuts that run this program itself (the user's binding of
// `corvane --toggle`) are not conflicts.
std::optional<Conflict> find(const ShortcutStore &store, const QString &bundleId, const QStringList &chord);

} // namespace BindingConflicts
