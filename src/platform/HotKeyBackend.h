#pragma once

#include "platform/ActivationRequest.h"

#include <QString>
#include <QtGlobal>
#include <functional>
#include <optional>
#include <utility>

// A desktop's way of making one key combination global: pressed anywhere, it reaches this program.
class HotKeyBackend {
public:
    enum class Result {
        Grabbed,
        InUse,        // another program holds the combination
        NoSuchKey,    // the key is not on the current keyboard layout
        Unavailable,  // this session has no global hot keys (no X11 display)
        Pending,      // asked for; the desktop answers later, through `regrabbed`
        Refused,      // the desktop declined the binding or failed to make it (failureReason())
    };

    // Who holds the binding.
    enum class Owner {
        Program,          // this program grabs the keys itself (X11)
        DesktopPortal,    // the desktop binds a trigger on our behalf and may change it (XDG portal)
        DesktopSettings,  // the desktop's own keyboard settings run `corvane --toggle` (GNOME)
    };

    virtual ~HotKeyBackend() = default;

    // Takes the combination of a virtual key code and a modifier mask (KeyCodes' numbering),
    // releasing the one held before. On failure nothing is held.
    virtual Result grab(quint32 keyCode, quint32 modifiers) = 0;
    // Releases the combination held, if any.
    virtual void ungrab() = 0;

    // `pressed` runs on the main thread once per press of the held combination (never for the
    // auto-repeat of a held key), with what the press brings for activating a window. `regrabbed` runs with the new result whenever the state changed by
    // itself: the backend took the combination again after the keyboard layout changed, a desktop
    // answered a Pending grab, or the desktop changed or lost the binding.
    virtual void setHandlers(std::function<void(const ActivationRequest &)> pressed,
                             std::function<void(Result)> regrabbed) = 0;

    virtual Owner owner() const { return Owner::Program; }
    // The desktop's own description of the trigger it bound ("Super+Shift+Space"), when the desktop
    // owns the binding and has said; empty otherwise.
    virtual QString triggerDescription() const { return QString(); }
    // Whether the desktop has a dialog of its own for changing the binding; configure() opens it.
    virtual bool canConfigure() const { return false; }
    virtual void configure() {}
    // The combination (key code, modifier mask) the desktop's own settings now hold for this
    // program, read back: where the user may change it there (GNOME's keyboard settings), that is
    // the hot key. Nothing where the desktop keeps none or names a key this program cannot.
    virtual std::optional<std::pair<quint32, quint32>> desktopKey() const { return std::nullopt; }
    // Why the last grab was Refused, in a few words; empty when not known.
    virtual QString failureReason() const { return QString(); }
};
