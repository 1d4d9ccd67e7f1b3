#pragma once

#include "platform/RunningApp.h"

#include <QObject>
#include <optional>

class ActivationSource;

// Remembers the last application other than this program that the user worked in, so that the
// panel, once it is itself in front, still knows whose shortcuts to list first.
class ActiveAppMonitor : public QObject {
    Q_OBJECT
public:
    // The process-wide monitor, recognising this program by its application id.
    static ActiveAppMonitor &shared();

    // An application is this program when its identifier equals `ownBundleId` exactly; two absent
    // identifiers are equal.
    explicit ActiveAppMonitor(std::optional<QString> ownBundleId, QObject *parent = nullptr);

    // Takes the application active now (unless it is this program) and follows every activation
    // after that. `source` must outlive the following, or be destroyed with this monitor.
    void start(ActivationSource &source);
    // One application became active; the desktop itself (RunningApp::desktop()) leaves none.
    void didActivate(const RunningApp &app);

    const std::optional<RunningApp> &lastApp() const { return lastApp_; }
    const std::optional<QString> &ownBundleId() const { return ownBundleId_; }

Q_SIGNALS:
    void lastAppChanged();
    // A window of another application (or the desktop) became active right after one of this
    // program's: the panel lost the activation, whatever the toolkit made of the focus change.
    void leftThisProgram();

private:
    bool isThisProgram(const RunningApp &app) const { return app.bundleIdentifier == ownBundleId_; }

    std::optional<RunningApp> lastApp_;
    const std::optional<QString> ownBundleId_;
    bool ownInFront_ = false;
};
