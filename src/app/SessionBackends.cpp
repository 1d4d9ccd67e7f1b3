#include "app/SessionBackends.h"

#include "app/DesktopHotKeys.h"
#include "platform/HotKeyBackend.h"
#include "platform/SystemLog.h"
#include "platform/x11/X11ActivationSource.h"
#include "platform/x11/X11HotKeyBackend.h"
#include "platform/x11/X11WindowIdentity.h"
#include "platform/x11/X11WindowSystem.h"

SessionBackends::SessionBackends()
{
    const std::optional<X11Display> display = X11Display::ofApplication();
    if (display) {
        x11Windows_ = std::make_unique<X11WindowIdentity>(*display, workspace_.appDirectory());
        workspace_.setRunningApps(x11Windows_.get());
        windowSystemName_ = QStringLiteral("x11");
    } else {
        windowSystemName_ = QStringLiteral("none");
    }
    // The X11 backends degrade by themselves without a display: no active application, no grab.
    activations_ = std::make_unique<X11ActivationSource>(x11Windows_.get());
    auto windowSystem = std::make_unique<X11WindowSystem>();
    QString hotKeyName;
    if (DesktopHotKeys::isWaylandSession()) {
        // No grab works here: the desktop binds the key for us, or the user does.
        DesktopHotKeys::Choice choice = DesktopHotKeys::forWaylandSession();
        hotKeyBackend_ = std::move(choice.backend);
        hotKeyName = choice.name;
    } else {
        auto hotKeys = std::make_unique<X11HotKeyBackend>();
        // Windows the hot key shows are activated with the time of its press.
        windowSystem->setUserTimeSource([backend = hotKeys.get()] { return backend->lastPressTime(); });
        hotKeyBackend_ = std::move(hotKeys);
        hotKeyName = QStringLiteral("x11 grab");
    }
    windowSystem_ = std::move(windowSystem);
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
