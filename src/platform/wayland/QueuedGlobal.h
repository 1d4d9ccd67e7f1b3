#pragma once

#include <cstdint>

struct wl_display;
struct wl_event_queue;
struct wl_interface;

// Binds one global of the compositor (the first one offered under `interface`'s name, at most
// `maxVersion`) with its events on `queue`, a queue of our own that Qt's thread never dispatches.
// Returns null when the compositor does not offer it.
void *bindGlobalOnQueue(wl_display *display, wl_event_queue *queue, const wl_interface *interface,
                        uint32_t maxVersion);
