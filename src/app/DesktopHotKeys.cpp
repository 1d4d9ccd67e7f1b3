#include "app/DesktopHotKeys.h"

#include "platform/PlatformProfile.h"
#include "platform/SystemLog.h"
#include "platform/ToggleCommand.h"
#include "platform/freedesktop/GnomeCustomKeybinding.h"
#include "platform/freedesktop/GnomeHotKeyBackend.h"
#include "platform/freedesktop/PortalHotKeyBackend.h"

#include <QDBusConnection>
#include <QGuiApplication>

namespace DesktopHotKeys {

bool isWaylandSession()
{
    if (qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY"))
        return true;
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

bool isGnome()
{
    const QStringList desktops = qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString &desktop : desktops) {
        if (desktop.compare(QLatin1String("GNOME"), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

Choice forWaylandSession()
{
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (const std::optional<uint> version = PortalHotKeyBackend::availableVersion(bus)) {
        return {std::make_unique<PortalHotKeyBackend>(bus, *version, QLatin1String(PlatformProfile::applicationId)),
                QStringLiteral("xdg portal GlobalShortcuts v%1").arg(*version)};
    }
    if (isGnome() && GnomeCustomKeybinding::isAvailable())
        return {std::make_unique<GnomeHotKeyBackend>(ToggleCommand::absolute()), QStringLiteral("gnome custom keybinding")};
    return {nullptr, QStringLiteral("none, bound in the compositor's configuration")};
}

void unregisterAll()
{
    if (GnomeCustomKeybinding().remove())
        SystemLog::shared().write(QStringLiteral("Corvane: removed the GNOME custom shortcut ")
                                  + QLatin1String(GnomeCustomKeybinding::defaultPath));
    else
        SystemLog::shared().write(QStringLiteral("Corvane: nothing registered with the desktop to remove"));
}

} // namespace DesktopHotKeys
