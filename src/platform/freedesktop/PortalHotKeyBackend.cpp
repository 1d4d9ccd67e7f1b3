#include "platform/freedesktop/PortalHotKeyBackend.h"

#include "keys/DesktopKeyNames.h"
#include "services/BoundedFileReader.h"
#include "services/SystemLog.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <atomic>

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString shortcutsInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
const QString requestInterface = QStringLiteral("org.freedesktop.portal.Request");
const QString registryInterface = QStringLiteral("org.freedesktop.host.portal.Registry");

// One entry of the a(sa{sv}) shortcut lists the portal takes and gives.
struct PortalShortcut {
    QString id;
    QVariantMap properties;
};

QDBusArgument &operator<<(QDBusArgument &argument, const PortalShortcut &shortcut)
{
    argument.beginStructure();
    argument << shortcut.id << shortcut.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, PortalShortcut &shortcut)
{
    argument.beginStructure();
    argument >> shortcut.id >> shortcut.properties;
    argument.endStructure();
    return argument;
}

} // namespace

Q_DECLARE_METATYPE(PortalShortcut)

namespace {

QVariantMap toMap(const QVariant &value)
{
    if (value.canConvert<QDBusArgument>())
        return qdbus_cast<QVariantMap>(value.value<QDBusArgument>());
    return value.toMap();
}

QString toPath(const QVariant &value)
{
    if (value.canConvert<QDBusObjectPath>())
        return value.value<QDBusObjectPath>().path();
    return value.toString();
}

// The portal names a request after the caller's unique bus name and the caller's token.
QString requestPath(const QDBusConnection &bus, const QString &token)
{
    QString sender = bus.baseService().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    return portalPath + QStringLiteral("/request/") + sender + QLatin1Char('/') + token;
}

bool isGone(const QDBusError &error)
{
    return error.type() == QDBusError::ServiceUnknown || error.type() == QDBusError::NoReply
        || error.type() == QDBusError::Disconnected || error.type() == QDBusError::Timeout;
}

} // namespace

std::optional<uint> PortalHotKeyBackend::availableVersion(const QDBusConnection &bus, int timeoutMs)
{
    if (!bus.isConnected())
        return std::nullopt;
    QDBusMessage get = QDBusMessage::createMethodCall(portalService, portalPath,
                                                      QStringLiteral("org.freedesktop.DBus.Properties"),
                                                      QStringLiteral("Get"));
    get.setArguments({shortcutsInterface, QStringLiteral("version")});
    const QDBusMessage reply = QDBusConnection(bus).call(get, QDBus::Block, timeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return std::nullopt;
    bool ok = false;
    const uint version = reply.arguments().constFirst().value<QDBusVariant>().variant().toUInt(&ok);
    return ok && version >= 1 ? std::optional<uint>(version) : std::nullopt;
}

bool PortalHotKeyBackend::desktopHasBackend(const QString &currentDesktop, QStringList portalFolders)
{
    if (portalFolders.isEmpty()) {
        for (const QString &data : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
            portalFolders.append(data + QStringLiteral("/xdg-desktop-portal/portals"));
    }
    const QStringList desktops = currentDesktop.toLower().split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString &folder : portalFolders) {
        for (const QFileInfo &file : QDir(folder).entryInfoList({QStringLiteral("*.portal")}, QDir::Files)) {
            // A small key file: "Interfaces=a;b;c" and "UseIn=gnome;ubuntu" under [portal].
            const BoundedFileReader::Result portal = BoundedFileReader::read(file.filePath(), 64 * 1024);
            if (portal.outcome != BoundedFileReader::Outcome::Read)
                continue;
            QStringList interfaces;
            QStringList useIn;
            for (const QByteArray &raw : portal.bytes.split('\n')) {
                const QString line = QString::fromUtf8(raw).trimmed();
                if (line.startsWith(QLatin1String("Interfaces=")))
                    interfaces = line.mid(11).split(QLatin1Char(';'), Qt::SkipEmptyParts);
                else if (line.startsWith(QLatin1String("UseIn=")))
                    useIn = line.mid(6).toLower().split(QLatin1Char(';'), Qt::SkipEmptyParts);
            }
            if (!interfaces.contains(QLatin1String("org.freedesktop.impl.portal.GlobalShortcuts")))
                continue;
            for (const QString &desktop : desktops) {
                if (useIn.contains(desktop))
                    return true;
            }
        }
    }
    return false;
}

PortalHotKeyBackend::PortalHotKeyBackend(const QDBusConnection &bus, uint version, QString appId, QObject *parent)
    : QObject(parent), bus_(bus), version_(version), appId_(std::move(appId))
{
    qDBusRegisterMetaType<PortalShortcut>();
    qDBusRegisterMetaType<QList<PortalShortcut>>();
    bus_.connect(portalService, portalPath, shortcutsInterface, QStringLiteral("Activated"), this,
                 SLOT(onActivated(QDBusMessage)));
    bus_.connect(portalService, portalPath, shortcutsInterface, QStringLiteral("ShortcutsChanged"), this,
                 SLOT(onShortcutsChanged(QDBusMessage)));
    watcher_ = std::make_unique<QDBusServiceWatcher>(portalService, bus_, QDBusServiceWatcher::WatchForOwnerChange);
    connect(watcher_.get(), &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString &, const QString &oldOwner, const QString &newOwner) {
                if (!oldOwner.isEmpty())
                    portalOwnerChanged(QString());
                if (!newOwner.isEmpty())
                    portalOwnerChanged(newOwner);
            });
}

