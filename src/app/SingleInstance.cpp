#include "app/SingleInstance.h"

#include "services/LocalRequestClient.h"
#include "services/LocalRequestServer.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QStandardPaths>
#include <QThread>

#include <unistd.h>

namespace {
constexpr qsizetype maxTokenLength = 256;

// Tokens are opaque to us; we only pass on what cannot break the line format.
bool isPlainToken(const QString &token)
{
    if (token.isEmpty() || token.size() > maxTokenLength)
        return false;
    for (QChar c : token) {
        if (c.unicode() <= 0x20 || c.unicode() >= 0x7f)
            return false;
    }
    return true;
}
}

SingleInstance::SingleInstance(const QString &name, QObject *parent) : QObject(parent)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    const QString base = QDir(folder).filePath(QStringLiteral("%1-%2").arg(name).arg(getuid()));
    path_ = base + QStringLiteral(".socket");
    lockPath_ = base + QStringLiteral(".lock");
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::commandFor(const QStringList &arguments)
{
    for (const QString &argument : arguments) {
        if (argument == QLatin1String("--toggle"))
            return QStringLiteral("toggle");
        if (argument == QLatin1String("--show"))
            return QStringLiteral("show");
        if (argument == QLatin1String("--settings"))
            return QStringLiteral("settings");
        if (argument == QLatin1String("--quit"))
            return QStringLiteral("quit");
    }
    return QStringLiteral("open");
}

QString SingleInstance::activationTokenFromEnvironment()
{
    for (const char *name : {"XDG_ACTIVATION_TOKEN", "DESKTOP_STARTUP_ID"}) {
        const QString token = qEnvironmentVariable(name);
        if (isPlainToken(token))
            return token;
    }
    return QString();
}

SingleInstance::Role SingleInstance::claim()
{
    if (role_ == Role::First)
        return role_;
    QString reason;
    switch (lock_.acquire(lockPath_, 0, &reason)) {
    case FileLock::Outcome::Busy:
        return role_ = Role::Later;
    case FileLock::Outcome::Failed:
        error_ = QStringLiteral("cannot use the lock file %1 (%2)").arg(lockPath_, reason);
        return role_ = Role::Failed;
    case FileLock::Outcome::Acquired:
        break;
    }
    server_ = std::make_unique<LocalRequestServer>();
    if (!server_->bind(path_, &reason)) {
        server_.reset();
        lock_.release();
        error_ = QStringLiteral("cannot listen on %1 (%2)").arg(path_, reason);
        return role_ = Role::Failed;
    }
    connect(server_.get(), &LocalRequestServer::lineReceived, this, &SingleInstance::receive);
    return role_ = Role::First;
}

bool SingleInstance::sendToRunning(const QString &command, const QString &activationToken, int timeoutMs)
{
    QByteArray line = command.toUtf8();
    if (isPlainToken(activationToken))
        line += ' ' + activationToken.toLatin1();
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        QString reason;
        const auto result =
            LocalRequestClient::send(path_, line, int(std::max<qint64>(1, deadline.remainingTime())), &reason);
        if (result == LocalRequestClient::Result::Answered)
            return true;
        // Nobody listens yet: the instance may be starting, between taking the lock and binding.
        if (result == LocalRequestClient::Result::NoServer && !deadline.hasExpired()) {
            QThread::msleep(50);
            continue;
        }
        error_ = QStringLiteral("the running instance did not answer at %1 (%2)").arg(path_, reason);
        return false;
    }
}

bool SingleInstance::listen()
{
    if (claim() != Role::First || !server_) {
        if (role_ == Role::Later)
            error_ = QStringLiteral("another instance holds %1").arg(lockPath_);
        return false;
    }
    server_->start();
    return true;
}

void SingleInstance::receive(const QByteArray &raw)
{
    const QString line = QString::fromUtf8(raw).trimmed();
    const qsizetype space = line.indexOf(QLatin1Char(' '));
    const QString command = space < 0 ? line : line.left(space);
    const QString token = space < 0 ? QString() : line.mid(space + 1);
    Q_EMIT commandReceived(command, isPlainToken(token) ? token : QString());
}

void SingleInstance::close()
{
    server_.reset();
}
