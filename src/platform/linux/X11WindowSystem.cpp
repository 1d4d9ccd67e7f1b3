#include "platform/linux/X11WindowSystem.h"

#include <QGuiApplication>
#include <QWindow>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

xcb_atom_t internAtom(xcb_connection_t *connection, const char *name, bool onlyIfExists)
{
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, onlyIfExists, uint16_t(std::strlen(name)), name), nullptr);
    if (!reply)
        return XCB_ATOM_NONE;
    const xcb_atom_t atom = reply->atom;
    std::free(reply);
    return atom;
}

xcb_window_t rootOf(xcb_connection_t *connection, int screenNumber)
{
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; it.rem > 0 && i < screenNumber; ++i)
        xcb_screen_next(&it);
    return it.rem > 0 ? it.data->root : xcb_window_t(XCB_WINDOW_NONE);
}

} // namespace

X11WindowSystem::X11WindowSystem()
{
    if (auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr) {
        connection = x11->connection();
        // The default screen of the display name, as Qt opened it.
        const QByteArray display = qgetenv("DISPLAY");
        const int dot = display.lastIndexOf('.');
        const int colon = display.lastIndexOf(':');
        if (dot > colon && colon >= 0)
            screen = display.mid(dot + 1).toInt();
    }
}

bool X11WindowSystem::isCompositing()
{
    if (!connection)
        return true;  // not X11: the platform composites, or says nothing we could use
    const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(screen);
    const xcb_atom_t atom = internAtom(connection, name.constData(), false);
    xcb_get_selection_owner_reply_t *reply =
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, atom), nullptr);
    const bool owned = reply && reply->owner != XCB_WINDOW_NONE;
    std::free(reply);
    return owned;
}

void X11WindowSystem::activate(QWindow *window)
{
    if (!connection || !window)
        return;
    const xcb_window_t root = rootOf(connection, screen);
    const xcb_atom_t activeWindow = internAtom(connection, "_NET_ACTIVE_WINDOW", false);
    if (root == XCB_WINDOW_NONE || activeWindow == XCB_ATOM_NONE)
        return;
    xcb_client_message_event_t message;
    std::memset(&message, 0, sizeof message);
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = xcb_window_t(window->winId());
    message.type = activeWindow;
    message.data.data32[0] = 2;  // source indication: a pager, that is, the user asked for it
    message.data.data32[1] = userTime;
    message.data.data32[2] = XCB_WINDOW_NONE;
    xcb_send_event(connection, false, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char *>(&message));
    xcb_flush(connection);
}

void X11WindowSystem::requestBlurBehind(QWindow *window, const QRegion &region)
{
    if (!connection || !window)
        return;
    // Only KWin knows this property; without it there is nothing to ask.
    const xcb_atom_t blur = internAtom(connection, "_KDE_NET_WM_BLUR_BEHIND_REGION", true);
    if (blur == XCB_ATOM_NONE)
        return;
    std::vector<quint32> rects;
    for (const QRect &rect : region) {
        rects.push_back(quint32(rect.x()));
        rects.push_back(quint32(rect.y()));
        rects.push_back(quint32(rect.width()));
        rects.push_back(quint32(rect.height()));
    }
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, xcb_window_t(window->winId()), blur, XCB_ATOM_CARDINAL, 32,
                        uint32_t(rects.size()), rects.data());
    xcb_flush(connection);
}
