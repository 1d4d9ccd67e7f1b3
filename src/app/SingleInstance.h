#pragma once

#include "services/FileLock.h"

#include <QObject>
#include <QString>
#include <memory>

class LocalRequestServer;

// One program per user session. The first launch takes a lock file in the runtime folder
// ($XDG_RUNTIME_DIR/<name>-<uid>.lock) that the kernel releases when the process ends, and only the
// holder of that lock listens on the socket next to it (<name>-<uid>.socket), which only this user
// can open. A later launch finds the lock taken, hands its command ("toggle", "show", "settings",
// "open") to the holder and ends; when the holder does not answer (stopped, hung), it says so and
// ends too. It never becomes a second instance.
//
// A request is one line: the command, then, when the launch was given one, a space and the
// activation token the desktop handed it (XDG_ACTIVATION_TOKEN or DESKTOP_STARTUP_ID), so that the
// running instance may take the keyboard focus on the launcher's behalf.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    enum class Role {
        First,  // this process holds the lock and the socket: it is the instance
        Later,  // another process holds the lock: hand the request to it
        Failed, // the lock or the socket path cannot be used; errorString() says why
    };

    // `name` tells sockets of different programs (and of tests) apart.
    explicit SingleInstance(const QString &name = QStringLiteral("corvane"), QObject *parent = nullptr);
    ~SingleInstance() override;

    // The command a command line asks for: "toggle" for --toggle, "show" for --show, "settings" for
    // --settings, "quit" for --quit, else "open". Unknown arguments are ignored.
    static QString commandFor(const QStringList &arguments);

    // The activation token this launch was given by the desktop, if any; printable ASCII only.
    static QString activationTokenFromEnvironment();

    // Takes the lock and, when it gets it, binds the socket. Needs no Qt application object: a later
    // launch learns its role before it builds one. Requests that reach the socket before listen()
    // wait in its queue. Once First, always First; a Later launch may claim again (the instance may
    // have ended meanwhile).
    Role claim();
    // Sends the command to the instance, waiting for its acknowledgement at most `timeoutMs` in all
    // (while it is still starting, the socket may not be there yet). False when it did not answer;
    // errorString() says why.
    bool sendToRunning(const QString &command, const QString &activationToken = QString(), int timeoutMs = 5000);
    // Becomes the running instance: claims (when not done yet) and takes requests from the event
    // loop. False when another process is the instance or the socket cannot be used.
    bool listen();

    // Stops taking requests and removes the socket; the lock goes when the process ends.
    void close();

    QString socketPath() const { return path_; }
    QString lockPath() const { return lockPath_; }
    QString errorString() const { return error_; }

Q_SIGNALS:
    void commandReceived(const QString &command, const QString &activationToken);

private:
    void receive(const QByteArray &line);

    QString path_;
    QString lockPath_;
    QString error_;
    Role role_ = Role::Failed;
    FileLock lock_;
    std::unique_ptr<LocalRequestServer> server_;
};
