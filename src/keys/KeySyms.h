#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// XKB keysyms, the key numbering of X11, Wayland and GTK, with their names as xkbcommon knows them
// ("Prior", "KP_Add", "XF86AudioMute"). No display is needed: the names and numbers are xkbcommon's
// own tables.
namespace KeySyms {

// The keysym of a name: the exact spelling first, then any case ("page_up" is Page_Up, "N" stays
// the capital N); none for a name xkbcommon does not know.
std::optional<quint32> fromName(QStringView name);

// The name of a keysym ("Prior" for Page Up, whichever of its names xkbcommon lists first); empty for
// a keysym that has none.
QString name(quint32 keysym);

// The keysym that types a character ('[' is bracketleft); none when no keysym does.
std::optional<quint32> fromCharacter(char32_t character);

// The character a keysym types, or 0 when it types none (Home, F5) or only a control character.
char32_t character(quint32 keysym);

// The lower-case keysym of a letter ('N' to 'n', Eacute to eacute); any other keysym unchanged.
quint32 toLower(quint32 keysym);

} // namespace KeySyms
