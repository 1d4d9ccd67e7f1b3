#pragma once

#include <QtGlobal>

// Which key combinations a global hot key must not take: with Shift as the only modifier, a key
// that types a character (a letter, a digit, punctuation, the space bar, the keypad's digits and
// signs) would be swallowed in every application, since a global grab sees the press first.
// Function keys, arrows and the like stay allowed with Shift alone.
namespace TypingKeys {

// True when the combination (KeyCodes' code and modifier mask) would take typing away.
bool takesTyping(quint32 keyCode, quint32 modifiers);

} // namespace TypingKeys
