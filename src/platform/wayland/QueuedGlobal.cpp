#include "platform/wayland/QueuedGlobal.h"

#include <wayland-client.h>

#include <algorithm>
#include <cstring>

namespace {
struct Lookup {
    const wl_interface *interface;
    uint32_t maxVersion;
    void *proxy = nullptr;
};

void global(void *data, wl_registry *registry, uint32_t name, const char *interface, uint32_t version)
{
    auto *lookup = static_cast<Lookup *>(data);
    if (!lookup->proxy && std::strcmp(interface, lookup->interface->name) == 0)
        lookup->proxy = wl_registry_bind(registry, name, lookup->interface, std::min(version, lookup->maxVersion));
}

void globalRemove(void *, wl_registry *, uint32_t) {}

const wl_registry_listener registryListener = {global, globalRemove};
}

void *bindGlobalOnQueue(wl_display *display, wl_event_queue *queue, const wl_interface *interface,
                        uint32_t maxVersion)
{
    // The registry is made through a wrapper that already carries our queue: created on Qt's
    // queue, its first events could be dispatched by Qt's thread before we moved it.
    auto *wrapper = static_cast<wl_display *>(wl_proxy_create_wrapper(display));
    wl_proxy_set_queue(reinterpret_cast<wl_proxy *>(wrapper), queue);
    wl_registry *registry = wl_display_get_registry(wrapper);
    wl_proxy_wrapper_destroy(wrapper);
    Lookup lookup{interface, maxVersion};
    wl_registry_add_listener(registry, &registryListener, &lookup);
    wl_display_roundtrip_queue(display, queue);
    wl_registry_destroy(registry);
    return lookup.proxy;
}
