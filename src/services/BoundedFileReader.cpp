#include "services/BoundedFileReader.h"

#include <QFile>

#include <algorithm>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString errnoText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

BoundedFileReader::Result BoundedFileReader::read(const QString &path, qint64 maxSize)
{
    return readNative(QFile::encodeName(path), maxSize);
}

BoundedFileReader::Result BoundedFileReader::readNative(const QByteArray &name, qint64 maxSize)
{
    return readFile(name, maxSize, 0, true);
}

BoundedFileReader::Result BoundedFileReader::readPadded(const QString &path, qint64 maxSize, qsizetype padding)
{
    return readFile(QFile::encodeName(path), maxSize, padding, false);
}

BoundedFileReader::Result BoundedFileReader::readFile(const QByteArray &name, qint64 maxSize, qsizetype padding,
                                                      bool stamp)
{
    Result result;
    struct stat info {};
    if (::stat(name.constData(), &info) != 0) {
        const int error = errno;
        struct stat link {};
        if (error == ENOENT && ::lstat(name.constData(), &link) != 0)
            return result; // nothing there at all
        result.outcome = error == ENOENT ? Outcome::NotRegular : Outcome::Unreadable;
        result.reason = error == ENOENT ? QStringLiteral("a link to nothing") : errnoText(error);
        return result;
    }
    if (stamp)
        result.stamp = FileStamp::ofNative(name);
    if (!S_ISREG(info.st_mode)) {
        result.outcome = Outcome::NotRegular;
        result.reason = S_ISDIR(info.st_mode) ? QStringLiteral("a directory") : QStringLiteral("not a regular file");
        return result;
    }
    if (qint64(info.st_size) > maxSize) {
        result.outcome = Outcome::TooLarge;
        result.reason = QStringLiteral("larger than %1 bytes").arg(maxSize);
        return result;
    }
    // O_NONBLOCK: should a FIFO take the file's place after the check above, neither opening nor
    // reading it waits for a writer; where the stamp is taken, the check after opening refuses it.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        result.outcome = Outcome::Unreadable;
        result.reason = errnoText(errno);
        return result;
    }
    if (stamp) {
        if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
            ::close(fd);
            result.outcome = Outcome::NotRegular;
            result.reason = QStringLiteral("not a regular file");
            return result;
        }
        result.stamp = FileStamp::ofDescriptor(fd);
    }
    // Read up to one byte past the limit: a file that grew meanwhile is refused, not cut short. The
    // padding is room enough for a file that did not grow.
    QByteArray bytes(qsizetype(std::min<qint64>(qint64(info.st_size), maxSize) + 1 + padding), Qt::Uninitialized);
    qint64 total = 0;
    for (;;) {
        if (total == bytes.size() - padding) {
            if (total > maxSize)
                break;
            bytes.resize(qsizetype(std::min<qint64>(total * 2 + 4096, maxSize + 1)) + padding);
        }
        const ssize_t got = ::read(fd, bytes.data() + total, size_t(bytes.size() - padding - total));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            const int error = errno;
            ::close(fd);
            result.outcome = Outcome::Unreadable;
            result.reason = errnoText(error);
            return result;
        }
        if (got == 0)
            break;
        total += got;
    }
    ::close(fd);
    if (total > maxSize) {
        result.outcome = Outcome::TooLarge;
        result.reason = QStringLiteral("larger than %1 bytes").arg(maxSize);
        return result;
    }
    bytes.truncate(qsizetype(total) + padding);
    std::fill(bytes.begin() + total, bytes.end(), '\0');
    result.outcome = Outcome::Read;
    result.bytes = std::move(bytes);
    return result;
}
