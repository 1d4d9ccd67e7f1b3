#pragma once

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
    // focus to a window that merely asks for it).
    virtual void activate(QWindow *window) { (void)window; }
    // The activation token of the request about to show a window: the one the desktop gave the
    // launch of `corvane --toggle`, or the one its shortcut service sent with the key press. The
    // next `activate` spends it; an empty token forgets it. Window systems without tokens ignore it.
    virtual void setActivationToken(const QString &token) { (void)token; }
    // Keeps a shown window out of taskbars and pagers (a panel, not a window of its own).
    virtual void keepOutOfTaskbars(QWindow *window) { (void)window; }
    // Asks the compositor to blur what lies behind `region` of the window, where it can.
    virtual void requestBlurBehind(QWindow *window, const QRegion &region)
    {
        (void)window;
        (void)region;
    }
};
