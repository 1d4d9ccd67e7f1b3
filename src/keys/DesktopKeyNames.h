#pragma once

#include <QString>
#include <optional>
#include <utility>

// A key combination (KeyCodes' virtual code and modifier mask) written the way each Linux desktop
// reads it. Key names are XKB keysym names ("space", "a", "Return", "F5", "KP_Enter", "Prior"), from
// xkbcommon, which every one of these notations uses; a code without a keysym gives no text at all.
namespace DesktopKeyNames {

// The XKB keysym name of a virtual key code.
std::optional<QString> keysymName(quint32 keyCode);

// The freedesktop shortcut notation the GlobalShortcuts portal takes: "LOGO+SHIFT+space".
std::optional<QString> freedesktopTrigger(quint32 keyCode, quint32 modifiers);
// GTK's accelerator notation, as GNOME's keyboard settings store it: "<Super><Shift>space".
std::optional<QString> gtkAccelerator(quint32 keyCode, quint32 modifiers);
// sway's and i3's key combination: "Mod4+Shift+space".
std::optional<QString> swayCombination(quint32 keyCode, quint32 modifiers);

// A GTK accelerator as GNOME's settings hold it ("<Super>k", "<Primary><Alt>Delete", "<Super>Page_Up")
// read back into a key code and modifier mask; nothing for a key with no code or any other modifier.
std::optional<std::pair<quint32, quint32>> fromGtkAccelerator(const QString &accelerator);

} // namespace DesktopKeyNames
