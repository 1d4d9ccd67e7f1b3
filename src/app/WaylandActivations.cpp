#include "app/WaylandActivations.h"

#include "platform/ActivationSourceChain.h"
#include "platform/freedesktop/DesktopNotifier.h"
#include "services/SystemLog.h"
#include "platform/wayland/GnomeFocusActivationSource.h"
#include "platform/wayland/GnomeShellExtension.h"
#include "platform/wayland/KWinScriptActivationSource.h"
#include "platform/wayland/WlrToplevelActivationSource.h"
#include "platform/x11/X11ActivationSource.h"

#include <QDBusConnectionInterface>
#include <QCoreApplication>
#include <QGuiApplication>

namespace {

bool desktopIs(const char *name)
{
    const QList<QByteArray> desktops = qgetenv("XDG_CURRENT_DESKTOP").split(':');
    return desktops.contains(QByteArray(name));
}

} // namespace

std::unique_ptr<ActivationSourceChain> WaylandActivations::create(AppDirectory &directory,
                                                                  std::unique_ptr<X11ActivationSource> x11,
                                                                  const RunningAppList **runningApps)
{
    auto chain = std::make_unique<ActivationSourceChain>();
    auto wlr = std::make_unique<WlrToplevelActivationSource>(&directory);
    if (wlr->isAvailable()) {
        *runningApps = wlr.get();
        chain->append(std::move(wlr), QStringLiteral("wlr-foreign-toplevel"));
    }
    const QDBusConnection bus = QDBusConnection::sessionBus();
    const bool kwinRuns = bus.isConnected() && bus.interface()->isServiceRegistered(QStringLiteral("org.kde.KWin"));
    if (desktopIs("KDE") || kwinRuns)
        chain->append(std::make_unique<KWinScriptActivationSource>(&directory), QStringLiteral("kwin-script"));
    if (desktopIs("GNOME"))
        chain->append(std::make_unique<GnomeFocusActivationSource>(&directory),
                      QStringLiteral("gnome-shell-extension"));
    if (x11) {
        x11->setSeesPartOfTheSession(true);
        chain->append(std::move(x11), QStringLiteral("x11 (XWayland windows only)"));
    }
    SystemLog::shared().write(
        QStringLiteral("Corvane: active application from %1 (sources: %2)").arg(chain->availableName(), chain->names()));
    return chain;
}

std::unique_ptr<ShellExtension> WaylandActivations::shellExtension()
{
    if (!desktopIs("GNOME"))
        return nullptr;
    auto extension = std::make_unique<GnomeShellExtension>();
    ShellExtension *watched = extension.get();
    auto connection = std::make_shared<QMetaObject::Connection>();
    *connection = QObject::connect(watched, &ShellExtension::stateChanged, watched, [watched, connection] {
        const ShellExtension::State state = watched->state();
        if (state == ShellExtension::State::Unknown)
            return;
        QObject::disconnect(*connection);
        if (state == ShellExtension::State::Active)
            return;
        SystemLog::shared().write(QStringLiteral("Corvane: GNOME Shell extension not running: no active application"));
        DesktopNotifier::notify(QCoreApplication::translate("main", "Which app is in front?"),
                                QCoreApplication::translate("main", "Corvane cannot tell which app you are using "
                                                                    "until its GNOME Shell extension runs. Its "
                                                                    "settings show how to turn it on."));
    });
    return extension;
}
