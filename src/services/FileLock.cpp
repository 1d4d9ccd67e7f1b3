#include "services/FileLock.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

FileLock::~FileLock()
{
    release();
}

FileLock::FileLock(FileLock &&other) noexcept : fd_(other.fd_)
{
    other.fd_ = -1;
}

FileLock &FileLock::operator=(FileLock &&other) noexcept
{
    if (this != &other) {
        release();
        fd_ = other.fd_;
        other.fd_ = -1;
    }
    return *this;
}

void FileLock::release()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

FileLock::Outcome FileLock::acquire(const QString &path, int waitMs, QString *reason)
{
    release();
    // O_NOFOLLOW: a link planted at the lock's place is not followed; O_NONBLOCK: a FIFO there does
    // not wait for a writer.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY,
                          0600);
    if (fd < 0) {
        if (reason)
            *reason = QString::fromLocal8Bit(std::strerror(errno));
        return Outcome::Failed;
    }
    const QDeadlineTimer deadline(waitMs);
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            fd_ = fd;
            return Outcome::Acquired;
        }
        const int error = errno;
        if (error == EINTR)
            continue;
        if (error != EWOULDBLOCK) {
            ::close(fd);
            if (reason)
                *reason = QString::fromLocal8Bit(std::strerror(error));
            return Outcome::Failed;
        }
        if (deadline.hasExpired()) {
            ::close(fd);
            return Outcome::Busy;
        }
        QThread::msleep(10);
    }
}
