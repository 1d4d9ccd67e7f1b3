#include "platform/freedesktop/TrayHostWatcher.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>

TrayHostWatcher::TrayHostWatcher(QObject *parent) : QObject(parent)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    watcher_ = std::make_unique<QDBusServiceWatcher>(QStringLiteral("org.kde.StatusNotifierWatcher"), bus,
                                                    QDBusServiceWatcher::WatchForRegistration);
    connect(watcher_.get(), &QDBusServiceWatcher::serviceRegistered, this, &TrayHostWatcher::trayHostAppeared);
}

TrayHostWatcher::~TrayHostWatcher() = default;
