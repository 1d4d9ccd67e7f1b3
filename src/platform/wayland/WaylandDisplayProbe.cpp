#include "platform/wayland/WaylandDisplayProbe.h"

#include <cerrno>
#include <cstring>
#include <wayland-client-core.h>

std::optional<QString> WaylandDisplayProbe::connectionFailure(const QByteArray &name)
{
    errno = 0;
    wl_display *display = wl_display_connect(name.isEmpty() ? nullptr : name.constData());
    if (display) {
        wl_display_disconnect(display);
        return std::nullopt;
    }
    const int error = errno;
    QByteArray shown = name.isEmpty() ? qgetenv("WAYLAND_DISPLAY") : name;
    if (shown.isEmpty())
        shown = "wayland-0";
    return QStringLiteral("cannot connect to the Wayland compositor %1: %2")
        .arg(QString::fromLocal8Bit(shown),
             error ? QString::fromLocal8Bit(std::strerror(error)) : QStringLiteral("refused"));
}
