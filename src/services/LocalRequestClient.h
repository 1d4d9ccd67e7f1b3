#pragma once

#include <QByteArray>
#include <QString>

// The other end of LocalRequestServer: sends one request line over a Unix socket and waits for the
// server's acknowledgement. Plain system calls, no event loop: it works before (and without) any Qt
// application object.
namespace LocalRequestClient {

enum class Result {
    Answered,  // the server read the line and acknowledged it
    NoServer,  // nobody listens at the path (nothing there, or a socket left by a dead process)
    NoAnswer,  // a server took the connection but did not acknowledge in time (stopped, busy, hung)
    Failed,    // the path cannot be used at all
};

// Sends `line` (a newline is added) to the server at `path`, waiting at most `timeoutMs` in all.
// `reason` says what went wrong, for a message.
Result send(const QString &path, const QByteArray &line, int timeoutMs, QString *reason = nullptr);

} // namespace LocalRequestClient
