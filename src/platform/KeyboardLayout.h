#pragma once

#include <QtGlobal>
#include <optional>

// The current keyboard layout, asked about the physical key of a key press: which key the program
// stores for it whatever modifiers were held (Shift+1 is the key "1", not "!"; on a German layout
// the key that prints "z" is Z).
class KeyboardLayout {
public:
    virtual ~KeyboardLayout() = default;

    struct BaseKey {
        int qtKey = 0;        // Qt's key of the symbol the key prints without Shift
        bool keypad = false;  // the key is on the numeric keypad
    };
    // The key with this native scan code (the key event's nativeScanCode()), identified by its
    // unshifted symbol, or by its shifted one when the program cannot store the unshifted symbol (the
    // digits of a French layout); none when neither can be stored or the code is unknown.
    virtual std::optional<BaseKey> baseKey(quint32 nativeScanCode) const = 0;
};
