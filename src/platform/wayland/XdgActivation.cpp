#include "platform/wayland/XdgActivation.h"

#include "xdg-activation-v1-client-protocol.h"

#include <wayland-client.h>

#include <cstring>

namespace {
struct Lookup {
    xdg_activation_v1 *activation = nullptr;
};

void global(void *data, wl_registry *registry, uint32_t name, const char *interface, uint32_t version)
{
    (void)version;
    auto *lookup = static_cast<Lookup *>(data);
    if (!lookup->activation && std::strcmp(interface, xdg_activation_v1_interface.name) == 0)
        lookup->activation =
            static_cast<xdg_activation_v1 *>(wl_registry_bind(registry, name, &xdg_activation_v1_interface, 1));
}

void globalRemove(void *, wl_registry *, uint32_t) {}

const wl_registry_listener registryListener = {global, globalRemove};
}

XdgActivation::XdgActivation(wl_display *display) : display_(display)
{
    if (!display_)
        return;
    queue_ = wl_display_create_queue(display_);
    // The registry is made through a wrapper that already carries our queue: created on Qt's
    // queue, its first events could be dispatched by Qt's thread before we moved it.
    auto *wrapper = static_cast<wl_display *>(wl_proxy_create_wrapper(display_));
    wl_proxy_set_queue(reinterpret_cast<wl_proxy *>(wrapper), queue_);
    wl_registry *registry = wl_display_get_registry(wrapper);
    wl_proxy_wrapper_destroy(wrapper);
    Lookup lookup;
    wl_registry_add_listener(registry, &registryListener, &lookup);
    wl_display_roundtrip_queue(display_, queue_);
    wl_registry_destroy(registry);
    activation_ = lookup.activation;
}

XdgActivation::~XdgActivation()
{
    if (activation_)
        xdg_activation_v1_destroy(activation_);
    if (queue_) {
        if (display_)
            wl_display_flush(display_);
        wl_event_queue_destroy(queue_);
    }
}

void XdgActivation::activate(wl_surface *surface, const QByteArray &token)
{
    if (!activation_ || !surface || token.isEmpty())
        return;
    xdg_activation_v1_activate(activation_, token.constData(), surface);
    wl_display_flush(display_);
}
