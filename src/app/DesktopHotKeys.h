#pragma once

#include <QString>
#include <memory>

class HotKeyBackend;

// The global hot key of a Wayland session, where no program may grab keys: the desktop's
// GlobalShortcuts portal where it offers one; GNOME's own custom keyboard shortcut running
// `corvane --toggle` where GNOME has no such portal; else nothing, and the settings show the line
// for the compositor's configuration.
namespace DesktopHotKeys {

struct Choice {
    std::unique_ptr<HotKeyBackend> backend;  // null: the user binds `corvane --toggle` by hand
    QString name;                            // for the log
};

// Whether XDG_CURRENT_DESKTOP names GNOME.
bool isGnome();

Choice forWaylandSession();

// Takes away what this program registered with the desktop (GNOME's custom shortcut); for the
// uninstall path. Logs what it did.
void unregisterAll();

} // namespace DesktopHotKeys
