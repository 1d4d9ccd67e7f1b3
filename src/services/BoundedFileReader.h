#pragma once

#include "services/FileStamp.h"

#include <QByteArray>
#include <QString>

// Reads a file whole, but only a regular file no larger than a given size: whatever else sits at the
// path (a FIFO, a device, a directory, a link to one of those) is refused without being read, so it
// can neither hang the caller nor exhaust its memory.
class BoundedFileReader {
public:
    enum class Outcome {
        Read,       // `bytes` holds the whole file
        Absent,     // nothing at the path
        NotRegular, // something that is not a regular file, or a link to nothing
        TooLarge,   // a regular file over the limit
        Unreadable, // a regular file that could not be opened or read
    };

    struct Result {
        Outcome outcome = Outcome::Absent;
        QByteArray bytes;
        FileStamp stamp;
        // Why the file was refused, for a log line; empty when it was read or absent.
        QString reason;
    };

    static Result read(const QString &path, qint64 maxSize);
    // The same for a path in the file system's own bytes (a name that is not valid UTF-8).
    static Result readNative(const QByteArray &path, qint64 maxSize);
    // For a parser that reads past the end of its input: `bytes` holds the file followed by `padding`
    // zero bytes, and no stamp is taken. One stat, one open and the reads: a loader of a thousand
    // files pays per system call.
    static Result readPadded(const QString &path, qint64 maxSize, qsizetype padding);

private:
    static Result readFile(const QByteArray &name, qint64 maxSize, qsizetype padding, bool stamp);
};
