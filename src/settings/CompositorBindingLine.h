#pragma once

#include <QString>

// The line that binds a key to `command` in the configuration of a Wayland compositor that lets
// programs take no global keys, written from the stored hot key:
//   sway, i3:  bindsym Mod4+Shift+space exec corvane --toggle
//   Hyprland:  bind = SUPER SHIFT, space, exec, corvane --toggle
//   river:     riverctl map normal Super+Shift space spawn 'corvane --toggle'
namespace CompositorBindingLine {

// `currentDesktop` is XDG_CURRENT_DESKTOP (a colon-separated list). Empty for a compositor whose
// configuration we do not know, or a key with no keysym name.
QString forDesktop(const QString &currentDesktop, quint32 keyCode, quint32 modifiers, const QString &command);

} // namespace CompositorBindingLine
