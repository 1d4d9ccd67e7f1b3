#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Runs a helper program for work that must not take the caller down: it may crash, loop or grow
// without bound, and the caller only learns so. The child gets limits on its memory (address space;
// not under AddressSanitizer, which reserves terabytes) and on its processor time, writes no core
// file, and is killed when it outlives its time. Safe on any thread (no event loop needed).
class WorkerProcess {
public:
    struct Limits {
        qint64 memoryBytes = qint64(256) * 1024 * 1024;  // address space (reading a large GTK program needs < 128 MB)
        int milliseconds = 20000;             // wall-clock time, then killed
        qint64 maxOutput = qint64(64) * 1024 * 1024;  // standard output beyond this counts as a failure
    };

    enum class Outcome { Finished, Crashed, TimedOut, NotStarted, TooMuchOutput };

    struct Result {
        Outcome outcome = Outcome::NotStarted;
        int exitCode = -1;
        QByteArray output;   // standard output, when it finished
        QString detail;      // what went wrong, for a log line; empty when it finished
    };

    static Result run(const QString &program, const QStringList &arguments, const Limits &limits);
};
