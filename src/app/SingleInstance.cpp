#include "app/SingleInstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

#include <unistd.h>

namespace {
constexpr qint64 maxCommandLength = 512;
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
    path_ = QDir(folder).filePath(QStringLiteral("%1-%2.socket").arg(name).arg(getuid()));
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

bool SingleInstance::sendToRunning(const QString &command, const QString &activationToken, int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(path_);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    QByteArray line = command.toUtf8();
    if (isPlainToken(activationToken))
        line += ' ' + activationToken.toLatin1();
    socket.write(line + '\n');
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    // The running instance closes the connection once it has read the command.
    socket.waitForDisconnected(timeoutMs);
    return true;
}

bool SingleInstance::listen()
{
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(path_)) {
        // A socket file left by a program that died answers nobody: take its place.
        QLocalSocket probe;
        probe.connectToServer(path_);
        if (probe.waitForConnected(500))
            return false;
        QLocalServer::removeServer(path_);
        if (!server_->listen(path_))
            return false;
    }
    connect(server_.get(), &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (!socket->canReadLine()) {
                    if (socket->bytesAvailable() > maxCommandLength)
                        socket->abort();  // not one of ours
                    return;
                }
                const QString line = QString::fromUtf8(socket->readLine(maxCommandLength)).trimmed();
                socket->disconnectFromServer();
                const qsizetype space = line.indexOf(QLatin1Char(' '));
                const QString command = space < 0 ? line : line.left(space);
                const QString token = space < 0 ? QString() : line.mid(space + 1);
                Q_EMIT commandReceived(command, isPlainToken(token) ? token : QString());
            });
        }
    });
    return true;
}
