#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// The key names of the data files' notation ("pageup", "numpadplus", "leftbracket", "?") and the XKB
// keysyms they stand for. Every reader of another program's keys reaches the data files' names
// through here.
namespace KeyTokens {

// The modifiers of the notation, written in this order before the key: "ctrl+alt+shift+super+k".
enum Modifier : unsigned { Ctrl = 1, Alt = 2, Shift = 4, Super = 8 };

// One chord: the modifiers in their order, then the key (if any), joined by "+".
QString chord(unsigned modifiers, const QString &key);

// The modifier a token names ("ctrl", "alt", "shift", "super"); 0 for any other token.
unsigned modifierNamed(QStringView token);

// The token of a keysym: Prior is "pageup", KP_7 "numpad7", question "?", a capital letter its
// lower-case letter, Super_L "super". None for a keysym the notation has no name for (eacute).
std::optional<QString> fromKeysym(quint32 keysym);

// The token of an XKB keysym name, in any case ("Page_Up", "prior", "KP_Add"); none for a name
// xkbcommon does not know or a keysym the notation has no name for.
std::optional<QString> fromKeysymName(QStringView name);

// The keysym of a token (case ignored), modifiers as their left-hand key; none for tokens that name
// no key (a mouse action, "fn").
std::optional<quint32> toKeysym(QStringView token);

} // namespace KeyTokens
