#include "platform/wayland/GnomeFocusActivationSource.h"

#include "services/SystemLog.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>

namespace {

constexpr int callTimeoutMs = 500;

} // namespace

GnomeFocusActivationSource::GnomeFocusActivationSource(AppDirectory *directory, const QDBusConnection &bus,
                                                       QObject *parent)
    : QObject(parent), identity_(directory), bus_(bus),
      watcher_(new QDBusServiceWatcher(QLatin1String(serviceName), bus_,
                                       QDBusServiceWatcher::WatchForOwnerChange, this))
{
    if (!bus_.isConnected()) {
        SystemLog::shared().write(QStringLiteral("Corvane: GNOME Shell extension: no session bus"));
        return;
    }
    connect(watcher_, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString &, const QString &, const QString &newOwner) { setAvailable(!newOwner.isEmpty()); });
    // Through the well-known name: the bus delivers the signal of whoever owns it now.
    bus_.connect(QLatin1String(serviceName), QLatin1String(objectPath), QLatin1String(interfaceName),
                 QStringLiteral("FocusChanged"), this, SLOT(focusChanged(QString, QString, QString, uint)));
    setAvailable(bus_.interface()->isServiceRegistered(QLatin1String(serviceName)).value());
}

void GnomeFocusActivationSource::setAvailable(bool available)
{
    if (available == available_)
        return;
    available_ = available;
    Q_EMIT availableChanged();
    // The extension reports changes only: when it comes (back) with the shell or is turned on,
    // whatever has the focus now is news to us.
    if (available_)
        askFocus();
}

void GnomeFocusActivationSource::askFocus()
{
    const QDBusPendingCall call = bus_.asyncCall(
        QDBusMessage::createMethodCall(QLatin1String(serviceName), QLatin1String(objectPath),
                                       QLatin1String(interfaceName), QStringLiteral("GetFocus")),
        callTimeoutMs);
    auto *watcher = new QDBusPendingCallWatcher(call, this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *finished) {
        finished->deleteLater();
        const QDBusPendingReply<QString, QString, QString, uint> reply = *finished;
        if (reply.isError() || !available_)
            return;
        focusChanged(reply.argumentAt<0>(), reply.argumentAt<1>(), reply.argumentAt<2>(), reply.argumentAt<3>());
    });
}

std::optional<RunningApp> GnomeFocusActivationSource::appOf(const QString &appId, const QString &wmClass,
                                                            const QString &sandboxedAppId, uint pid) const
{
    ToplevelFacts facts;
    facts.desktopFileName = appId;
    facts.appId = sandboxedAppId;
    facts.resourceClass = wmClass;
    facts.pid = pid;
    return identity_.appOf(facts);
}

void GnomeFocusActivationSource::focusChanged(const QString &appId, const QString &wmClass,
                                              const QString &sandboxedAppId, uint pid)
{
    // Nothing has the focus (the overview, the lock screen): keep what we had.
    const std::optional<RunningApp> app = appOf(appId, wmClass, sandboxedAppId, pid);
    if (app && handler_)
        handler_(*app);
}

std::optional<RunningApp> GnomeFocusActivationSource::frontmostApp()
{
    if (!available_)
        return std::nullopt;
    const QDBusMessage reply = bus_.call(QDBusMessage::createMethodCall(QLatin1String(serviceName),
                                                                        QLatin1String(objectPath),
                                                                        QLatin1String(interfaceName),
                                                                        QStringLiteral("GetFocus")),
                                         QDBus::Block, callTimeoutMs);
    const QList<QVariant> args = reply.arguments();
    if (reply.type() != QDBusMessage::ReplyMessage || args.size() != 4 || args[3].typeId() != QMetaType::UInt)
        return std::nullopt;
    return appOf(args[0].toString(), args[1].toString(), args[2].toString(), args[3].toUInt());
}
