#pragma once

#include <memory>

class ActivationSourceChain;
class AppDirectory;
class RunningAppList;
class ShellExtension;
class X11ActivationSource;

// The sources of the active application in a Wayland session, best first: the compositor's
// foreign-toplevel list (wlroots compositors), our KWin script (Plasma), our GNOME Shell extension
// (GNOME), and last the X11 source, which sees XWayland windows only. Each desktop's source is
// tried only on that desktop.
class WaylandActivations {
public:
    // `x11` may be null (no XWayland); `runningApps` receives the window list when the compositor
    // offers one, else stays as it was. Logs which source speaks.
    static std::unique_ptr<ActivationSourceChain> create(AppDirectory &directory,
                                                         std::unique_ptr<X11ActivationSource> x11,
                                                         const RunningAppList **runningApps);
    // Our GNOME Shell extension on GNOME, null elsewhere. Once its state is known and it does not
    // run, a notification says so, once, and where to turn it on.
    static std::unique_ptr<ShellExtension> shellExtension();
};
