#include "platform/freedesktop/DesktopNotifier.h"

#include "platform/PlatformProfile.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QVariantMap>

namespace DesktopNotifier {

bool notify(const QString &summary, const QString &body)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    QDBusInterface service(QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
                           QStringLiteral("org.freedesktop.Notifications"), bus);
    if (!service.isValid())
        return false;
    QVariantMap hints;
    hints.insert(QStringLiteral("desktop-entry"), QLatin1String(PlatformProfile::applicationId));
    const QDBusReply<uint> reply = service.call(QStringLiteral("Notify"), QStringLiteral("Corvane"), uint(0),
                                                QStringLiteral("preferences-desktop-keyboard-shortcuts"), summary, body,
                                                QStringList(), hints, int(-1));
    return reply.isValid();
}

} // namespace DesktopNotifier
