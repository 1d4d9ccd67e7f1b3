#include "services/AtomicFileWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString errnoText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// The rename itself is durable only once the folder's entry is on disk too; a folder that cannot be
// synced (some file systems refuse) costs durability, not correctness.
void syncFolderOf(const QString &path)
{
    const int fd = ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Flushes, syncs and commits an open QSaveFile; on any failure the temporary file is dropped and the
// old file stays.
std::optional<QString> finish(QSaveFile &file)
{
    if (!file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (::fsync(file.handle()) != 0) {
        const QString reason = errnoText(errno);
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    syncFolderOf(file.fileName());
    return std::nullopt;
}

} // namespace

namespace AtomicFileWriter {

std::optional<QString> write(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    return finish(file);
}

std::optional<QString> copy(const QString &source, const QString &target)
{
    const int fd = ::open(QFile::encodeName(source).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return errnoText(errno);
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return QStringLiteral("not a regular file");
    }
    QFile in;
    if (!in.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return in.errorString();
    }
    QSaveFile out(target);
    out.setDirectWriteFallback(false);
    if (!out.open(QIODevice::WriteOnly))
        return out.errorString();
    QByteArray block(1 << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 got = in.read(block.data(), block.size());
        if (got < 0) {
            out.cancelWriting();
            return in.errorString();
        }
        if (got == 0)
            break;
        if (out.write(block.constData(), got) != got) {
            const QString reason = out.errorString();
            out.cancelWriting();
            return reason;
        }
    }
    return finish(out);
}

std::optional<QString> moveAside(const QString &source, const QString &target)
{
    const QByteArray from = QFile::encodeName(source);
    const QByteArray to = QFile::encodeName(target);
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0) {
        syncFolderOf(target);
        return std::nullopt;
    }
    if (errno != EINVAL && errno != ENOSYS)
        return errnoText(errno);
    // A file system without RENAME_NOREPLACE: check, then rename.
    struct stat info {};
    if (::lstat(to.constData(), &info) == 0)
        return errnoText(EEXIST);
    if (::rename(from.constData(), to.constData()) != 0)
        return errnoText(errno);
    syncFolderOf(target);
    return std::nullopt;
}

} // namespace AtomicFileWriter
