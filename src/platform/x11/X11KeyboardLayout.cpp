#include "platform/x11/X11KeyboardLayout.h"

#include "keys/KeyCodes.h"
#include "platform/x11/X11Display.h"

#include <memory>
#include <xcb/xcb_keysyms.h>

std::optional<KeyboardLayout::BaseKey> X11KeyboardLayout::baseKey(quint32 nativeScanCode) const
{
    const std::optional<X11Display> display = X11Display::ofApplication();
    if (!display || nativeScanCode < 8 || nativeScanCode > 255)
        return std::nullopt;
    const std::unique_ptr<xcb_key_symbols_t, void (*)(xcb_key_symbols_t *)> symbols(
        xcb_key_symbols_alloc(display->connection()), xcb_key_symbols_free);
    if (!symbols)
        return std::nullopt;
    // Shift level 0, then level 1, of the first group.
    for (int column = 0; column < 2; ++column) {
        const xcb_keysym_t keysym = xcb_key_symbols_get_keysym(symbols.get(), xcb_keycode_t(nativeScanCode), column);
        if (const std::optional<KeyCodes::Key> key = KeyCodes::fromKeysym(keysym))
            return BaseKey{key->qtKey, key->keypad};
    }
    return std::nullopt;
}
