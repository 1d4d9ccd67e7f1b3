#pragma once

#include <QtGlobal>
#include <functional>

// A desktop's way of making one key combination global: pressed anywhere, it reaches this program.
class HotKeyBackend {
public:
    enum class Result {
        Grabbed,
        InUse,        // another program holds the combination
        NoSuchKey,    // the key is not on the current keyboard layout
        Unavailable,  // this session has no global hot keys (no X11 display)
    };

    virtual ~HotKeyBackend() = default;

    // Takes the combination of a virtual key code and a modifier mask (KeyCodes' numbering),
    // releasing the one held before. On failure nothing is held.
    virtual Result grab(quint32 keyCode, quint32 modifiers) = 0;
    // Releases the combination held, if any.
    virtual void ungrab() = 0;

    // `pressed` runs on the main thread once per press of the held combination (never for the
    // auto-repeat of a held key). `regrabbed` runs with the new result when the backend had to take
    // the combination again by itself, after the keyboard layout changed.
    virtual void setHandlers(std::function<void()> pressed, std::function<void(Result)> regrabbed) = 0;
};
