#pragma once

#include "platform/UserBinding.h"

#include <QList>
#include <QString>

// The key bindings one configuration holds for one application of the catalogue.
struct AppBindings {
    // How the configuration writes keys.
    enum class Notation {
        Gtk,      // "<Primary><Shift>t" (GSettings, GTK accelerators)
        Qt,       // "Meta+Shift+F1", chords separated by ", " (KDE)
        Sway,     // "Mod4+Shift+1" (sway and i3 bindsym)
        Openbox,  // "W-S-1", chords separated by a space (rc.xml)
        VsCode,   // "ctrl+shift+t", chords separated by a space (keybindings.json)
    };

    // A slug or an identifier (bundle id, alias) of the application in the catalogue.
    QString app;
    Notation notation = Notation::Gtk;
    // True when the configuration holds every binding the application has (a window manager's
    // config file): a catalogue shortcut with an action it does not name is then unbound.
    bool complete = false;
    QList<UserBinding> bindings;

    friend bool operator==(const AppBindings &a, const AppBindings &b)
    {
        return a.app == b.app && a.notation == b.notation && a.complete == b.complete && a.bindings == b.bindings;
    }
    friend bool operator!=(const AppBindings &a, const AppBindings &b) { return !(a == b); }
};
