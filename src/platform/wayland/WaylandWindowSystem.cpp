#include "platform/wayland/WaylandWindowSystem.h"

#include "services/SystemLog.h"
#include "platform/wayland/XdgActivation.h"

#include <QEvent>
#include <QGuiApplication>
#include <QTimer>
#include <QWindow>
#include <qpa/qplatformnativeinterface.h>

#include <functional>

namespace {
wl_display *qtDisplay()
{
    QPlatformNativeInterface *native = QGuiApplication::platformNativeInterface();
    return native ? static_cast<wl_display *>(native->nativeResourceForIntegration("wl_display")) : nullptr;
}

// The window's current wl_surface: Qt makes a new one each time the window is shown.
wl_surface *surfaceOf(QWindow *window)
{
    QPlatformNativeInterface *native = QGuiApplication::platformNativeInterface();
    return native && window ? static_cast<wl_surface *>(native->nativeResourceForWindow("surface", window))
                            : nullptr;
}

// Runs `action` once, after the window has been exposed and its first frame drawn and committed.
class FirstFrameWatcher : public QObject {
public:
    FirstFrameWatcher(QWindow *window, std::function<void()> action) : QObject(window), action_(std::move(action))
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *window = static_cast<QWindow *>(watched);
        if (event->type() == QEvent::Expose && window->isExposed()) {
            window->removeEventFilter(this);
            // The expose is handled (painted, committed) before the queued call runs.
            QTimer::singleShot(0, this, [this] {
                action_();
                deleteLater();
            });
        }
        return false;
    }

private:
    std::function<void()> action_;
};
}

WaylandWindowSystem::WaylandWindowSystem()
    : activation_(std::make_unique<XdgActivation>(qtDisplay())), plasma_(std::make_unique<PlasmaShell>(qtDisplay()))
{
    if (!activation_->isAvailable())
        SystemLog::shared().write(QStringLiteral(
            "Corvane: the compositor offers no xdg-activation; the panel takes the keyboard only where it allows"));
}

WaylandWindowSystem::~WaylandWindowSystem()
{
    delete pending_;
    QObject::disconnect(hidden_);
}

bool WaylandWindowSystem::canActivate() const
{
    return activation_->isAvailable();
}

void WaylandWindowSystem::activate(QWindow *window, const ActivationRequest &request)
{
    const QByteArray token = request.token.toUtf8();  // good for this activation only
    delete pending_;
    if (!window || token.isEmpty() || !activation_->isAvailable())
        return;
    auto send = [this, window = QPointer<QWindow>(window), token] {
        if (window && window->isVisible())
            activation_->activate(surfaceOf(window), token);
    };
    if (window->isExposed())
        send();
    else
        pending_ = new FirstFrameWatcher(window, send);
}

void WaylandWindowSystem::keepOutOfTaskbars(QWindow *window)
{
    if (!window || !plasma_->isAvailable())
        return;
    if (listHints_ && hintedWindow_ == window)
        return;  // shown again while visible: its surface keeps the hints
    QObject::disconnect(hidden_);
    listHints_ = plasma_->keepOutOfLists(surfaceOf(window));
    hintedWindow_ = window;
    if (!listHints_)
        return;
    // Qt destroys the window's wl_surface when it hides, after telling that the window is no longer
    // visible: the hints go first, as the protocol asks.
    hidden_ = QObject::connect(window, &QWindow::visibleChanged, window, [this](bool visible) {
        if (!visible)
            listHints_.reset();
    });
}
