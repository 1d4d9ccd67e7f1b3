#include "platform/DesktopSession.h"

#include <QStringList>

std::optional<QString> DesktopSession::bundleId(const QString &currentDesktop)
{
    for (const QString &name : currentDesktop.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        const QString lower = name.trimmed().toLower();
        if (lower == QLatin1String("gnome") || lower == QLatin1String("gnome-classic") || lower == QLatin1String("ubuntu"))
            return QStringLiteral("org.gnome.Shell");
        if (lower == QLatin1String("kde"))
            return QStringLiteral("org.kde.plasmashell");
        if (lower == QLatin1String("sway") || lower == QLatin1String("i3") || lower == QLatin1String("openbox")
            || lower == QLatin1String("xfce"))
            return lower;
    }
    return std::nullopt;
}

bool DesktopSession::isWayland(const QString &qtPlatformName)
{
    return qtPlatformName.startsWith(QLatin1String("wayland")) || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        || qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland");
}
