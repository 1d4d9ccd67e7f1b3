#pragma once

#include "platform/ActivationSource.h"
#include "platform/ToplevelIdentity.h"

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <memory>

class AppDirectory;
class QDBusMessage;
class QDBusServiceWatcher;
class QTimer;

// Follows the active window of KWin (Plasma 5.27 and 6) through a small KWin script of ours, which
// reports each activation to us over D-Bus (see dist/kwin-script).
//
// At start it writes the script to the runtime folder, has KWin load and start it (replacing a copy
// an earlier run may have left), and receives its calls; it loads it again whenever KWin's name
// comes back on the bus (KWin restarted), and unloads it when destroyed. Only calls from KWin's own
// connection count. KWin takes its name before it offers scripting, so a load that finds no
// scripting yet is tried again for a while.
class KWinScriptActivationSource : public QObject, public ActivationSource {
    Q_OBJECT
public:
    static constexpr const char *scriptName = "corvane-active-window";
    static constexpr const char *serviceName = "org.corvane.Corvane.ActiveWindow";
    static constexpr const char *objectPath = "/org/corvane/Corvane/ActiveWindow";
    static constexpr const char *interfaceName = "org.corvane.Corvane.ActiveWindow1";

    // `directory` may be null and must outlive this source.
    explicit KWinScriptActivationSource(AppDirectory *directory,
                                        const QDBusConnection &bus = QDBusConnection::sessionBus(),
                                        QObject *parent = nullptr);
    ~KWinScriptActivationSource() override;

    std::optional<RunningApp> frontmostApp() override { return frontmost_; }
    void follow(Handler handler) override { handler_ = std::move(handler); }
    // True while KWin runs our script.
    bool isAvailable() const override { return loaded_; }

    // Called by the D-Bus object with one call of the script; false when it is not a well-formed
    // report from KWin.
    bool receive(const QString &sender, const QList<QVariant> &arguments);

Q_SIGNALS:
    // KWin has (again) loaded and started the script.
    void scriptLoaded();

private:
    class Receiver;

    void load();
    // KWin answered `error`: when it has no scripting yet, load again a little later, a limited
    // number of times.
    void loadLater(const QDBusMessage &error);
    void unload();
    QString writeScript() const;

    ToplevelIdentity identity_;
    QDBusConnection bus_;
    std::unique_ptr<Receiver> receiver_;
    QDBusServiceWatcher *kwinWatcher_;
    QString kwinOwner_;
    QTimer *retry_;
    int attempts_ = 0;
    bool loaded_ = false;
    std::optional<RunningApp> frontmost_;
    Handler handler_;
};
