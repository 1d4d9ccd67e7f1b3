#include "services/FileStamp.h"

#include <QFile>

#include <sys/stat.h>

namespace {

FileStamp stampOf(const struct stat &info)
{
    FileStamp stamp;
    stamp.exists = true;
    stamp.device = quint64(info.st_dev);
    stamp.inode = quint64(info.st_ino);
    stamp.size = qint64(info.st_size);
    stamp.modifiedNs = qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    stamp.changedNs = qint64(info.st_ctim.tv_sec) * 1000000000 + info.st_ctim.tv_nsec;
    return stamp;
}

} // namespace

FileStamp FileStamp::of(const QString &path)
{
    return ofNative(QFile::encodeName(path));
}

FileStamp FileStamp::ofNative(const QByteArray &path)
{
    struct stat info {};
    return ::stat(path.constData(), &info) == 0 ? stampOf(info) : FileStamp();
}

FileStamp FileStamp::ofDescriptor(int fd)
{
    struct stat info {};
    return ::fstat(fd, &info) == 0 ? stampOf(info) : FileStamp();
}
