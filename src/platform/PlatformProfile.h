#pragma once

#include <QtGlobal>

// The constants that differ between the platforms Corvane runs on.
namespace PlatformProfile {

#if defined(Q_OS_MACOS) || defined(__APPLE__)
inline constexpr const char *keymapPlatform = "macos";
inline constexpr const char16_t *commandGlyph = u"\u2318";
inline constexpr const char16_t *defaultHotKeyDisplay = u"\u2318\u21E7Space";
inline constexpr const char *onlyInstalledLabel = QT_TRANSLATE_NOOP("SettingsView", "Only show apps installed on this Mac");
#else
inline constexpr const char *keymapPlatform = "linux";
inline constexpr const char16_t *commandGlyph = u"\u2756";
// Ctrl+Super+Space: no stock desktop we support binds it (GNOME 42-48, Plasma 5.27 and 6, sway, i3,
// Xfce, Cinnamon, MATE, Openbox), space sits at the same place on every layout, and applications
// leave Super to the desktop. Shift+Super+Space, the old default, is GNOME's previous input source
// and sway's floating toggle.
inline constexpr const char16_t *defaultHotKeyDisplay = u"\u2303\u2756Space";
inline constexpr const char *onlyInstalledLabel =
    QT_TRANSLATE_NOOP("SettingsView", "Only show apps installed on this computer");
#endif

// The program's own application id: desktop file, autostart file, and how its windows are recognised.
inline constexpr const char *applicationId = "org.corvane.Corvane";

} // namespace PlatformProfile
