#pragma once

#include "platform/RunningAppList.h"
#include "platform/x11/X11Display.h"

#include <QList>
#include <optional>

class AppDirectory;

// Tells which application an X11 top-level window belongs to, and which windows the window manager
// manages.
//
// The identifier is the desktop-file id the window declares (_GTK_APPLICATION_ID, then
// _KDE_NET_WM_DESKTOP_FILE), else the id of the installed entry whose id or StartupWMClass equals the
// window's WM_CLASS class (then its instance name), else the class itself. Windows of this process,
// and windows declaring this program's id or its class "corvane", carry this program's id.
class X11WindowIdentity : public RunningAppList {
public:
    X11WindowIdentity(X11Display display, AppDirectory &entries);

    // None when the window no longer exists; RunningApp::desktop() for the desktop's own window.
    std::optional<RunningApp> appOf(xcb_window_t window) const;
    // The window _NET_ACTIVE_WINDOW names; none without a window manager or when no window is active.
    std::optional<xcb_window_t> activeWindow() const;
    // True when the window manager says no window is active (_NET_ACTIVE_WINDOW is None): the user
    // clicked the desktop or closed the last window.
    bool desktopIsActive() const;
    // _NET_CLIENT_LIST, oldest first.
    QList<xcb_window_t> clientWindows() const;
    // The applications of the listed windows.
    QList<RunningApp> runningApps() const override;

    const X11Display &display() const { return x11_; }
    xcb_atom_t activeWindowAtom() const;

private:
    bool belongsToThisProcess(xcb_window_t window, const std::optional<X11Display::Property> &pid,
                              const std::optional<X11Display::Property> &machine) const;

    X11Display x11_;
    AppDirectory &entries_;
    QList<xcb_atom_t> atoms_;
};
