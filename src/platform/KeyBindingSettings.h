#pragma once

#include "platform/AppBindings.h"

#include <QList>
#include <QStringList>
#include <functional>

// Key bindings a desktop keeps in its settings database rather than in files (GNOME's GSettings):
// the values the user set, and word when one of them changes.
class KeyBindingSettings {
public:
    virtual ~KeyBindingSettings() = default;

    // The bindings the user set, by application. Never blocks for long; a missing schema gives none.
    virtual QList<AppBindings> read() = 0;
    // `changed` runs on the main thread after any value read() reports (or could report) changes.
    virtual void setChangeHandler(std::function<void()> changed) = 0;
    // Files whose appearance or change may change what read() reports, beyond what the change
    // handler hears of: for watching them (none by default).
    virtual QStringList watchedPaths() const { return {}; }
};
