#include "keys/KeyTokens.h"

#include "keys/KeySyms.h"

#include <QStringList>

#include <xkbcommon/xkbcommon-keysyms.h>

namespace KeyTokens {

namespace {

struct Named {
    quint32 keysym;
    const char *token;
};

// Keys whose token is a word. The first row of a keysym gives its token, the first row of a token
// its keysym; a letter, a digit or a punctuation mark not listed here is its own token.
constexpr Named namedKeys[] = {
    {XKB_KEY_Prior, "pageup"}, {XKB_KEY_Next, "pagedown"}, {XKB_KEY_Home, "home"}, {XKB_KEY_End, "end"},
    {XKB_KEY_Left, "left"}, {XKB_KEY_Right, "right"}, {XKB_KEY_Up, "up"}, {XKB_KEY_Down, "down"},
    {XKB_KEY_Return, "enter"}, {XKB_KEY_Escape, "esc"}, {XKB_KEY_BackSpace, "backspace"},
    {XKB_KEY_Delete, "delete"}, {XKB_KEY_Tab, "tab"}, {XKB_KEY_space, "space"}, {XKB_KEY_Insert, "insert"},
    {XKB_KEY_Print, "print"}, {XKB_KEY_Pause, "pause"}, {XKB_KEY_Menu, "menu"}, {XKB_KEY_Num_Lock, "numlock"},
    {XKB_KEY_Scroll_Lock, "scrolllock"}, {XKB_KEY_Sys_Req, "sysrq"}, {XKB_KEY_Multi_key, "compose"},
    {XKB_KEY_Caps_Lock, "capslock"}, {XKB_KEY_Clear, "clear"},
    {XKB_KEY_plus, "plus"}, {XKB_KEY_minus, "minus"}, {XKB_KEY_equal, "equal"}, {XKB_KEY_comma, "comma"},
    {XKB_KEY_period, "period"}, {XKB_KEY_slash, "slash"}, {XKB_KEY_backslash, "backslash"},
    {XKB_KEY_semicolon, "semicolon"}, {XKB_KEY_apostrophe, "quote"}, {XKB_KEY_grave, "backtick"},
    {XKB_KEY_asciitilde, "tilde"}, {XKB_KEY_bracketleft, "leftbracket"}, {XKB_KEY_bracketright, "rightbracket"},
    {XKB_KEY_KP_Enter, "numpadenter"}, {XKB_KEY_KP_Add, "numpadplus"}, {XKB_KEY_KP_Subtract, "numpadminus"},
    {XKB_KEY_KP_Multiply, "numpadmultiply"}, {XKB_KEY_KP_Divide, "numpaddivide"},
    {XKB_KEY_KP_Decimal, "numpaddecimal"}, {XKB_KEY_KP_Equal, "numpadequal"}, {XKB_KEY_KP_Home, "numpadhome"},
    {XKB_KEY_KP_End, "numpadend"}, {XKB_KEY_KP_Left, "numpadleft"}, {XKB_KEY_KP_Right, "numpadright"},
    {XKB_KEY_KP_Up, "numpadup"}, {XKB_KEY_KP_Down, "numpaddown"}, {XKB_KEY_KP_Prior, "numpadpageup"},
    {XKB_KEY_KP_Next, "numpadpagedown"}, {XKB_KEY_KP_Insert, "numpadinsert"}, {XKB_KEY_KP_Delete, "numpaddelete"},
    {XKB_KEY_XF86AudioRaiseVolume, "volumeup"}, {XKB_KEY_XF86AudioLowerVolume, "volumedown"},
    {XKB_KEY_XF86AudioMute, "mute"}, {XKB_KEY_XF86AudioPlay, "play"}, {XKB_KEY_XF86AudioNext, "next"},
    {XKB_KEY_XF86AudioPrev, "previous"}, {XKB_KEY_XF86MonBrightnessUp, "brightnessup"},
    {XKB_KEY_XF86MonBrightnessDown, "brightnessdown"}, {XKB_KEY_XF86Fn, "fn"},
    {XKB_KEY_Control_L, "ctrl"}, {XKB_KEY_Alt_L, "alt"}, {XKB_KEY_Shift_L, "shift"}, {XKB_KEY_Super_L, "super"},
    // Other keysyms of the same keys, and the data files' other spellings.
    {XKB_KEY_ISO_Enter, "enter"}, {XKB_KEY_ISO_Left_Tab, "tab"}, {XKB_KEY_Break, "pause"},
    {XKB_KEY_KP_Separator, "numpaddecimal"}, {XKB_KEY_KP_Space, "space"}, {XKB_KEY_KP_Tab, "tab"},
    {XKB_KEY_Control_R, "ctrl"}, {XKB_KEY_Alt_R, "alt"}, {XKB_KEY_Shift_R, "shift"}, {XKB_KEY_Super_R, "super"},
    {XKB_KEY_Meta_L, "super"}, {XKB_KEY_Meta_R, "super"}, {XKB_KEY_Hyper_L, "super"}, {XKB_KEY_Hyper_R, "super"},
    {XKB_KEY_Return, "return"}, {XKB_KEY_Super_L, "cmd"}, {XKB_KEY_Alt_L, "opt"},
};

constexpr int functionKeys = 35;  // F1 to F35

bool isPrintableAscii(char32_t c)
{
    return c > 0x20 && c < 0x7f;
}

} // namespace

constexpr struct {
    Modifier modifier;
    const char *token;
} modifierOrder[] = {{Ctrl, "ctrl"}, {Alt, "alt"}, {Shift, "shift"}, {Super, "super"}};

QString chord(unsigned modifiers, const QString &key)
{
    QStringList parts;
    for (const auto &m : modifierOrder) {
        if (modifiers & m.modifier)
            parts << QLatin1String(m.token);
    }
    if (!key.isEmpty())
        parts << key;
    return parts.join(QLatin1Char('+'));
}

unsigned modifierNamed(QStringView token)
{
    for (const auto &m : modifierOrder) {
        if (token == QLatin1String(m.token))
            return m.modifier;
    }
    return 0;
}

std::optional<QString> fromKeysym(quint32 keysym)
{
    for (const Named &named : namedKeys) {
        if (named.keysym == keysym)
            return QLatin1String(named.token);
    }
    if (keysym >= XKB_KEY_F1 && keysym < XKB_KEY_F1 + functionKeys)
        return QStringLiteral("f%1").arg(keysym - XKB_KEY_F1 + 1);
    if (keysym >= XKB_KEY_KP_0 && keysym <= XKB_KEY_KP_9)
        return QStringLiteral("numpad%1").arg(keysym - XKB_KEY_KP_0);
    if (keysym == XKB_KEY_KP_Begin)
        return QStringLiteral("numpad5");  // the middle of the keypad with NumLock off
    const char32_t c = KeySyms::character(KeySyms::toLower(keysym));
    if (!isPrintableAscii(c))
        return std::nullopt;
    return QString(QChar(char16_t(c)));
}

std::optional<QString> fromKeysymName(QStringView name)
{
    const std::optional<quint32> keysym = KeySyms::fromName(name);
    return keysym ? fromKeysym(*keysym) : std::nullopt;
}

std::optional<quint32> toKeysym(QStringView token)
{
    const QString lower = token.toString().toLower();
    for (const Named &named : namedKeys) {
        if (lower == QLatin1String(named.token))
            return named.keysym;
    }
    if (lower.size() == 1 && isPrintableAscii(lower.at(0).unicode()))
        return KeySyms::fromCharacter(lower.at(0).unicode());
    bool ok = false;
    if (lower.startsWith(QLatin1Char('f')) && lower.size() > 1 && lower.at(1) != QLatin1Char('0')) {
        const int n = QStringView(lower).mid(1).toInt(&ok);
        if (ok && n >= 1 && n <= functionKeys)
            return XKB_KEY_F1 + quint32(n - 1);
    }
    if (lower.size() == 7 && lower.startsWith(QLatin1String("numpad"))) {
        const int digit = lower.at(6).digitValue();
        if (digit >= 0)
            return XKB_KEY_KP_0 + quint32(digit);
    }
    return std::nullopt;
}

} // namespace KeyTokens
