#include "app/SessionBackends.h"

#include "app/WaylandActivations.h"
#include "platform/ActivationSourceChain.h"
#include "platform/ShellExtension.h"
#include "app/DesktopHotKeys.h"
#include "platform/DesktopSession.h"
#include "platform/HotKeyBackend.h"
#include "services/SystemLog.h"
#include "platform/wayland/WaylandWindowSystem.h"
#include "platform/x11/X11ActivationSource.h"
#include "platform/x11/X11HotKeyBackend.h"
#include "platform/x11/X11KeyboardLayout.h"
#include "platform/x11/X11WindowIdentity.h"
#include "platform/x11/X11WindowSystem.h"

#include <QGuiApplication>

SessionBackends::SessionBackends()
{
    const std::optional<X11Display> display = X11Display::ofApplication();
    // Qt's platform decides the window calls; the session decides the hot key and where the active
    // application comes from (Qt may run on XWayland in a Wayland session).
    const bool wayland = QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
    const bool waylandSession = DesktopSession::isWayland(QGuiApplication::platformName());
    if (display) {
        x11Windows_ = std::make_unique<X11WindowIdentity>(*display, workspace_.appDirectory());
        workspace_.setRunningApps(x11Windows_.get());
        windowSystemName_ = QStringLiteral("x11");
    } else if (wayland) {
        windowSystemName_ = QStringLiteral("wayland");
    } else {
        windowSystemName_ = QStringLiteral("none");
    }
    // The X11 backends degrade by themselves without a display: no active application, no grab.
    auto x11Activations = std::make_unique<X11ActivationSource>(x11Windows_.get());
    if (waylandSession) {
        const RunningAppList *runningApps = x11Windows_.get();
        activations_ = WaylandActivations::create(workspace_.appDirectory(),
                                                  x11Windows_ ? std::move(x11Activations) : nullptr, &runningApps);
        workspace_.setRunningApps(runningApps);
        shellExtension_ = WaylandActivations::shellExtension();
    } else {
        activations_ = std::move(x11Activations);
    }
    QString hotKeyName;
    std::unique_ptr<X11HotKeyBackend> x11HotKeys;
    if (waylandSession) {
        // No grab works here: the desktop binds the key for us, or the user does.
        DesktopHotKeys::Choice choice = DesktopHotKeys::forWaylandSession();
        hotKeyBackend_ = std::move(choice.backend);
        hotKeyName = choice.name;
    } else {
        x11HotKeys = std::make_unique<X11HotKeyBackend>();
        hotKeyName = QStringLiteral("x11 grab");
    }
    if (wayland) {
        windowSystem_ = std::make_unique<WaylandWindowSystem>();
    } else {
        windowSystem_ = std::make_unique<X11WindowSystem>();
    }
    if (x11HotKeys)
        hotKeyBackend_ = std::move(x11HotKeys);
    keyboardLayout_ = std::make_unique<X11KeyboardLayout>();
    SystemLog::shared().write(QStringLiteral("Corvane: session backends: %1, freedesktop").arg(windowSystemName_));
    SystemLog::shared().write(QStringLiteral("Corvane: hot key backend: %1").arg(hotKeyName));
}

SessionBackends::~SessionBackends()
{
    // The workspace must not outlive the window list it points at.
    workspace_.setRunningApps(nullptr);
}

std::unique_ptr<HotKeyBackend> SessionBackends::takeHotKeyBackend()
{
    return std::move(hotKeyBackend_);
}
