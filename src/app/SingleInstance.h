#pragma once

#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;

// One program per user session. The first instance listens on a local socket that only this user
// can open; a later launch hands its command ("toggle", "show", "settings", "open") to it and ends.
//
// A request is one line: the command, then, when the launch was given one, a space and the
// activation token the desktop handed it (XDG_ACTIVATION_TOKEN or DESKTOP_STARTUP_ID), so that the
// running instance may take the keyboard focus on the launcher's behalf.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // `name` tells sockets of different programs (and of tests) apart.
    explicit SingleInstance(const QString &name = QStringLiteral("corvane"), QObject *parent = nullptr);
    ~SingleInstance() override;

    // The command a command line asks for: "toggle" for --toggle, "show" for --show, "settings" for
    // --settings, "quit" for --quit, else "open". Unknown arguments are ignored.
    static QString commandFor(const QStringList &arguments);

    // The activation token this launch was given by the desktop, if any; printable ASCII only.
    static QString activationTokenFromEnvironment();

    // Sends the command to a running instance. False when none answers.
    bool sendToRunning(const QString &command, const QString &activationToken = QString(), int timeoutMs = 2000);
    // Becomes the running instance. False when another instance holds the socket.
    bool listen();

    QString socketPath() const { return path_; }

Q_SIGNALS:
    void commandReceived(const QString &command, const QString &activationToken);

private:
    QString path_;
    std::unique_ptr<QLocalServer> server_;
};
