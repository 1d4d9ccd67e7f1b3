#pragma once

#include <QString>

// What a desktop tells about the owner of a window: any of these may be empty (pid 0) when unknown.
struct ToplevelFacts {
    QString appId;            // the Wayland app_id (a desktop-file id by convention, often not quite)
    QString desktopFileName;  // the desktop file the desktop matched the window to, ".desktop" or not
    QString resourceClass;    // the X11 class (XWayland windows), or the compositor's equivalent
    QString resourceName;     // the X11 instance name
    qint64 pid = 0;
};
