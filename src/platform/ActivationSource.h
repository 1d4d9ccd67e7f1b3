#pragma once

#include "platform/RunningApp.h"

#include <functional>
#include <optional>

// Tells which application the user is working in: the one active now, and each one that becomes
// active later.
class ActivationSource {
public:
    using Handler = std::function<void(const RunningApp &)>;

    virtual ~ActivationSource() = default;

    // The application of the active window at this moment; none when no window is active or the
    // desktop does not say.
    virtual std::optional<RunningApp> frontmostApp() = 0;
    // From now on calls `handler` on the main thread with the application of every window that
    // becomes active, this program's own included, and with RunningApp::desktop() when the desktop
    // itself comes to the front (where the source can tell). A later call replaces the handler.
    virtual void follow(Handler handler) = 0;
    // False while the source cannot tell anything (its desktop service is missing, or not running
    // yet); may change while the program runs.
    virtual bool isAvailable() const { return true; }
};
