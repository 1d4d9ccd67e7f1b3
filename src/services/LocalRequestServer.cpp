#include "services/LocalRequestServer.h"

#include "services/SystemLog.h"

#include <QFile>
#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

QString errnoText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// How long accepting pauses when the process has no descriptor left, and how often the socket file
// is checked.
constexpr int exhaustionPauseMs = 200;
constexpr int watchIntervalMs = 10000;

} // namespace

struct LocalRequestServer::Connection {
    int fd = -1;
    QSocketNotifier *notifier = nullptr; // a child of the server
    QByteArray buffer;
    QElapsedTimer opened;
};

LocalRequestServer::LocalRequestServer(QObject *parent) : QObject(parent)
{
    idleTimer_.setInterval(250);
    connect(&idleTimer_, &QTimer::timeout, this, &LocalRequestServer::closeIdle);
    retryTimer_.setSingleShot(true);
    connect(&retryTimer_, &QTimer::timeout, this, [this] {
        if (listenFd_ < 0)
            rebind();
        else if (listenNotifier_)
            listenNotifier_->setEnabled(true);
        acceptPending();
    });
    watchTimer_.setInterval(watchIntervalMs);
    connect(&watchTimer_, &QTimer::timeout, this, &LocalRequestServer::checkSocketFile);
}

LocalRequestServer::~LocalRequestServer()
{
    for (const auto &connection : connections_)
        ::close(connection->fd);
    // Remove the socket file only while it is still ours.
    if (listenFd_ >= 0 && FileStamp::of(path_).inode == socketStamp_.inode)
        ::unlink(QFile::encodeName(path_).constData());
    closeListener();
}

bool LocalRequestServer::bind(const QString &path, QString *reason)
{
    const auto fail = [reason](const QString &why) {
        if (reason)
            *reason = why;
        return false;
    };
    closeListener();
    path_ = path;
    const QByteArray name = QFile::encodeName(path);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (size_t(name.size()) >= sizeof address.sun_path)
        return fail(QStringLiteral("the path is longer than the system allows (%1 bytes)").arg(sizeof address.sun_path - 1));
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));

    // Whatever socket is there was left by a program that no longer owns the path. Anything else in
    // the way is not ours to remove.
    struct stat existing {};
    if (::lstat(name.constData(), &existing) == 0) {
        if (!S_ISSOCK(existing.st_mode))
            return fail(S_ISDIR(existing.st_mode) ? QStringLiteral("a directory is in the way")
                                                  : QStringLiteral("a file that is not a socket is in the way"));
        if (::unlink(name.constData()) != 0)
            return fail(errnoText(errno));
    }

    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return fail(errnoText(errno));
    // Only this user may connect: the socket is created without permissions for anybody else.
    const mode_t previousMask = ::umask(0077);
    const int bound = ::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address);
    const int bindError = errno;
    ::umask(previousMask);
    if (bound != 0 || ::listen(fd, 64) != 0) {
        const int error = bound != 0 ? bindError : errno;
        ::close(fd);
        return fail(errnoText(error));
    }
    listenFd_ = fd;
    socketStamp_ = FileStamp::of(path_);
    if (started_)
        start();
    return true;
}

void LocalRequestServer::start()
{
    started_ = true;
    watchTimer_.start();
    if (listenFd_ < 0)
        return;
    if (listenNotifier_)
        listenNotifier_->deleteLater();
    listenNotifier_ = new QSocketNotifier(qintptr(listenFd_), QSocketNotifier::Read, this);
    connect(listenNotifier_, &QSocketNotifier::activated, this, &LocalRequestServer::acceptPending);
    acceptPending();
}

void LocalRequestServer::closeListener()
{
    // This may run inside the notifier's own signal: let it go later.
    if (listenNotifier_) {
        listenNotifier_->setEnabled(false);
        listenNotifier_->deleteLater();
        listenNotifier_ = nullptr;
    }
    if (listenFd_ >= 0)
        ::close(listenFd_);
    listenFd_ = -1;
}

void LocalRequestServer::rebind()
{
    QString reason;
    if (bind(path_, &reason)) {
        SystemLog::shared().write(QStringLiteral("Corvane: listening again on %1").arg(SystemLog::escaped(path_)));
        return;
    }
    SystemLog::shared().write(
        QStringLiteral("Corvane: cannot listen on %1 (%2); trying again").arg(SystemLog::escaped(path_), reason));
    retryTimer_.start(1000);
}

