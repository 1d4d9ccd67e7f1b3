#pragma once

#include "platform/ActivationSource.h"
#include "platform/ToplevelIdentity.h"

#include <QDBusConnection>
#include <QObject>

class AppDirectory;
class QDBusServiceWatcher;

// Follows the focused window of GNOME Shell through our shell extension (dist/gnome-shell-extension),
// which publishes it on the session bus. Available while the extension runs; it may be enabled, or
// the shell restarted, at any time, and each time it appears the window focused then is reported.
class GnomeFocusActivationSource : public QObject, public ActivationSource {
    Q_OBJECT
public:
    static constexpr const char *serviceName = "org.corvane.Corvane.FocusReporter";
    static constexpr const char *objectPath = "/org/corvane/Corvane/FocusReporter";
    static constexpr const char *interfaceName = "org.corvane.Corvane.FocusReporter1";

    // `directory` may be null and must outlive this source.
    explicit GnomeFocusActivationSource(AppDirectory *directory,
                                        const QDBusConnection &bus = QDBusConnection::sessionBus(),
                                        QObject *parent = nullptr);

    // Asks the extension (a short blocking call); none without it or while no window has the focus.
    std::optional<RunningApp> frontmostApp() override;
    void follow(Handler handler) override { handler_ = std::move(handler); }
    bool isAvailable() const override { return available_; }

Q_SIGNALS:
    void availableChanged();

private Q_SLOTS:
    void focusChanged(const QString &appId, const QString &wmClass, const QString &sandboxedAppId, uint pid);

private:
    std::optional<RunningApp> appOf(const QString &appId, const QString &wmClass, const QString &sandboxedAppId,
                                    uint pid) const;
    void setAvailable(bool available);
    // Asks the extension for the focus without waiting, and reports the answer like a change.
    void askFocus();

    ToplevelIdentity identity_;
    QDBusConnection bus_;
    QDBusServiceWatcher *watcher_;
    bool available_ = false;
    Handler handler_;
};
