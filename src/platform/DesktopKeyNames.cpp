#include "platform/DesktopKeyNames.h"

#include "platform/KeyCodes.h"

#include <QStringList>
#include <utility>

namespace DesktopKeyNames {

namespace {

using namespace KeyCodes;

// Keys whose keysym name is not the character itself.
constexpr std::pair<quint32, const char *> namedKeys[] = {
    {Space, "space"}, {Return, "Return"}, {Tab, "Tab"}, {Backspace, "BackSpace"}, {Escape, "Escape"},
    {ForwardDelete, "Delete"}, {Home, "Home"}, {End, "End"}, {PageUp, "Prior"}, {PageDown, "Next"},
    {Help, "Insert"}, {LeftArrow, "Left"}, {RightArrow, "Right"}, {UpArrow, "Up"}, {DownArrow, "Down"},
    {Minus, "minus"}, {Equal, "equal"}, {LeftBracket, "bracketleft"}, {RightBracket, "bracketright"},
    {Semicolon, "semicolon"}, {Quote, "apostrophe"}, {Backslash, "backslash"}, {Comma, "comma"},
    {Period, "period"}, {Slash, "slash"}, {Grave, "grave"},
    {KeypadEnter, "KP_Enter"}, {KeypadDecimal, "KP_Decimal"}, {KeypadMultiply, "KP_Multiply"},
    {KeypadPlus, "KP_Add"}, {KeypadMinus, "KP_Subtract"}, {KeypadDivide, "KP_Divide"},
    {KeypadEquals, "KP_Equal"}, {KeypadClear, "Clear"},
};

struct ModifierNames {
    quint32 mask;
    const char *freedesktop;
    const char *gtk;
    const char *sway;
};

// In the order each notation writes them: the Super key first, as in LOGO+SHIFT+space.
constexpr ModifierNames modifierNames[] = {
    {CommandMask, "LOGO", "<Super>", "Mod4"},
    {ControlMask, "CTRL", "<Control>", "Ctrl"},
    {OptionMask, "ALT", "<Alt>", "Mod1"},
    {ShiftMask, "SHIFT", "<Shift>", "Shift"},
};

} // namespace

std::optional<QString> keysymName(quint32 keyCode)
{
    for (const auto &[code, name] : namedKeys) {
        if (code == keyCode)
            return QString::fromLatin1(name);
    }
    bool keypad = false;
    const std::optional<int> qtKey = toQtKey(keyCode, &keypad);
    if (!qtKey)
        return std::nullopt;
    const int key = *qtKey;
    if (keypad && key >= Qt::Key_0 && key <= Qt::Key_9)
        return QStringLiteral("KP_%1").arg(key - Qt::Key_0);
    if (keypad)
        return std::nullopt;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F35)
        return QStringLiteral("F%1").arg(key - Qt::Key_F1 + 1);
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return QString(QChar(char16_t(key - Qt::Key_A + 'a')));
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return QString(QChar(char16_t(key)));
    return std::nullopt;
}

namespace {

// The modifiers in one notation's names, then the key; `separator` between parts ("" for GTK,
// whose modifiers carry their own brackets).
std::optional<QString> compose(quint32 keyCode, quint32 modifiers, const char *ModifierNames::*notation,
                               QLatin1String separator)
{
    std::optional<QString> key = keysymName(keyCode);
    if (!key)
        return std::nullopt;
    QStringList parts;
    for (const ModifierNames &names : modifierNames) {
        if (modifiers & names.mask)
            parts.append(QLatin1String(names.*notation));
    }
    parts.append(*key);
    return parts.join(separator);
}

} // namespace

std::optional<QString> freedesktopTrigger(quint32 keyCode, quint32 modifiers)
{
    return compose(keyCode, modifiers, &ModifierNames::freedesktop, QLatin1String("+"));
}

std::optional<QString> gtkAccelerator(quint32 keyCode, quint32 modifiers)
{
    return compose(keyCode, modifiers, &ModifierNames::gtk, QLatin1String(""));
}

std::optional<QString> swayCombination(quint32 keyCode, quint32 modifiers)
{
    return compose(keyCode, modifiers, &ModifierNames::sway, QLatin1String("+"));
}

std::optional<std::pair<quint32, quint32>> fromGtkAccelerator(const QString &accelerator)
{
    // GTK's own spellings of the modifiers it writes and reads.
    const std::pair<const char *, quint32> modifierSpellings[] = {
        {"super", CommandMask}, {"mod4", CommandMask}, {"control", ControlMask}, {"ctrl", ControlMask},
        {"ctl", ControlMask}, {"primary", ControlMask}, {"alt", OptionMask}, {"mod1", OptionMask},
        {"shift", ShiftMask}, {"shft", ShiftMask}};
    quint32 modifiers = 0;
    QString rest = accelerator.trimmed();
    while (rest.startsWith(QLatin1Char('<'))) {
        const qsizetype close = rest.indexOf(QLatin1Char('>'));
        if (close < 0)
            return std::nullopt;
        const QString name = rest.mid(1, close - 1).toLower();
        bool known = false;
        for (const auto &[spelling, mask] : modifierSpellings) {
            if (name == QLatin1String(spelling)) {
                modifiers |= mask;
                known = true;
            }
        }
        if (!known)
            return std::nullopt;
        rest = rest.mid(close + 1);
    }
    if (rest.isEmpty())
        return std::nullopt;
    // Keysym names are case-sensitive, but GTK writes letters either way.
    const QString key = rest.size() == 1 ? rest.toLower() : rest;
    for (quint32 code = 0; code < 128; ++code) {
        const std::optional<QString> name = keysymName(code);
        if (name && *name == key)
            return std::make_pair(code, modifiers);
    }
    return std::nullopt;
}

} // namespace DesktopKeyNames
