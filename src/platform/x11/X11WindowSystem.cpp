#include "platform/x11/X11WindowSystem.h"

#include <QWindow>

#include <cstdlib>
#include <cstring>
#include <vector>

X11WindowSystem::X11WindowSystem() : x11_(X11Display::ofApplication())
{
    if (!x11_)
        return;
    // The number of Qt's screen, for the compositor's selection name.
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(x11_->connection()));
    for (int i = 0; it.rem > 0; ++i, xcb_screen_next(&it)) {
        if (it.data->root == x11_->root()) {
            screenNumber_ = i;
            break;
        }
    }
}

bool X11WindowSystem::isCompositing()
{
    if (!x11_)
        return true;  // not X11: the platform composites, or tells us nothing to act on
    const xcb_atom_t selection = x11_->atoms({"_NET_WM_CM_S" + QByteArray::number(screenNumber_)}).value(0);
    xcb_get_selection_owner_reply_t *reply = xcb_get_selection_owner_reply(
        x11_->connection(), xcb_get_selection_owner(x11_->connection(), selection), nullptr);
    const bool owned = reply && reply->owner != XCB_WINDOW_NONE;
    std::free(reply);
    return owned;
}

void X11WindowSystem::activate(QWindow *window, const ActivationRequest &request)
{
    if (!x11_ || !window)
        return;
    const xcb_atom_t activeWindow = x11_->atoms({"_NET_ACTIVE_WINDOW"}).value(0);
    if (activeWindow == XCB_ATOM_NONE)
        return;
    xcb_client_message_event_t message;
    std::memset(&message, 0, sizeof message);
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = xcb_window_t(window->winId());
    message.type = activeWindow;
    message.data.data32[0] = 2;  // source indication: a pager, that is, the user asked for it
    message.data.data32[1] = request.x11Time != 0 ? request.x11Time : XCB_CURRENT_TIME;
    message.data.data32[2] = XCB_WINDOW_NONE;
    xcb_send_event(x11_->connection(), false, x11_->root(),
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char *>(&message));
    xcb_flush(x11_->connection());
}

void X11WindowSystem::keepOutOfTaskbars(QWindow *window)
{
    if (!x11_ || !window)
        return;
    const QList<xcb_atom_t> atoms = x11_->atoms({"_NET_WM_STATE", "_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER"});
    if (atoms.contains(XCB_ATOM_NONE))
        return;
    // A mapped window's state is changed by asking the window manager.
    xcb_client_message_event_t message;
    std::memset(&message, 0, sizeof message);
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = xcb_window_t(window->winId());
    message.type = atoms[0];
    message.data.data32[0] = 1;  // add
    message.data.data32[1] = atoms[1];
    message.data.data32[2] = atoms[2];
    message.data.data32[3] = 2;  // source indication: the user
    xcb_send_event(x11_->connection(), false, x11_->root(),
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char *>(&message));
    xcb_flush(x11_->connection());
}

bool X11WindowSystem::requestBlurBehind(QWindow *window, const QRegion &region)
{
    if (!x11_ || !window)
        return false;
    // KWin reads this property; other window managers ignore it.
    const xcb_atom_t blur = x11_->atoms({"_KDE_NET_WM_BLUR_BEHIND_REGION"}).value(0);
    if (blur == XCB_ATOM_NONE)
        return false;
    std::vector<quint32> rects;
    for (const QRect &rect : region) {
        rects.push_back(quint32(rect.x()));
        rects.push_back(quint32(rect.y()));
        rects.push_back(quint32(rect.width()));
        rects.push_back(quint32(rect.height()));
    }
    xcb_change_property(x11_->connection(), XCB_PROP_MODE_REPLACE, xcb_window_t(window->winId()), blur,
                        XCB_ATOM_CARDINAL, 32, uint32_t(rects.size()), rects.data());
    xcb_flush(x11_->connection());
    // KWin's blur effect announces itself with the same property on the root window while it runs.
    const xcb_get_property_cookie_t cookie = xcb_get_property(x11_->connection(), 0, x11_->root(), blur,
                                                              XCB_GET_PROPERTY_TYPE_ANY, 0, 0);
    xcb_get_property_reply_t *reply = xcb_get_property_reply(x11_->connection(), cookie, nullptr);
    const bool announced = reply && reply->type != XCB_ATOM_NONE;
    std::free(reply);
    return announced;
}
