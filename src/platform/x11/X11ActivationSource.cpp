#include "platform/x11/X11ActivationSource.h"

#include "platform/x11/X11WindowIdentity.h"

#include <QGuiApplication>
#include <cstdlib>

namespace {

// Our own window takes the focus a moment after X lets it go: wait that long before saying a native
// window of another program has it.
constexpr int unseenFocusDelayMs = 150;

} // namespace

X11ActivationSource::X11ActivationSource(const X11WindowIdentity *windows) : windows_(windows)
{
    unseenFocus_.setSingleShot(true);
    unseenFocus_.setInterval(unseenFocusDelayMs);
    QObject::connect(&unseenFocus_, &QTimer::timeout, [this] { reportUnseenFocus(); });
}

X11ActivationSource::~X11ActivationSource()
{
    if (filtering_ && QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

std::optional<RunningApp> X11ActivationSource::frontmostApp()
{
    if (!windows_)
        return std::nullopt;
    const std::optional<xcb_window_t> active = windows_->activeWindow();
    return active ? windows_->appOf(*active) : std::nullopt;
}

void X11ActivationSource::follow(Handler newHandler)
{
    handler_ = std::move(newHandler);
    if (!windows_ || filtering_)
        return;
    watchRootProperties();
    QCoreApplication::instance()->installNativeEventFilter(this);
    filtering_ = true;
}

// Qt listens to the root window's property changes already; make sure of it without dropping any
// event Qt selected there (the mask is per client, and Qt's connection is ours).
void X11ActivationSource::watchRootProperties()
{
    const X11Display &x11 = windows_->display();
    xcb_generic_error_t *error = nullptr;
    xcb_get_window_attributes_reply_t *attributes = xcb_get_window_attributes_reply(
        x11.connection(), xcb_get_window_attributes(x11.connection(), x11.root()), &error);
    std::free(error);
    if (!attributes)
        return;
    const uint32_t mask = attributes->your_event_mask;
    std::free(attributes);
    if (mask & XCB_EVENT_MASK_PROPERTY_CHANGE)
        return;
    const uint32_t wanted = mask | XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(x11.connection(), x11.root(), XCB_CW_EVENT_MASK, &wanted);
    xcb_flush(x11.connection());
}

bool X11ActivationSource::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY)
        return false;
    const auto *notify = reinterpret_cast<const xcb_property_notify_event_t *>(event);
    if (notify->window != windows_->display().root() || notify->atom != windows_->activeWindowAtom())
        return false;
    unseenFocus_.stop();
    // The window may be gone by the time we ask about it; then there is nothing to report.
    if (const std::optional<xcb_window_t> active = windows_->activeWindow()) {
        if (const std::optional<RunningApp> app = windows_->appOf(*active); app && handler_)
            handler_(*app);
    } else if (partial_) {
        unseenFocus_.start();
    } else if (handler_ && windows_->desktopIsActive()) {
        handler_(RunningApp::desktop());  // the desktop was clicked, or the last window closed
    }
    return false;  // Qt may want the event too
}

void X11ActivationSource::reportUnseenFocus()
{
    if (!handler_ || windows_->activeWindow() || QGuiApplication::focusWindow())
        return;
    handler_(RunningApp());
}
