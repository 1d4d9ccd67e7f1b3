#pragma once

#include <QString>
#include <optional>

// Which desktop this session runs, as the catalogue knows it.
class DesktopSession {
public:
    // The catalogue identifier of the desktop named by XDG_CURRENT_DESKTOP (a colon-separated
    // list, the first known name wins): "org.gnome.Shell", "org.kde.plasmashell", "sway", "i3",
    // "openbox", "xfce". Absent for a desktop the catalogue does not cover.
    static std::optional<QString> bundleId(const QString &currentDesktop);
    // Whether this is a Wayland session: what the session says (XDG_SESSION_TYPE, WAYLAND_DISPLAY)
    // or Qt's platform (`qtPlatformName`), whatever the other says. An X11 grab through XWayland
    // sees only keys aimed at XWayland windows, so the hot key follows this too.
    static bool isWayland(const QString &qtPlatformName);
};
