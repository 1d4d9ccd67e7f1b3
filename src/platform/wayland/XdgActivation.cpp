#include "platform/wayland/XdgActivation.h"

#include "platform/wayland/QueuedGlobal.h"
#include "xdg-activation-v1-client-protocol.h"

#include <wayland-client.h>

XdgActivation::XdgActivation(wl_display *display) : display_(display)
{
    if (!display_)
        return;
    queue_ = wl_display_create_queue(display_);
    activation_ = static_cast<xdg_activation_v1 *>(
        bindGlobalOnQueue(display_, queue_, &xdg_activation_v1_interface, 1));
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
