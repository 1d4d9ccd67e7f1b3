#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// What identifies one version of a file on disk: its device and inode, size and change times. Two
// equal stamps mean nobody replaced or rewrote the file in between (as far as the file system's clock
// can tell).
struct FileStamp {
    bool exists = false;
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modifiedNs = 0;
    qint64 changedNs = 0;

    // The stamp of what `path` names (links followed); a stamp that does not exist when nothing
    // readable is there.
    static FileStamp of(const QString &path);
    // The same for a path in the file system's own bytes.
    static FileStamp ofNative(const QByteArray &path);
    // The stamp of an open file.
    static FileStamp ofDescriptor(int fd);

    friend bool operator==(const FileStamp &a, const FileStamp &b)
    {
        return a.exists == b.exists && a.device == b.device && a.inode == b.inode && a.size == b.size
            && a.modifiedNs == b.modifiedNs && a.changedNs == b.changedNs;
    }
    friend bool operator!=(const FileStamp &a, const FileStamp &b) { return !(a == b); }
};
