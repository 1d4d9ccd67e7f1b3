#pragma once

#include <QString>
#include <QtGlobal>

// What came with the user's request to show a window (a hot-key press, a `corvane --toggle`), which
// the window system needs to give that window the keyboard: a Wayland activation token the desktop
// sent (xdg-activation), or the X server time of the key press. Either may be missing.
struct ActivationRequest {
    QString token;     // empty: the desktop sent none
    quint32 x11Time = 0;  // 0: not a press seen on X11 (XCB_CURRENT_TIME)
};
