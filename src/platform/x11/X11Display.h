#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>
#include <xcb/xcb.h>

// Qt's own connection to the X server, with the few requests the desktop integration makes on it.
// A value: copy it freely while the application lives.
class X11Display {
public:
    // Qt's connection; none when the application does not run on X11 (Wayland, offscreen, no
    // QGuiApplication).
    static std::optional<X11Display> ofApplication();
    // Why a client cannot connect to the X server `name` (as in DISPLAY; empty for DISPLAY
    // itself), or none when it can. Opens and closes a connection of its own: asked before Qt
    // makes its connection, which ends the process when it fails.
    static std::optional<QString> connectionFailure(const QByteArray &name);

    xcb_connection_t *connection() const { return conn_; }
    xcb_window_t root() const { return rootWindow_; }

    // Interns the atoms in one round trip; XCB_ATOM_NONE for any the server refused.
    QList<xcb_atom_t> atoms(const QList<QByteArray> &names) const;

    struct Property {
        xcb_atom_t type = XCB_ATOM_NONE;
        int format = 0;
        QByteArray value;
    };
    // Reads several properties of a window in one round trip, each none when the window does not
    // have it. Nothing at all when the window no longer exists.
    // Values longer than `maxLongs` 32-bit units are cut.
    std::optional<QList<std::optional<Property>>> properties(xcb_window_t window, const QList<xcb_atom_t> &names,
                                                             uint32_t maxLongs = 1024) const;
    // The first 32-bit value of a property of type WINDOW, CARDINAL and the like.
    static std::optional<quint32> cardinal(const std::optional<Property> &property);

private:
    X11Display(xcb_connection_t *connection, xcb_window_t root) : conn_(connection), rootWindow_(root) {}

    xcb_connection_t *conn_;
    xcb_window_t rootWindow_;
};
