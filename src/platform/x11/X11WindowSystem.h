#pragma once

#include "platform/WindowSystem.h"
#include "platform/x11/X11Display.h"

#include <QtGlobal>
#include <functional>
#include <optional>

// The window-system calls of the panel on X11, over Qt's own xcb connection: the compositor check,
// activation as a direct user request (_NET_ACTIVE_WINDOW from a pager, with the time of the key
// press that asked for the window, which window managers with focus-stealing prevention honour),
// and KWin's blur behind translucent windows. Outside X11 every call does nothing.
class X11WindowSystem : public WindowSystem {
public:
    X11WindowSystem();

    bool isCompositing() override;
    void activate(QWindow *window, const ActivationRequest &request) override;
    void keepOutOfTaskbars(QWindow *window) override;
    bool requestBlurBehind(QWindow *window, const QRegion &region) override;

private:
    std::optional<X11Display> x11_;
    int screenNumber_ = 0;
};
