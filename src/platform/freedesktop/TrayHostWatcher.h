#pragma once

#include <QObject>
#include <memory>

class QDBusServiceWatcher;

// Tells when a tray host (the StatusNotifier watcher of the session bus) appears: a panel that starts
// after this program gets its icon then.
class TrayHostWatcher : public QObject {
    Q_OBJECT
public:
    explicit TrayHostWatcher(QObject *parent = nullptr);
    ~TrayHostWatcher() override;

Q_SIGNALS:
    void trayHostAppeared();

private:
    std::unique_ptr<QDBusServiceWatcher> watcher_;
};
