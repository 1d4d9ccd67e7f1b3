#pragma once

#include "platform/KeyboardLayout.h"

// The X server's current keymap, read afresh on every question so a layout switched while the
// program runs (setxkbmap) is followed. Without an X11 display every answer is none.
class X11KeyboardLayout : public KeyboardLayout {
public:
    std::optional<BaseKey> baseKey(quint32 nativeScanCode) const override;
};
