#pragma once

#include <QtGlobal>
#include <optional>

// X11 keysyms of the program's virtual key codes (KeyCodes' numbering), through their Qt keys.
namespace X11KeySyms {

// The keysym a key code stands for on an unshifted US layout (space 49 -> XK_space); none for
// codes KeyCodes does not know.
std::optional<quint32> fromKeyCode(quint32 virtualKeyCode);

// The Qt key of a keysym, and whether it is a keypad key: letters as upper-case keys, Latin-1
// symbols as themselves; none for keysyms outside the keys KeyCodes can name.
std::optional<int> toQtKey(quint32 keysym, bool *keypad = nullptr);

} // namespace X11KeySyms
