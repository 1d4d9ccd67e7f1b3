#pragma once

#include "platform/ActivationSource.h"
#include "platform/RunningAppList.h"
#include "platform/ToplevelIdentity.h"

#include <QObject>
#include <QSocketNotifier>
#include <memory>
#include <vector>

class AppDirectory;
struct wl_display;
struct wl_registry;
struct zwlr_foreign_toplevel_manager_v1;
struct zwlr_foreign_toplevel_handle_v1;

// Follows the active window of a wlroots compositor (sway, Hyprland, river, labwc, Wayfire) through
// its foreign-toplevel list: every window's app_id and whether it is activated.
//
// It keeps a Wayland connection of its own rather than borrowing Qt's: Qt 6.4 has no public way to
// hand out its wl_display, the private one ties us to one exact Qt build, and the panel may well run
// through XWayland, where Qt has no Wayland connection at all. One more socket is the whole cost.
class WlrToplevelActivationSource : public QObject, public ActivationSource, public RunningAppList {
public:
    // Connects to the compositor WAYLAND_DISPLAY names; `directory` may be null and must outlive
    // this source. Unavailable when there is no compositor or it lacks the protocol.
    explicit WlrToplevelActivationSource(AppDirectory *directory, QObject *parent = nullptr);
    ~WlrToplevelActivationSource() override;

    std::optional<RunningApp> frontmostApp() override;
    void follow(Handler handler) override;
    bool isAvailable() const override { return manager_ != nullptr; }
    QList<RunningApp> runningApps() const override;

    struct Toplevel;  // one window, as the compositor last described it

private:
    static void onGlobal(void *data, wl_registry *registry, uint32_t name, const char *interface, uint32_t version);
    static void onGlobalRemove(void *data, wl_registry *registry, uint32_t name);
    static void onToplevel(void *data, zwlr_foreign_toplevel_manager_v1 *manager,
                           zwlr_foreign_toplevel_handle_v1 *handle);
    static void onFinished(void *data, zwlr_foreign_toplevel_manager_v1 *manager);
    static void onDone(void *data, zwlr_foreign_toplevel_handle_v1 *handle);
    static void onClosed(void *data, zwlr_foreign_toplevel_handle_v1 *handle);

    void readEvents();
    void disconnect(const char *why);
    void toplevelDone(Toplevel &toplevel);
    void toplevelClosed(Toplevel &toplevel);
    std::optional<RunningApp> appOf(const Toplevel &toplevel) const;

    ToplevelIdentity identity_;
    wl_display *display_ = nullptr;
    wl_registry *registry_ = nullptr;
    zwlr_foreign_toplevel_manager_v1 *manager_ = nullptr;
    uint32_t managerName_ = 0;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::vector<std::unique_ptr<Toplevel>> toplevels_;
    const Toplevel *active_ = nullptr;
    Handler handler_;
};
