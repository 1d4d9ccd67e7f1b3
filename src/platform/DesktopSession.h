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
};
