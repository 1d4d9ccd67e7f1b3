#include "platform/x11/X11Display.h"

#include <QGuiApplication>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

struct FreeDeleter {
    void operator()(void *p) const { std::free(p); }
};
template <typename T>
using XcbReply = std::unique_ptr<T, FreeDeleter>;

// The screen Qt connected to: the one $DISPLAY names, as xcb_connect chose it.
int defaultScreen()
{
    char *host = nullptr;
    int display = 0, screen = 0;
    const bool parsed = xcb_parse_display(nullptr, &host, &display, &screen);
    std::free(host);
    return parsed ? screen : 0;
}

// What xcb_connection_has_error's codes mean for someone starting the program.
QString connectionErrorText(int code)
{
    switch (code) {
    case XCB_CONN_CLOSED_PARSE_ERR:
        return QStringLiteral("not a display name");
    case XCB_CONN_CLOSED_INVALID_SCREEN:
        return QStringLiteral("the server has no such screen");
    case XCB_CONN_CLOSED_MEM_INSUFFICIENT:
        return QStringLiteral("out of memory");
    case XCB_CONN_ERROR:
        return QStringLiteral("no X server answers there, or it refused this user");
    default:
        return QStringLiteral("connection error %1").arg(code);
    }
}

} // namespace

std::optional<QString> X11Display::connectionFailure(const QByteArray &name)
{
    const QByteArray display = name.isEmpty() ? qgetenv("DISPLAY") : name;
    if (display.isEmpty())
        return QStringLiteral("DISPLAY is not set");
    xcb_connection_t *connection = xcb_connect(display.constData(), nullptr);
    const int error = xcb_connection_has_error(connection);
    xcb_disconnect(connection);  // also after a failure: xcb hands out an error object to free
    if (error == 0)
        return std::nullopt;
    return QStringLiteral("cannot connect to the X server %1: %2")
        .arg(QString::fromLocal8Bit(display), connectionErrorText(error));
}

std::optional<X11Display> X11Display::ofApplication()
{
    auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
    if (!app)
        return std::nullopt;
    auto *x11 = app->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection() || xcb_connection_has_error(x11->connection()))
        return std::nullopt;
    xcb_connection_t *connection = x11->connection();
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection));
    if (it.rem == 0)
        return std::nullopt;
    for (int screen = defaultScreen(); screen > 0 && it.rem > 1; --screen)
        xcb_screen_next(&it);
    return X11Display(connection, it.data->root);
}

QList<xcb_atom_t> X11Display::atoms(const QList<QByteArray> &names) const
{
    QList<xcb_intern_atom_cookie_t> cookies;
    for (const QByteArray &name : names)
        cookies.append(xcb_intern_atom(conn_, 0, uint16_t(name.size()), name.constData()));
    QList<xcb_atom_t> result;
    for (const xcb_intern_atom_cookie_t &cookie : cookies) {
        xcb_generic_error_t *error = nullptr;
        XcbReply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(conn_, cookie, &error));
        std::free(error);
        result.append(reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE));
    }
    return result;
}

std::optional<QList<std::optional<X11Display::Property>>>
X11Display::properties(xcb_window_t window, const QList<xcb_atom_t> &names, uint32_t maxLongs) const
{
    QList<xcb_get_property_cookie_t> cookies;
    for (xcb_atom_t name : names)
        cookies.append(xcb_get_property(conn_, 0, window, name, XCB_GET_PROPERTY_TYPE_ANY, 0, maxLongs));

    bool windowGone = false;
    QList<std::optional<Property>> result;
    for (const xcb_get_property_cookie_t &cookie : cookies) {
        // Every reply is collected, also after an error, so that none is left in the connection.
        xcb_generic_error_t *error = nullptr;
        XcbReply<xcb_get_property_reply_t> reply(xcb_get_property_reply(conn_, cookie, &error));
        if (error) {
            windowGone = true;
            std::free(error);
        }
        if (!reply || reply->type == XCB_ATOM_NONE || reply->format == 0) {
            result.append(std::nullopt);
            continue;
        }
        const int length = xcb_get_property_value_length(reply.get());
        result.append(Property{reply->type, reply->format,
                               QByteArray(static_cast<const char *>(xcb_get_property_value(reply.get())),
                                          length)});
    }
    if (windowGone)
        return std::nullopt;
    return result;
}

std::optional<quint32> X11Display::cardinal(const std::optional<Property> &property)
{
    if (!property || property->format != 32 || property->value.size() < 4)
        return std::nullopt;
    quint32 value;
    std::memcpy(&value, property->value.constData(), sizeof value);
    return value;
}