PortalHotKeyBackend::~PortalHotKeyBackend()
{
    for (auto it = requests_.cbegin(); it != requests_.cend(); ++it)
        bus_.disconnect(portalService, it.key(), requestInterface, QStringLiteral("Response"), this,
                        SLOT(onResponse(QDBusMessage)));
}

HotKeyBackend::Result PortalHotKeyBackend::grab(quint32 keyCode, quint32 modifiers)
{
    const std::optional<QString> trigger = DesktopKeyNames::freedesktopTrigger(keyCode, modifiers);
    if (!trigger) {
        wanted_.clear();
        return Result::NoSuchKey;
    }
    wanted_ = *trigger;
    failureReason_.clear();
    if (!sessionHandle_.isEmpty())
        bind();
    else if (!creatingSession_)
        start();
    return Result::Pending;
}

void PortalHotKeyBackend::ungrab()
{
    wanted_.clear();
}

void PortalHotKeyBackend::setHandlers(std::function<void(const ActivationRequest &)> pressed,
                                      std::function<void(Result)> regrabbed)
{
    pressed_ = std::move(pressed);
    regrabbed_ = std::move(regrabbed);
}

void PortalHotKeyBackend::configure()
{
    if (!canConfigure())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(portalService, portalPath, shortcutsInterface,
                                                       QStringLiteral("ConfigureShortcuts"));
    call.setArguments({QVariant::fromValue(QDBusObjectPath(sessionHandle_)), QString(), QVariantMap()});
    auto *watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [](QDBusPendingCallWatcher *finished) {
        finished->deleteLater();
        if (finished->isError())
            SystemLog::shared().write(QStringLiteral("Corvane: the desktop's shortcut settings did not open: ")
                                      + finished->error().message());
    });
}

void PortalHotKeyBackend::portalOwnerChanged(const QString &newOwner)
{
    if (newOwner.isEmpty()) {
        // The portal left: its sessions and requests went with it.
        for (auto it = requests_.cbegin(); it != requests_.cend(); ++it)
            bus_.disconnect(portalService, it.key(), requestInterface, QStringLiteral("Response"), this,
                            SLOT(onResponse(QDBusMessage)));
        requests_.clear();
        const bool hadSession = !sessionHandle_.isEmpty() || creatingSession_;
        sessionHandle_.clear();
        creatingSession_ = false;
        triggerDescription_.clear();
        if (hadSession && !wanted_.isEmpty()) {
            SystemLog::shared().write(QStringLiteral("Corvane: the desktop portal left the session bus; "
                                                     "the hot key comes back with it"));
            report(Result::Unavailable);
        }
        return;
    }
    // A newer portal may have come back: ask again what it offers.
    QDBusMessage get = QDBusMessage::createMethodCall(portalService, portalPath,
                                                      QStringLiteral("org.freedesktop.DBus.Properties"),
                                                      QStringLiteral("Get"));
    get.setArguments({shortcutsInterface, QStringLiteral("version")});
    auto *watcher = new QDBusPendingCallWatcher(bus_.asyncCall(get), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *finished) {
        finished->deleteLater();
        const QDBusPendingReply<QDBusVariant> reply = *finished;
        if (!reply.isError() && reply.value().variant().toUInt() >= 1)
            version_ = reply.value().variant().toUInt();
    });
    if (!wanted_.isEmpty() && sessionHandle_.isEmpty() && !creatingSession_) {
        SystemLog::shared().write(QStringLiteral("Corvane: the desktop portal is back; binding the hot key again"));
        start();
    }
}

