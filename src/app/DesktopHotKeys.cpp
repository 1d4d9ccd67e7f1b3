#include "app/DesktopHotKeys.h"

#include "platform/FallbackHotKeyBackend.h"
#include "platform/PlatformProfile.h"
#include "platform/freedesktop/GioModule.h"
#include "platform/freedesktop/GioServices.h"
#include "services/SystemLog.h"
#include "services/ToggleCommand.h"
#include "platform/freedesktop/GnomeCustomKeybinding.h"
#include "platform/freedesktop/PortalHotKeyBackend.h"

#include <QDBusConnection>

namespace DesktopHotKeys {

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
    // GNOME's keyboard settings are read through the GIO module, loaded only on GNOME.
    GioServices *gio = isGnome() ? GioModule::shared().services() : nullptr;
    const bool gnome = gio && gio->gnomeCustomKeybindingAvailable();
    // GNOME before 48 has no global-shortcuts backend of its own: what the portal offers there is
    // another desktop's, which cannot bind keys in this session.
    const QString desktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP");
    if (gnome && !PortalHotKeyBackend::desktopHasBackend(desktop))
        return {gio->gnomeHotKeyBackend(ToggleCommand::absolute()), QStringLiteral("gnome custom keybinding")};
    const std::optional<uint> version = PortalHotKeyBackend::availableVersion(bus);
    if (!version) {
        if (gnome)
            return {gio->gnomeHotKeyBackend(ToggleCommand::absolute()), QStringLiteral("gnome custom keybinding")};
        return {nullptr, QStringLiteral("none, bound in the compositor's configuration")};
    }
    // A portal may offer global shortcuts through another desktop's backend that cannot serve this
    // session (the KDE backend installed next to sway): then the session's own way takes over.
    auto portal = std::make_unique<PortalHotKeyBackend>(bus, *version, QLatin1String(PlatformProfile::applicationId));
    std::unique_ptr<HotKeyBackend> fallback;
    if (gnome)
        fallback = gio->gnomeHotKeyBackend(ToggleCommand::absolute());
    return {std::make_unique<FallbackHotKeyBackend>(std::move(portal), std::move(fallback)),
            QStringLiteral("xdg portal GlobalShortcuts v%1, else %2")
                .arg(*version)
                .arg(gnome ? QStringLiteral("gnome custom keybinding") : QStringLiteral("the compositor's configuration"))};
}

void unregisterAll()
{
    GioServices *gio = GioModule::shared().services();
    if (gio && gio->removeGnomeCustomKeybinding())
        SystemLog::shared().write(QStringLiteral("Corvane: removed the GNOME custom shortcut ")
                                  + QLatin1String(GnomeCustomKeybinding::defaultPath));
    else
        SystemLog::shared().write(QStringLiteral("Corvane: nothing registered with the desktop to remove"));
}

} // namespace DesktopHotKeys
