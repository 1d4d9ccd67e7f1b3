#pragma once

#include "services/FileStamp.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <list>
#include <memory>

class QSocketNotifier;

// Takes one-line requests on a Unix socket: each connection sends one short line, the server answers
// "ok" and closes it. Plain system calls under QSocketNotifier, so that the server keeps listening
// whatever the clients do:
// - a connection that has not sent its line within the idle timeout is closed;
// - at most maxConnections are open at once; a new one closes the oldest;
// - when accepting fails for lack of descriptors it pauses and tries again; on any other accept
//   error, or when its socket file is gone, it binds its path again.
// The caller owns the path (see FileLock): bind() replaces a socket file left there by anybody else.
class LocalRequestServer : public QObject {
    Q_OBJECT
public:
    struct Limits {
        int maxConnections = 16;
        int idleTimeoutMs = 2000;
        int maxLineLength = 512;
    };

    explicit LocalRequestServer(QObject *parent = nullptr);
    ~LocalRequestServer() override;

    void setLimits(const Limits &limits) { limits_ = limits; }

    // Creates the socket at `path` (only this user may connect) and starts its listen queue; needs no
    // event loop, so requests that arrive before start() wait in the queue. False with `reason` when
    // the path cannot be used (too long, something other than a socket in the way, no permission).
    bool bind(const QString &path, QString *reason = nullptr);
    // Starts taking connections; needs the thread's event dispatcher (a Qt application object).
    void start();

    bool isListening() const { return listenFd_ >= 0; }
    int connectionCount() const { return int(connections_.size()); }
    QString path() const { return path_; }

Q_SIGNALS:
    // One request line, without its newline.
    void lineReceived(const QByteArray &line);

private:
    struct Connection;

    void acceptPending();
    void rebind();
    void closeListener();
    void read(Connection *connection);
    void close(Connection *connection);
    void closeOldest();
    void closeIdle();
    void checkSocketFile();

    Limits limits_;
    QString path_;
    int listenFd_ = -1;
    FileStamp socketStamp_;
    QSocketNotifier *listenNotifier_ = nullptr; // a child of this server
    std::list<std::unique_ptr<Connection>> connections_;
    QTimer idleTimer_;
    QTimer retryTimer_;
    QTimer watchTimer_;
    bool started_ = false;
    bool exhaustionLogged_ = false;
};
