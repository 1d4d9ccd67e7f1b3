#include "platform/wayland/PlasmaShell.h"

#include "platform/wayland/QueuedGlobal.h"
#include "plasma-shell-client-protocol.h"

#include <wayland-client.h>

PlasmaShell::PlasmaShell(wl_display *display) : display_(display)
{
    if (!display_)
        return;
    queue_ = wl_display_create_queue(display_);
    // The switcher hint came with version 5; later requests are not used.
    shell_ = static_cast<org_kde_plasma_shell *>(bindGlobalOnQueue(
        display_, queue_, &org_kde_plasma_shell_interface, ORG_KDE_PLASMA_SURFACE_SET_SKIP_SWITCHER_SINCE_VERSION));
}

PlasmaShell::~PlasmaShell()
{
    if (shell_)
        org_kde_plasma_shell_destroy(shell_);
    if (queue_) {
        if (display_)
            wl_display_flush(display_);
        wl_event_queue_destroy(queue_);
    }
}

std::unique_ptr<PlasmaShell::Surface> PlasmaShell::keepOutOfLists(wl_surface *surface)
{
    if (!shell_ || !surface)
        return nullptr;
    org_kde_plasma_surface *hints = org_kde_plasma_shell_get_surface(shell_, surface);
    const uint32_t version = org_kde_plasma_shell_get_version(shell_);
    if (version >= ORG_KDE_PLASMA_SURFACE_SET_SKIP_TASKBAR_SINCE_VERSION)
        org_kde_plasma_surface_set_skip_taskbar(hints, 1);
    if (version >= ORG_KDE_PLASMA_SURFACE_SET_SKIP_SWITCHER_SINCE_VERSION)
        org_kde_plasma_surface_set_skip_switcher(hints, 1);
    wl_display_flush(display_);
    return std::make_unique<Surface>(hints, display_);
}

PlasmaShell::Surface::~Surface()
{
    org_kde_plasma_surface_destroy(surface_);
    wl_display_flush(display_);
}
