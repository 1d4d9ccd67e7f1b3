#include "platform/wayland/PlasmaShell.h"

#include "plasma-shell-client-protocol.h"

#include <wayland-client.h>

#include <algorithm>
#include <cstring>

namespace {
struct Lookup {
    org_kde_plasma_shell *shell = nullptr;
};

void global(void *data, wl_registry *registry, uint32_t name, const char *interface, uint32_t version)
{
    auto *lookup = static_cast<Lookup *>(data);
    if (!lookup->shell && std::strcmp(interface, org_kde_plasma_shell_interface.name) == 0) {
        // The switcher hint came with version 5; later requests are not used.
        const uint32_t wanted = std::min<uint32_t>(version, ORG_KDE_PLASMA_SURFACE_SET_SKIP_SWITCHER_SINCE_VERSION);
        lookup->shell = static_cast<org_kde_plasma_shell *>(
            wl_registry_bind(registry, name, &org_kde_plasma_shell_interface, wanted));
    }
}

void globalRemove(void *, wl_registry *, uint32_t) {}

const wl_registry_listener registryListener = {global, globalRemove};
}

PlasmaShell::PlasmaShell(wl_display *display) : display_(display)
{
    if (!display_)
        return;
    queue_ = wl_display_create_queue(display_);
    auto *wrapper = static_cast<wl_display *>(wl_proxy_create_wrapper(display_));
    wl_proxy_set_queue(reinterpret_cast<wl_proxy *>(wrapper), queue_);
    wl_registry *registry = wl_display_get_registry(wrapper);
    wl_proxy_wrapper_destroy(wrapper);
    Lookup lookup;
    wl_registry_add_listener(registry, &registryListener, &lookup);
    wl_display_roundtrip_queue(display_, queue_);
    wl_registry_destroy(registry);
    shell_ = lookup.shell;
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
