#pragma once

#include "platform/RunningAppList.h"
#include "platform/Workspace.h"
#include "platform/freedesktop/DeferredAppDirectory.h"
#include "platform/freedesktop/GioModule.h"

#include <optional>

// The applications of a Linux desktop: installed ones from the desktop entries of the XDG data
// folders (read through the GIO module when first asked for), running ones from the window list the
// session's backend provides. Without one (no backend can list windows) it knows installed
// applications only.
class LinuxWorkspace : public Workspace {
public:
    bool isInstalled(const QString &bundleId) override;
    std::optional<RunningApp> runningApp(const QString &bundleId) override;
    std::optional<QString> installedIcon(const QString &bundleId) override;
    // Read from /proc, tmux asked for its active pane.
    QList<QStringList> programsInTerminal(const RunningApp &terminal, const QStringList &executableNames) override;

    // The desktop entries, for backends that match windows to applications.
    AppDirectory &appDirectory() { return entries_; }
    // Where running applications come from; null for none. It must outlive this workspace's use.
    void setRunningApps(const RunningAppList *windows) { windows_ = windows; }
    const RunningAppList *runningApps() const { return windows_; }

private:
    DeferredAppDirectory entries_{GioModule::shared()};
    const RunningAppList *windows_ = nullptr;
};
