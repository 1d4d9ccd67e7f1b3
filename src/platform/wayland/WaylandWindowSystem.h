#pragma once

#include "platform/WindowSystem.h"
#include "platform/wayland/PlasmaShell.h"

#include <QMetaObject>
#include <QPointer>
#include <QString>
#include <memory>

class QObject;
class QWindow;
class XdgActivation;

// The panel's window-system calls in a native Wayland session. A Wayland client takes the keyboard
// focus only with an activation token from the compositor: the one the desktop gave the launch of
// `corvane --toggle`, or the one its shortcut service sent with the key press. It is handed over
// with xdg-activation-v1 once the panel's surface shows its first frame (compositors drop
// activation requests for surfaces that are not mapped yet). Where the panel appears is the
// compositor's choice: a Wayland client cannot place its own windows. On Plasma the panel asks to
// be left out of task bars and the task switcher; other compositors have no such request for a
// normal window.
class WaylandWindowSystem : public WindowSystem {
public:
    WaylandWindowSystem();
    ~WaylandWindowSystem() override;

    bool isCompositing() override { return true; }  // every Wayland compositor composites
    void activate(QWindow *window, const ActivationRequest &request) override;
    void keepOutOfTaskbars(QWindow *window) override;

    // False when the compositor offers no xdg-activation.
    bool canActivate() const;

private:
    std::unique_ptr<XdgActivation> activation_;
    QPointer<QObject> pending_;  // waits for the first frame of a window shown with a token
    std::unique_ptr<PlasmaShell> plasma_;
    // The panel's Plasma hints: for the wl_surface of its current showing, released when it hides.
    std::unique_ptr<PlasmaShell::Surface> listHints_;
    QPointer<QWindow> hintedWindow_;
    QMetaObject::Connection hidden_;
};
