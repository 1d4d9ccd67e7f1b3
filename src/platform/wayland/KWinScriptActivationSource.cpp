#include "platform/wayland/KWinScriptActivationSource.h"

#include "services/SystemLog.h"

#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QDBusVirtualObject>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTimer>

namespace {

const QString kwinService = QStringLiteral("org.kde.KWin");
const QString scriptingPath = QStringLiteral("/Scripting");
const QString scriptingInterface = QStringLiteral("org.kde.kwin.Scripting");
constexpr int callTimeoutMs = 3000;
// A KWin that has just taken its name offers scripting within a few seconds.
constexpr int retryIntervalMs = 500;
constexpr int maxAttempts = 20;

void log(const QString &line)
{
    SystemLog::shared().write(QStringLiteral("Corvane: KWin script: ") + line);
}

// The script passes the pid as whatever number type its JavaScript engine chose.
std::optional<qint64> pidOf(const QVariant &value)
{
    bool ok = false;
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort: {
        const qint64 pid = value.toLongLong(&ok);
        return ok && pid >= 0 ? std::optional<qint64>(pid) : std::nullopt;
    }
    case QMetaType::Double: {
        const double pid = value.toDouble();
        return pid >= 0 && pid < 4194305.0 && pid == qint64(pid) ? std::optional<qint64>(qint64(pid)) : std::nullopt;
    }
    default: return std::nullopt;
    }
}

} // namespace

// Receives the script's calls on our object path, whatever number type the pid arrives in.
class KWinScriptActivationSource::Receiver : public QDBusVirtualObject {
public:
    explicit Receiver(KWinScriptActivationSource &source) : source_(source) {}

    QString introspect(const QString &) const override
    {
        return QStringLiteral("<interface name=\"%1\"><method name=\"WindowActivated\">"
                              "<arg type=\"s\" direction=\"in\"/><arg type=\"s\" direction=\"in\"/>"
                              "<arg type=\"s\" direction=\"in\"/><arg type=\"v\" direction=\"in\"/>"
                              "</method></interface>")
            .arg(QLatin1String(interfaceName));
    }

    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override
    {
        if (message.type() != QDBusMessage::MethodCallMessage || message.interface() != QLatin1String(interfaceName)
            || message.member() != QLatin1String("WindowActivated"))
            return false;
        const bool accepted = source_.receive(message.service(), message.arguments());
        if (!message.isReplyRequired() || message.isDelayedReply())
            return true;
        connection.send(accepted ? message.createReply()
                                 : message.createErrorReply(QDBusError::InvalidArgs,
                                                            QStringLiteral("expected (s s s pid) from KWin")));
        return true;
    }

private:
    KWinScriptActivationSource &source_;
};

KWinScriptActivationSource::KWinScriptActivationSource(AppDirectory *directory, const QDBusConnection &bus,
                                                       QObject *parent)
    : QObject(parent), identity_(directory), bus_(bus), receiver_(std::make_unique<Receiver>(*this)),
      kwinWatcher_(new QDBusServiceWatcher(kwinService, bus_,
                                           QDBusServiceWatcher::WatchForRegistration
                                               | QDBusServiceWatcher::WatchForUnregistration,
                                           this)),
      retry_(new QTimer(this))
{
    retry_->setSingleShot(true);
    retry_->setInterval(retryIntervalMs);
    connect(retry_, &QTimer::timeout, this, &KWinScriptActivationSource::load);
    if (!bus_.isConnected()) {
        log(QStringLiteral("no session bus"));
        return;
    }
    if (!bus_.registerVirtualObject(QLatin1String(objectPath), receiver_.get())
        || !bus_.registerService(QLatin1String(serviceName))) {
        log(QStringLiteral("cannot take the name %1 on the session bus").arg(QLatin1String(serviceName)));
        return;
    }
    connect(kwinWatcher_, &QDBusServiceWatcher::serviceRegistered, this, [this] {
        log(QStringLiteral("KWin is back, loading the script again"));
        attempts_ = 0;
        load();
    });
    connect(kwinWatcher_, &QDBusServiceWatcher::serviceUnregistered, this, [this] {
        loaded_ = false;
        kwinOwner_.clear();
        retry_->stop();
    });
    load();
}

KWinScriptActivationSource::~KWinScriptActivationSource()
{
    unload();
    if (bus_.isConnected()) {
        bus_.unregisterObject(QLatin1String(objectPath));
        bus_.unregisterService(QLatin1String(serviceName));
    }
}

