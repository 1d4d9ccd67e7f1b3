#pragma once

#include "platform/WindowSystem.h"

#include <QtGlobal>

struct xcb_connection_t;

// The window-system calls of the panel on X11, over Qt's own xcb connection: the compositor check,
// activation as a direct user request (_NET_ACTIVE_WINDOW from a pager, which window managers with
// focus-stealing prevention honour), and KWin's blur behind translucent windows. Outside X11 every
// call does nothing.
class X11WindowSystem : public WindowSystem {
public:
    X11WindowSystem();

    bool isCompositing() override;
    void activate(QWindow *window) override;
    void requestBlurBehind(QWindow *window, const QRegion &region) override;

    // The X server time of the user's last input that asked for a window (the hot-key press);
    // 0 means the current time.
    void setUserTime(quint32 time) { userTime = time; }

private:
    xcb_connection_t *connection = nullptr;
    int screen = 0;
    quint32 userTime = 0;
};