void PortalHotKeyBackend::start()
{
    creatingSession_ = true;
    if (appId_.isEmpty()) {
        createSession();
        return;
    }
    // A program outside a sandbox tells the portal its desktop-file id, before any other call, where
    // the portal offers that; older portals take it from the program's launch scope instead.
    QDBusMessage call = QDBusMessage::createMethodCall(portalService, portalPath, registryInterface,
                                                       QStringLiteral("Register"));
    call.setArguments({appId_, QVariantMap()});
    auto *watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *finished) {
        finished->deleteLater();
        const QDBusError error = finished->error();
        if (error.isValid() && error.type() != QDBusError::UnknownMethod && error.type() != QDBusError::UnknownInterface
            && error.type() != QDBusError::UnknownObject)
            SystemLog::shared().write(QStringLiteral("Corvane: the desktop portal did not register %1: %2")
                                          .arg(appId_, error.message()));
        if (creatingSession_)
            createSession();
    });
}

void PortalHotKeyBackend::createSession()
{
    const QString token = newToken("corvane_session");
    QVariantMap options{{QStringLiteral("handle_token"), token}, {QStringLiteral("session_handle_token"), token}};
    if (!wanted_.isEmpty())
        options.insert(QStringLiteral("shortcuts"), shortcutList());
    request(Call::CreateSession, QStringLiteral("CreateSession"), {options}, token);
}

QVariant PortalHotKeyBackend::shortcutList() const
{
    const QList<PortalShortcut> shortcuts{
        {QString::fromLatin1(shortcutId),
         {{QStringLiteral("description"), tr("Show or hide the shortcut panel")},
          {QStringLiteral("preferred_trigger"), wanted_}}}};
    return QVariant::fromValue(shortcuts);
}

void PortalHotKeyBackend::bind()
{
    if (wanted_.isEmpty() || sessionHandle_.isEmpty())
        return;
    const QString token = newToken("corvane_bind");
    request(Call::Bind, QStringLiteral("BindShortcuts"),
            {QVariant::fromValue(QDBusObjectPath(sessionHandle_)), shortcutList(), QString(),
             QVariantMap{{QStringLiteral("handle_token"), token}}},
            token);
}

void PortalHotKeyBackend::list(Call call)
{
    if (sessionHandle_.isEmpty())
        return;
    const QString token = newToken("corvane_list");
    request(call, QStringLiteral("ListShortcuts"),
            {QVariant::fromValue(QDBusObjectPath(sessionHandle_)), QVariantMap{{QStringLiteral("handle_token"), token}}},
            token);
}

void PortalHotKeyBackend::request(Call call, const QString &method, QList<QVariant> arguments, const QString &token)
{
    // Listen for the answer before asking, so that no answer can come first.
    const QString expected = requestPath(bus_, token);
    requests_.insert(expected, call);
    bus_.connect(portalService, expected, requestInterface, QStringLiteral("Response"), this,
                 SLOT(onResponse(QDBusMessage)));
    QDBusMessage message = QDBusMessage::createMethodCall(portalService, portalPath, shortcutsInterface, method);
    message.setArguments(arguments);
    auto *watcher = new QDBusPendingCallWatcher(bus_.asyncCall(message), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, call, expected](QDBusPendingCallWatcher *finished) { requestReturned(finished, call, expected); });
}

void PortalHotKeyBackend::requestReturned(QDBusPendingCallWatcher *watcher, Call call, const QString &expectedPath)
{
    watcher->deleteLater();
    const QDBusPendingReply<QDBusObjectPath> reply = *watcher;
    if (reply.isError()) {
        forget(expectedPath);
        if (call == Call::CreateSession)
            creatingSession_ = false;
        if (isGone(reply.error()))
            return;  // the portal left; its return starts over
        if (call == Call::List) {
            bind();  // a portal that cannot list: ask for the binding
            return;
        }
        if (call == Call::Check) {
            fail(QStringLiteral("the desktop bound no shortcut"));
            return;
        }
        if (call == Call::CreateSession) {
            unusable(reply.error().message());
            return;
        }
        fail(reply.error().message());
        return;
    }
    // Portals older than the handle_token convention answer on a path of their own.
    const QString path = reply.value().path();
    if (path != expectedPath && requests_.contains(expectedPath)) {
        forget(expectedPath);
        requests_.insert(path, call);
        bus_.connect(portalService, path, requestInterface, QStringLiteral("Response"), this,
                     SLOT(onResponse(QDBusMessage)));
    }
}

void PortalHotKeyBackend::forget(const QString &path)
{
    if (requests_.remove(path))
        bus_.disconnect(portalService, path, requestInterface, QStringLiteral("Response"), this,
                        SLOT(onResponse(QDBusMessage)));
}

