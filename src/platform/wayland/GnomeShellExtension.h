#pragma once

#include "platform/ShellExtension.h"

#include <QDBusConnection>
#include <QString>
#include <QVariantMap>

class QDBusPendingCallWatcher;

// Our GNOME Shell extension as the shell's org.gnome.Shell.Extensions interface reports it. The
// state is asked for at start, again on every change the shell announces for it, and after enable().
class GnomeShellExtension : public ShellExtension {
    Q_OBJECT
public:
    static constexpr const char *uuid = "corvane-focus@corvane.org";

    explicit GnomeShellExtension(const QDBusConnection &bus = QDBusConnection::sessionBus(), QObject *parent = nullptr);

    State state() const override { return state_; }
    void enable() override;

    // The state the shell's info dictionary stands for; `onDisk` tells whether the extension's
    // folder exists where the shell looks for it.
    static State stateOf(const QVariantMap &info, bool onDisk);
    // True when an extension folder with our uuid is in the user's or the system's data folders.
    static bool installedOnDisk();

public Q_SLOTS:
    void refresh();

private Q_SLOTS:
    void extensionStateChanged(const QString &uuid, const QVariantMap &state);

private:
    void setState(State state);

    QDBusConnection bus_;
    State state_ = State::Unknown;
};
