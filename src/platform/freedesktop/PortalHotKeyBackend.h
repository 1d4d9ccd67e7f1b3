#pragma once

#include "platform/HotKeyBackend.h"

#include <QDBusConnection>
#include <QHash>
#include <QObject>
#include <QString>
#include <memory>
#include <optional>

class QDBusMessage;
class QDBusPendingCallWatcher;
class QDBusServiceWatcher;

// The global hot key through the XDG desktop portal (org.freedesktop.portal.GlobalShortcuts,
// versions 1 and 2). The desktop owns the binding: this program asks for one shortcut,
// "toggle-panel", with the stored combination as its preferred trigger; the desktop binds it, may
// let the user pick another trigger, and says which one it bound.
//
// The shortcut goes with CreateSession as well as with BindShortcuts: Plasma 5.27's portal binds
// only what CreateSession names, and opens its settings page for BindShortcuts. So a new session
// first lists what it holds, and binds only when the desktop has not bound our shortcut yet. A bind
// that leaves the desktop without our shortcut is a refusal, not a success.
//
// One portal session lives as long as the program. When the portal leaves the bus and comes back
// (it was restarted), a new session is created and the shortcut bound again.
class PortalHotKeyBackend : public QObject, public HotKeyBackend {
    Q_OBJECT
public:
    static constexpr const char *shortcutId = "toggle-panel";

    // The version of the GlobalShortcuts interface the session bus's portal offers, or nothing when
    // it offers none (no portal, or no desktop backend for global shortcuts). Blocks up to
    // `timeoutMs`, starting the portal when the bus can.
    static std::optional<uint> availableVersion(const QDBusConnection &bus, int timeoutMs = 5000);
    // Whether one of the portal's desktop backends declares global shortcuts for the desktop named
    // by `currentDesktop` (XDG_CURRENT_DESKTOP), by its .portal file in `portalFolders` (by default
    // xdg-desktop-portal/portals under each XDG data folder). Another desktop's backend (the KDE
    // one installed next to GNOME) answers for the frontend but cannot bind keys in this session.
    static bool desktopHasBackend(const QString &currentDesktop, QStringList portalFolders = {});

    // `appId` is the desktop-file id the portal should know this program by (registered where the
    // portal offers org.freedesktop.host.portal.Registry); `version` is availableVersion()'s answer.
    PortalHotKeyBackend(const QDBusConnection &bus, uint version, QString appId, QObject *parent = nullptr);
    ~PortalHotKeyBackend() override;

    // Asks the desktop to bind the combination; answers Pending (the desktop answers through
    // `regrabbed`), or NoSuchKey when the combination has no freedesktop name.
    Result grab(quint32 keyCode, quint32 modifiers) override;
    // Presses are no longer reported; the session and the desktop's binding stay.
    void ungrab() override;
    void setHandlers(std::function<void(const ActivationRequest &)> pressed,
                     std::function<void(Result)> regrabbed) override;

    Owner owner() const override { return Owner::DesktopPortal; }
    QString triggerDescription() const override { return triggerDescription_; }
    bool canConfigure() const override { return version_ >= 2 && !sessionHandle_.isEmpty(); }
    void configure() override;
    QString failureReason() const override { return failureReason_; }

    // The trigger last asked for, in freedesktop notation ("LOGO+SHIFT+space"); empty when none.
    QString preferredTrigger() const { return wanted_; }
    bool hasSession() const { return !sessionHandle_.isEmpty(); }

private Q_SLOTS:
    void onResponse(const QDBusMessage &message);
    void onActivated(const QDBusMessage &message);
    void onShortcutsChanged(const QDBusMessage &message);

private:
    // List: what the session holds after it was created (bind when not ours yet); Check: what the
    // desktop bound after BindShortcuts answered with no shortcut.
    enum class Call { CreateSession, Bind, List, Check };

    void portalOwnerChanged(const QString &newOwner);
    void start();
    void createSession();
    void bind();
    void list(Call call);
    QVariant shortcutList() const;
    // Calls a GlobalShortcuts method that answers through a Request object.
    void request(Call call, const QString &method, QList<QVariant> arguments, const QString &token);
    void requestReturned(QDBusPendingCallWatcher *watcher, Call call, const QString &expectedPath);
    void forget(const QString &path);
    void fail(const QString &reason);
    // The portal cannot serve this session at all: reported as Unavailable, with one log line.
    void unusable(const QString &reason);
    void report(Result result);
    bool takeDescription(const QVariant &shortcuts);
    QString newToken(const char *prefix);

    QDBusConnection bus_;
    uint version_;
    QString appId_;
    std::unique_ptr<QDBusServiceWatcher> watcher_;
    std::function<void(const ActivationRequest &)> pressed_;
    std::function<void(Result)> regrabbed_;
    QHash<QString, Call> requests_;  // Request object path -> what it answers
    QString wanted_;
    QString sessionHandle_;
    bool creatingSession_ = false;
    bool registered_ = false;  // the app id was offered to the portal's host registry
    QString triggerDescription_;
    QString failureReason_;
};