QString KWinScriptActivationSource::writeScript() const
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    folder += QStringLiteral("/corvane");
    QFile source(QStringLiteral(":/kwin-script/main.js"));
    QSaveFile target(folder + QStringLiteral("/kwin-active-window.js"));
    if (!QDir().mkpath(folder) || !source.open(QIODevice::ReadOnly) || !target.open(QIODevice::WriteOnly)
        || target.write(source.readAll()) < 0 || !target.commit()) {
        log(QStringLiteral("cannot write %1").arg(target.fileName()));
        return QString();
    }
    return target.fileName();
}

void KWinScriptActivationSource::load()
{
    loaded_ = false;
    const QDBusReply<QString> owner = bus_.interface()->serviceOwner(kwinService);
    if (!owner.isValid())
        return;  // not Plasma, or KWin not up yet: the watcher calls again
    kwinOwner_ = owner.value();
    const QString file = writeScript();
    if (file.isEmpty())
        return;
    auto call = [this](const QString &method, const QList<QVariant> &arguments) {
        QDBusMessage message = QDBusMessage::createMethodCall(kwinService, scriptingPath, scriptingInterface, method);
        message.setArguments(arguments);
        return bus_.call(message, QDBus::Block, callTimeoutMs);
    };
    // A copy left by an earlier run (or a crash) would report twice and keep an old file.
    const QDBusMessage loaded = call(QStringLiteral("isScriptLoaded"), {QLatin1String(scriptName)});
    if (loaded.type() != QDBusMessage::ReplyMessage) {
        loadLater(loaded);
        return;
    }
    if (loaded.arguments().value(0).toBool())
        call(QStringLiteral("unloadScript"), {QLatin1String(scriptName)});
    const QDBusMessage id = call(QStringLiteral("loadScript"), {file, QLatin1String(scriptName)});
    if (id.type() != QDBusMessage::ReplyMessage) {
        loadLater(id);
        return;
    }
    if (id.arguments().value(0).toInt() < 0) {
        log(QStringLiteral("KWin did not load it: refused"));
        return;
    }
    const QDBusMessage started = call(QStringLiteral("start"), {});
    if (started.type() != QDBusMessage::ReplyMessage) {
        log(QStringLiteral("KWin did not start it: %1").arg(started.errorMessage()));
        return;
    }
    attempts_ = 0;
    loaded_ = true;
    Q_EMIT scriptLoaded();
}

void KWinScriptActivationSource::loadLater(const QDBusMessage &error)
{
    // Only a KWin that has not exported scripting yet is worth asking again; one that does not
    // answer at all would freeze us at every attempt.
    const QDBusError::ErrorType type = QDBusError(error).type();
    const bool notReady = type == QDBusError::UnknownObject || type == QDBusError::UnknownInterface
        || type == QDBusError::UnknownMethod;
    if (!notReady || ++attempts_ >= maxAttempts) {
        log(QStringLiteral("KWin did not load it: %1").arg(error.errorMessage()));
        attempts_ = 0;
        return;
    }
    retry_->start();
}

void KWinScriptActivationSource::unload()
{
    if (!loaded_)
        return;
    loaded_ = false;
    QDBusMessage message =
        QDBusMessage::createMethodCall(kwinService, scriptingPath, scriptingInterface, QStringLiteral("unloadScript"));
    message.setArguments({QLatin1String(scriptName)});
    bus_.call(message, QDBus::Block, callTimeoutMs);
}

bool KWinScriptActivationSource::receive(const QString &sender, const QList<QVariant> &arguments)
{
    if (kwinOwner_.isEmpty() || sender != kwinOwner_)
        return false;
    if (arguments.size() != 4 || arguments[0].typeId() != QMetaType::QString
        || arguments[1].typeId() != QMetaType::QString || arguments[2].typeId() != QMetaType::QString)
        return false;
    const std::optional<qint64> pid = pidOf(arguments[3]);
    if (!pid)
        return false;
    ToplevelFacts facts;
    facts.desktopFileName = arguments[0].toString();
    facts.resourceClass = arguments[1].toString();
    facts.resourceName = arguments[2].toString();
    facts.pid = *pid;
    const std::optional<RunningApp> app = identity_.appOf(facts);
    if (!app)
        return true;  // a window KWin knows nothing about: nothing to report
    frontmost_ = app;
    if (handler_)
        handler_(*app);
    return true;
}
