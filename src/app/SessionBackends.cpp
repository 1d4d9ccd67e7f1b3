#include "app/SessionBackends.h"

#include "platform/SystemLog.h"
#include "platform/x11/X11ActivationSource.h"
#include "platform/x11/X11HotKeyBackend.h"
#include "platform/x11/X11KeyboardLayout.h"
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
    auto hotKeys = std::make_unique<X11HotKeyBackend>();
    // Windows the hot key shows are activated with the time of its press.
    windowSystem->setUserTimeSource([backend = hotKeys.get()] { return backend->lastPressTime(); });
    windowSystem_ = std::move(windowSystem);
    hotKeyBackend_ = std::move(hotKeys);
    keyboardLayout_ = std::make_unique<X11KeyboardLayout>();
    SystemLog::shared().write(QStringLiteral("Corvane: session backends: %1, freedesktop").arg(windowSystemName_));
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
