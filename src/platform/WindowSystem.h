#pragma once

#include "platform/ActivationRequest.h"

#include <QString>

class QRegion;
class QWindow;

// What the panel window needs from the window system beyond what Qt offers.
class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    // True when a compositing manager draws translucent windows; without one they show black
    // where they are clear.
    virtual bool isCompositing() { return true; }
    // Asks the window manager to activate the window, as a direct request of the user (some refuse
    // focus to a window that merely asks for it), with what came with that request: the activation
    // token (spent here; window systems without tokens ignore it) or the X11 time of the press.
    virtual void activate(QWindow *window, const ActivationRequest &request)
    {
        (void)window;
        (void)request;
    }
    // Keeps a shown window out of taskbars and pagers (a panel, not a window of its own).
    virtual void keepOutOfTaskbars(QWindow *window) { (void)window; }
    // Asks the compositor to blur what lies behind `region` of the window, where it can; true when
    // it will (the window may then be translucent and stay readable).
    virtual bool requestBlurBehind(QWindow *window, const QRegion &region)
    {
        (void)window;
        (void)region;
        return false;
    }
};
