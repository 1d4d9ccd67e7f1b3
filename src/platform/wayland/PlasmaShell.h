#pragma once

#include <memory>

struct org_kde_plasma_shell;
struct org_kde_plasma_surface;
struct wl_display;
struct wl_event_queue;
struct wl_surface;

// Plasma's shell protocol (org_kde_plasma_shell), bound on a connection the caller owns (Qt's):
// lets a window say that task bars and the task switcher should leave it out, as the panel does.
// KWin offers it to every client; other compositors do not offer it at all.
class PlasmaShell {
public:
    // The hints of one wl_surface. Must be released before the wl_surface is destroyed.
    class Surface {
    public:
        explicit Surface(org_kde_plasma_surface *surface, wl_display *display) : surface_(surface), display_(display) {}
        ~Surface();
        Surface(const Surface &) = delete;
        Surface &operator=(const Surface &) = delete;

    private:
        org_kde_plasma_surface *surface_;
        wl_display *display_;
    };

    // Looks the global up on a queue of its own, so Qt's event dispatch never sees our objects.
    explicit PlasmaShell(wl_display *display);
    ~PlasmaShell();
    PlasmaShell(const PlasmaShell &) = delete;
    PlasmaShell &operator=(const PlasmaShell &) = delete;

    bool isAvailable() const { return shell_ != nullptr; }

    // Asks that `surface` be left out of task bars and (where the compositor's version has it) the
    // task switcher; null without the protocol or the surface.
    std::unique_ptr<Surface> keepOutOfLists(wl_surface *surface);

private:
    wl_display *display_;
    wl_event_queue *queue_ = nullptr;
    org_kde_plasma_shell *shell_ = nullptr;
};
