#pragma once

#include "platform/Workspace.h"
#include "platform/linux/DesktopEntries.h"
#include "platform/linux/X11WindowIdentity.h"

#include <optional>

// The applications of a Linux desktop: installed ones from the desktop entries of the XDG data
// folders, running ones from the windows the X11 window manager lists. Without X11 (Wayland, no
// display) it knows installed applications only.
class LinuxWorkspace : public Workspace {
public:
    // Uses Qt's X11 connection when the application has one.
    LinuxWorkspace();

    bool isInstalled(const QString &bundleId) override;
    std::optional<RunningApp> runningApp(const QString &bundleId) override;
    std::optional<QString> installedIcon(const QString &bundleId) override;

    // The windows of the X11 session; null when not on X11.
    const X11WindowIdentity *x11Windows() const { return windows ? &*windows : nullptr; }

private:
    DesktopEntries entries;
    std::optional<X11WindowIdentity> windows;
};
