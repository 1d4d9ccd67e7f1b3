#pragma once

#include <QtGlobal>
#include <optional>

// X11 keysyms of the program's virtual key codes (KeyCodes' numbering), through their Qt keys.
namespace X11KeySyms {

// The keysym a key code stands for on an unshifted US layout (space 49 -> XK_space); none for
// codes KeyCodes does not know.
std::optional<quint32> fromKeyCode(quint32 virtualKeyCode);

} // namespace X11KeySyms
