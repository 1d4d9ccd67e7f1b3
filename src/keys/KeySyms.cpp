#include "keys/KeySyms.h"

#include <xkbcommon/xkbcommon.h>

namespace KeySyms {

std::optional<quint32> fromName(QStringView name)
{
    if (name.isEmpty())
        return std::nullopt;
    const QByteArray utf8 = name.toUtf8();
    xkb_keysym_t keysym = xkb_keysym_from_name(utf8.constData(), XKB_KEYSYM_NO_FLAGS);
    if (keysym == XKB_KEY_NoSymbol)
        keysym = xkb_keysym_from_name(utf8.constData(), XKB_KEYSYM_CASE_INSENSITIVE);
    return keysym == XKB_KEY_NoSymbol ? std::nullopt : std::optional<quint32>(keysym);
}

QString name(quint32 keysym)
{
    if (keysym == XKB_KEY_NoSymbol)
        return QString();
    char buffer[64];
    const int length = xkb_keysym_get_name(keysym, buffer, sizeof buffer);
    if (length <= 0 || size_t(length) >= sizeof buffer)
        return QString();
    // Keysyms without a name of their own come back as a number ("0x1234abcd").
    if (buffer[0] == '0' && buffer[1] == 'x')
        return QString();
    return QString::fromLatin1(buffer, length);
}

std::optional<quint32> fromCharacter(char32_t character)
{
    const xkb_keysym_t keysym = xkb_utf32_to_keysym(character);
    return keysym == XKB_KEY_NoSymbol ? std::nullopt : std::optional<quint32>(keysym);
}

char32_t character(quint32 keysym)
{
    const char32_t c = xkb_keysym_to_utf32(keysym);
    return c < 0x20 || c == 0x7f ? 0 : c;
}

quint32 toLower(quint32 keysym)
{
    return xkb_keysym_to_lower(keysym);
}

} // namespace KeySyms