void PortalHotKeyBackend::onResponse(const QDBusMessage &message)
{
    const QString path = message.path();
    const auto found = requests_.constFind(path);
    if (found == requests_.cend() || message.arguments().size() < 2)
        return;
    const Call call = *found;
    forget(path);
    const uint response = message.arguments().at(0).toUInt();
    const QVariantMap results = toMap(message.arguments().at(1));
    const QString refusal = response == 1 ? QStringLiteral("cancelled") : QStringLiteral("the desktop answered %1").arg(response);

    switch (call) {
    case Call::CreateSession:
        creatingSession_ = false;
        if (response != 0) {
            // A portal whose backend cannot serve this session (another desktop's backend) answers
            // here: the session's own way takes over, if it has one.
            unusable(QStringLiteral("no shortcut session (%1)").arg(refusal));
            return;
        }
        sessionHandle_ = toPath(results.value(QStringLiteral("session_handle")));
        if (sessionHandle_.isEmpty()) {
            unusable(QStringLiteral("no shortcut session (no handle)"));
            return;
        }
        // The desktop may have bound the shortcut already: Plasma 5.27 binds what CreateSession
        // names and answers with it; others may list it from an earlier run. Binding again would
        // only open their settings.
        if (takeDescription(results.value(QStringLiteral("shortcuts"))))
            report(Result::Grabbed);
        else
            list(Call::List);
        return;
    case Call::Bind:
        if (response != 0) {
            fail(refusal);
            return;
        }
        if (takeDescription(results.value(QStringLiteral("shortcuts")))) {
            if (triggerDescription_.isEmpty())
                list(Call::Check);
            report(Result::Grabbed);
        } else {
            // Answered without our shortcut: see whether the desktop holds it all the same.
            list(Call::Check);
        }
        return;
    case Call::List:
        if (response == 0 && takeDescription(results.value(QStringLiteral("shortcuts"))))
            report(Result::Grabbed);
        else
            bind();
        return;
    case Call::Check:
        if (response == 0 && takeDescription(results.value(QStringLiteral("shortcuts"))))
            report(Result::Grabbed);
        else
            fail(QStringLiteral("the desktop bound no shortcut"));
        return;
    }
}

void PortalHotKeyBackend::onActivated(const QDBusMessage &message)
{
    const QList<QVariant> arguments = message.arguments();
    if (arguments.size() < 2 || toPath(arguments.at(0)) != sessionHandle_ || sessionHandle_.isEmpty()
        || arguments.at(1).toString() != QLatin1String(shortcutId) || wanted_.isEmpty() || !pressed_)
        return;
    const QVariantMap options = arguments.size() >= 4 ? toMap(arguments.at(3)) : QVariantMap();
    pressed_(ActivationRequest{options.value(QStringLiteral("activation_token")).toString()});
}

void PortalHotKeyBackend::onShortcutsChanged(const QDBusMessage &message)
{
    const QList<QVariant> arguments = message.arguments();
    if (arguments.size() < 2 || sessionHandle_.isEmpty() || toPath(arguments.at(0)) != sessionHandle_)
        return;
    if (takeDescription(arguments.at(1)))
        report(Result::Grabbed);
}

// Reads the trigger the desktop reports for our shortcut; false when the list does not name it.
bool PortalHotKeyBackend::takeDescription(const QVariant &shortcuts)
{
    if (!shortcuts.canConvert<QDBusArgument>())
        return false;
    const QList<PortalShortcut> list = qdbus_cast<QList<PortalShortcut>>(shortcuts.value<QDBusArgument>());
    for (const PortalShortcut &shortcut : list) {
        if (shortcut.id == QLatin1String(shortcutId)) {
            triggerDescription_ = shortcut.properties.value(QStringLiteral("trigger_description")).toString();
            return true;
        }
    }
    return false;
}

void PortalHotKeyBackend::unusable(const QString &reason)
{
    failureReason_ = reason;
    SystemLog::shared().write(QStringLiteral("Corvane: the desktop portal has no global shortcuts for this session: ")
                              + reason);
    report(Result::Unavailable);
}

void PortalHotKeyBackend::fail(const QString &reason)
{
    failureReason_ = reason;
    report(Result::Refused);
}

void PortalHotKeyBackend::report(Result result)
{
    if (regrabbed_)
        regrabbed_(result);
}

QString PortalHotKeyBackend::newToken(const char *prefix)
{
    // Unique on the connection, also when two backends share it: the portal names sessions and
    // requests after the sender and the token.
    static std::atomic<quint64> counter{0};
    return QStringLiteral("%1_%2").arg(QLatin1String(prefix)).arg(++counter);
}
