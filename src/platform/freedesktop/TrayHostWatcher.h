#pragma once

#include <QObject>
#include <memory>

class QDBusServiceWatcher;

// Follows the tray hosts of the session bus (StatusNotifier: KDE Plasma, waybar and other panels,
// GNOME with an AppIndicator extension): whether one is there now, and word when one appears,
// whether its watcher starts or a host registers with a running watcher. A panel that starts after
// this program, or starts again, gets the icon then.
class TrayHostWatcher : public QObject {
    Q_OBJECT
public:
    explicit TrayHostWatcher(QObject *parent = nullptr);
    ~TrayHostWatcher() override;

    // A StatusNotifier watcher runs and reports a registered host (asks the bus; brief).
    static bool hostPresent();

Q_SIGNALS:
    void trayHostAppeared();

private Q_SLOTS:
    void hostRegistered();

private:
    std::unique_ptr<QDBusServiceWatcher> watcher_;
};