void LocalRequestServer::acceptPending()
{
    while (listenFd_ >= 0) {
        const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd >= 0) {
            exhaustionLogged_ = false;
            if (int(connections_.size()) >= limits_.maxConnections)
                closeOldest();
            auto connection = std::make_unique<Connection>();
            connection->fd = fd;
            connection->opened.start();
            connection->notifier = new QSocketNotifier(qintptr(fd), QSocketNotifier::Read, this);
            Connection *raw = connection.get();
            connect(raw->notifier, &QSocketNotifier::activated, this, [this, raw] { read(raw); });
            connections_.push_back(std::move(connection));
            if (!idleTimer_.isActive())
                idleTimer_.start();
            continue;
        }
        const int error = errno;
        switch (error) {
        case EAGAIN:
#if EAGAIN != EWOULDBLOCK
        case EWOULDBLOCK:
#endif
            return;
        case EINTR:
        case ECONNABORTED:
        case EPROTO:
        case EPERM:
            continue; // that one connection failed; the next may not
        case EMFILE:
        case ENFILE:
        case ENOBUFS:
        case ENOMEM:
            // No descriptor for the connection: give one of ours back, or wait for the process to
            // release some. The pending connection stays in the queue meanwhile.
            if (!connections_.empty()) {
                closeOldest();
                continue;
            }
            if (!exhaustionLogged_) {
                exhaustionLogged_ = true;
                SystemLog::shared().write(
                    QStringLiteral("Corvane: cannot accept a request (%1); trying again").arg(errnoText(error)));
            }
            if (listenNotifier_)
                listenNotifier_->setEnabled(false);
            retryTimer_.start(exhaustionPauseMs);
            return;
        default:
            SystemLog::shared().write(QStringLiteral("Corvane: the request socket %1 failed (%2); listening again")
                                          .arg(SystemLog::escaped(path_), errnoText(error)));
            rebind();
            return;
        }
    }
}

void LocalRequestServer::read(Connection *connection)
{
    char buffer[1024];
    for (;;) {
        const ssize_t n = ::recv(connection->fd, buffer, sizeof buffer, 0);
        if (n > 0) {
            connection->buffer.append(buffer, n);
            const qsizetype end = connection->buffer.indexOf('\n');
            if (end >= 0 && end <= limits_.maxLineLength) {
                const QByteArray line = connection->buffer.left(end);
                // A client that gave up waiting (this process was stopped, say) has closed its end and
                // told its user that nothing happened: do not carry out its request late.
                const bool acknowledged = ::send(connection->fd, "ok\n", 3, MSG_NOSIGNAL | MSG_DONTWAIT) == 3;
                close(connection);
                if (acknowledged)
                    Q_EMIT lineReceived(line);
                return;
            }
            if (connection->buffer.size() > limits_.maxLineLength) {
                close(connection); // not one of ours
                return;
            }
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return;
        close(connection); // closed by the client, or broken
        return;
    }
}

void LocalRequestServer::close(Connection *connection)
{
    for (auto it = connections_.begin(); it != connections_.end(); ++it) {
        if (it->get() != connection)
            continue;
        // The notifier may be the one whose signal runs right now: let it go after this call.
        (*it)->notifier->setEnabled(false);
        (*it)->notifier->deleteLater();
        ::close((*it)->fd);
        connections_.erase(it);
        break;
    }
    if (connections_.empty())
        idleTimer_.stop();
}

// Makes room for a new connection: the oldest goes, once what it has sent is served.
void LocalRequestServer::closeOldest()
{
    Connection *oldest = connections_.front().get();
    read(oldest);
    if (!connections_.empty() && connections_.front().get() == oldest)
        close(oldest);
}

void LocalRequestServer::closeIdle()
{
    while (!connections_.empty() && connections_.front()->opened.hasExpired(limits_.idleTimeoutMs))
        close(connections_.front().get());
}

// A socket file removed (a clean-up of the runtime folder) or replaced leaves the server unreachable
// though it listens: bind the path again.
void LocalRequestServer::checkSocketFile()
{
    if (listenFd_ < 0 || retryTimer_.isActive())
        return;
    const FileStamp now = FileStamp::of(path_);
    if (!now.exists || now.inode != socketStamp_.inode || now.device != socketStamp_.device) {
        SystemLog::shared().write(
            QStringLiteral("Corvane: the request socket %1 was removed or replaced").arg(SystemLog::escaped(path_)));
        rebind();
    }
}
