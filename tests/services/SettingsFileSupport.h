#pragma once

// Reading settings files back in tests, and a folder where writes fail on demand.

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/statvfs.h>

inline QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

inline QJsonObject parsedObject(const QString &path)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(contents(path), &error);
    return error.error == QJsonParseError::NoError ? document.object() : QJsonObject{{"parse error", error.errorString()}};
}

// A folder whose writes can be made to fail. Where the test may mount (root), it is a small tmpfs of
// its own, filled up on demand: a real full disk. Elsewhere, the process's file size limit
// (RLIMIT_FSIZE, SIGXFSZ ignored) makes the kernel refuse writes past a size instead, with EFBIG.
class ConstrainedFolder {
public:
    static constexpr qint64 capacity = 1024 * 1024;

    ConstrainedFolder()
    {
        const QByteArray path = QFile::encodeName(dir_.path());
        tmpfs_ = ::mount("tmpfs", path.constData(), "tmpfs", MS_NOSUID | MS_NODEV, "size=1m,mode=0700") == 0;
        ::getrlimit(RLIMIT_FSIZE, &savedLimit_);
    }
    ~ConstrainedFolder()
    {
        relieve();
        if (tmpfs_)
            ::umount2(QFile::encodeName(dir_.path()).constData(), MNT_DETACH);
    }
    ConstrainedFolder(const ConstrainedFolder &) = delete;
    ConstrainedFolder &operator=(const ConstrainedFolder &) = delete;

    bool isTmpfs() const { return tmpfs_; }
    QString kind() const
    {
        return tmpfs_ ? QStringLiteral("a full 1 MiB tmpfs") : QStringLiteral("a file size limit (RLIMIT_FSIZE)");
    }
    QString file(const QString &name) const { return dir_.filePath(name); }

    // From now on only files of at most `room` bytes more can be written (roughly: tmpfs counts pages).
    void exhaust(qint64 room)
    {
        if (tmpfs_) {
            struct statvfs info {};
            QVERIFY(::statvfs(QFile::encodeName(dir_.path()).constData(), &info) == 0);
            const qint64 free = qint64(info.f_bavail) * qint64(info.f_bsize);
            QFile filler(file(QStringLiteral("filler")));
            QVERIFY(filler.open(QIODevice::WriteOnly));
            filler.write(QByteArray(qsizetype(std::max<qint64>(0, free - room)), 'x'));
            filler.close();
            return;
        }
        std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit = savedLimit_;
        limit.rlim_cur = rlim_t(room);
        QVERIFY(::setrlimit(RLIMIT_FSIZE, &limit) == 0);
    }
    void relieve()
    {
        if (tmpfs_)
            QFile::remove(file(QStringLiteral("filler")));
        else
            ::setrlimit(RLIMIT_FSIZE, &savedLimit_);
    }

private:
    QTemporaryDir dir_;
    bool tmpfs_ = false;
    struct rlimit savedLimit_ {};
};
