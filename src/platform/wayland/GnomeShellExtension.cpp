#include "platform/wayland/GnomeShellExtension.h"

#include "services/SystemLog.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString shellService = QStringLiteral("org.gnome.Shell");
const QString shellPath = QStringLiteral("/org/gnome/Shell");
const QString extensionsInterface = QStringLiteral("org.gnome.Shell.Extensions");

// The shell's ExtensionState numbers (js/misc/extensionUtils.js; 45 renamed, not renumbered, them).
enum ShellState { Enabled = 1, Disabled = 2, Error = 3, OutOfDate = 4, Downloading = 5, Initialized = 6,
                  Disabling = 7, Enabling = 8, Uninstalled = 99 };

} // namespace

GnomeShellExtension::GnomeShellExtension(const QDBusConnection &bus, QObject *parent)
    : ShellExtension(parent), bus_(bus)
{
    bus_.connect(shellService, shellPath, extensionsInterface, QStringLiteral("ExtensionStateChanged"), this,
                 SLOT(extensionStateChanged(QString, QVariantMap)));
    refresh();
}

bool GnomeShellExtension::installedOnDisk()
{
    const QString relative = QStringLiteral("gnome-shell/extensions/%1/metadata.json").arg(QLatin1String(uuid));
    return !QStandardPaths::locate(QStandardPaths::GenericDataLocation, relative).isEmpty();
}

ShellExtension::State GnomeShellExtension::stateOf(const QVariantMap &info, bool onDisk)
{
    if (info.isEmpty() || !info.contains(QStringLiteral("state")))
        return onDisk ? State::NeedsLogout : State::NotInstalled;
    switch (info.value(QStringLiteral("state")).toInt()) {
    case Enabled:
    case Enabling: return State::Active;
    case Disabled:
    case Initialized:
    case Disabling: return State::Disabled;
    case Error:
    case OutOfDate: return State::Failed;
    case Uninstalled: return onDisk ? State::NeedsLogout : State::NotInstalled;
    default: return State::Unknown;
    }
}

void GnomeShellExtension::refresh()
{
    QDBusMessage call =
        QDBusMessage::createMethodCall(shellService, shellPath, extensionsInterface, QStringLiteral("GetExtensionInfo"));
    call << QLatin1String(uuid);
    auto *watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *finished) {
        finished->deleteLater();
        const QDBusPendingReply<QVariantMap> reply = *finished;
        setState(reply.isError() ? State::Unknown : stateOf(reply.value(), installedOnDisk()));
    });
}

void GnomeShellExtension::enable()
{
    QDBusMessage call =
        QDBusMessage::createMethodCall(shellService, shellPath, extensionsInterface, QStringLiteral("EnableExtension"));
    call << QLatin1String(uuid);
    auto *watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *finished) {
        finished->deleteLater();
        const QDBusPendingReply<bool> reply = *finished;
        if (reply.isError() || !reply.value())
            SystemLog::shared().write(QStringLiteral("Corvane: GNOME Shell did not enable the extension: %1")
                                          .arg(reply.isError() ? reply.error().message() : QStringLiteral("refused")));
        refresh();
    });
}

void GnomeShellExtension::extensionStateChanged(const QString &changed, const QVariantMap &)
{
    if (changed == QLatin1String(uuid))
        refresh();
}

void GnomeShellExtension::setState(State state)
{
    if (state == state_)
        return;
    state_ = state;
    Q_EMIT stateChanged();
}
