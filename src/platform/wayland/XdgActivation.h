#pragma once

#include <QByteArray>

struct wl_display;
struct wl_event_queue;
struct wl_surface;
struct xdg_activation_v1;

// The compositor's xdg-activation-v1 global, bound on a connection the caller owns (Qt's): hands
// the compositor an activation token together with the surface that should get the focus.
class XdgActivation {
public:
    // Looks the global up on a queue of its own, so Qt's event dispatch never sees our objects.
    explicit XdgActivation(wl_display *display);
    ~XdgActivation();
    XdgActivation(const XdgActivation &) = delete;
    XdgActivation &operator=(const XdgActivation &) = delete;

    // False when the compositor does not offer the protocol (or there is no connection).
    bool isAvailable() const { return activation_ != nullptr; }

    // Asks the compositor to activate `surface` on behalf of whoever the token was issued to.
    void activate(wl_surface *surface, const QByteArray &token);

private:
    wl_display *display_;
    wl_event_queue *queue_ = nullptr;
    xdg_activation_v1 *activation_ = nullptr;
};
