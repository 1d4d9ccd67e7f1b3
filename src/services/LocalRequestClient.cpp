#include "services/LocalRequestClient.h"

#include <QDeadlineTimer>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

QString errnoText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Waits for `events` on `fd` until the deadline; false on timeout.
bool waitFor(int fd, short events, const QDeadlineTimer &deadline)
{
    for (;;) {
        pollfd entry{fd, events, 0};
        const int ready = ::poll(&entry, 1, int(std::max<qint64>(0, deadline.remainingTime())));
        if (ready > 0)
            return true;
        if (ready == 0)
            return false;
        if (errno != EINTR)
            return true; // let the following call report the error
    }
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

} // namespace

namespace LocalRequestClient {

Result send(const QString &path, const QByteArray &line, int timeoutMs, QString *reason)
{
    const auto fail = [reason](Result result, const QString &why) {
        if (reason)
            *reason = why;
        return result;
    };
    const QByteArray name = QFile::encodeName(path);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (size_t(name.size()) >= sizeof address.sun_path)
        return fail(Result::Failed, QStringLiteral("the path is longer than the system allows (%1 bytes)")
                                        .arg(sizeof address.sun_path - 1));
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));

    const QDeadlineTimer deadline(timeoutMs);
    const Descriptor socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (socket.get() < 0)
        return fail(Result::Failed, errnoText(errno));
    // A Unix socket whose listen queue is full refuses at once (EAGAIN) instead of waiting: retry.
    for (;;) {
        if (::connect(socket.get(), reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0)
            break;
        const int error = errno;
        if (error == EINTR)
            continue;
        if (error == EINPROGRESS) {
            if (!waitFor(socket.get(), POLLOUT, deadline))
                return fail(Result::NoAnswer, QStringLiteral("no connection within the time allowed"));
            int pending = 0;
            socklen_t length = sizeof pending;
            ::getsockopt(socket.get(), SOL_SOCKET, SO_ERROR, &pending, &length);
            if (pending == 0)
                break;
            return fail(Result::NoServer, errnoText(pending));
        }
        if (error == EAGAIN) {
            if (deadline.hasExpired())
                return fail(Result::NoAnswer, QStringLiteral("its queue of requests stayed full"));
            ::usleep(10000);
            continue;
        }
        if (error == ENOENT || error == ECONNREFUSED)
            return fail(Result::NoServer, errnoText(error));
        return fail(Result::Failed, errnoText(error));
    }

    const QByteArray request = line + '\n';
    qsizetype sent = 0;
    while (sent < request.size()) {
        const ssize_t n = ::send(socket.get(), request.constData() + sent, size_t(request.size() - sent), MSG_NOSIGNAL);
        if (n >= 0) {
            sent += n;
            continue;
        }
        if (errno == EINTR)
            continue;
        if (errno != EAGAIN || !waitFor(socket.get(), POLLOUT, deadline))
            return fail(Result::NoAnswer, errno == EAGAIN ? QStringLiteral("it did not read the request")
                                                          : errnoText(errno));
    }

    // The acknowledgement: "ok" and a newline, then the server closes the connection.
    QByteArray reply;
    char buffer[64];
    for (;;) {
        if (reply.contains('\n'))
            break;
        if (!waitFor(socket.get(), POLLIN, deadline))
            return fail(Result::NoAnswer, QStringLiteral("no answer within the time allowed"));
        const ssize_t n = ::recv(socket.get(), buffer, sizeof buffer, 0);
        if (n > 0) {
            reply.append(buffer, n);
            if (reply.size() > 64)
                break;
            continue;
        }
        if (n < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        break; // closed or reset
    }
    if (reply.startsWith("ok\n"))
        return Result::Answered;
    return fail(Result::NoAnswer, QStringLiteral("the connection was closed without an answer"));
}

} // namespace LocalRequestClient
