#pragma once

#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;

// One program per user session. The first instance listens on a local socket that only this user
// can open; a later launch hands its command ("toggle", "show", "settings", "open") to it and ends.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // `name` tells sockets of different programs (and of tests) apart.
    explicit SingleInstance(const QString &name = QStringLiteral("corvane"), QObject *parent = nullptr);
    ~SingleInstance() override;

    // The command a command line asks for: "toggle" for --toggle, "show" for --show, "settings" for
    // --settings, else "open". Unknown arguments are ignored.
    static QString commandFor(const QStringList &arguments);

    // Sends the command to a running instance. False when none answers.
    bool sendToRunning(const QString &command, int timeoutMs = 2000);
    // Becomes the running instance. False when another instance holds the socket.
    bool listen();

    QString socketPath() const { return path_; }

Q_SIGNALS:
    void commandReceived(const QString &command);

private:
    QString path_;
    std::unique_ptr<QLocalServer> server_;
};
