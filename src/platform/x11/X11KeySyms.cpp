#include "platform/x11/X11KeySyms.h"

#include "platform/KeyCodes.h"

#include <QChar>

#include <utility>

namespace X11KeySyms {

namespace {

constexpr std::pair<int, quint32> specialKeys[] = {
    {Qt::Key_Return, 0xff0d},   {Qt::Key_Enter, 0xff8d},  {Qt::Key_Tab, 0xff09},      {Qt::Key_Backtab, 0xff09},
    {Qt::Key_Backspace, 0xff08}, {Qt::Key_Escape, 0xff1b}, {Qt::Key_Delete, 0xffff},   {Qt::Key_Home, 0xff50},
    {Qt::Key_End, 0xff57},      {Qt::Key_PageUp, 0xff55}, {Qt::Key_PageDown, 0xff56}, {Qt::Key_Help, 0xff6a},
    {Qt::Key_Insert, 0xff63},   {Qt::Key_Left, 0xff51},   {Qt::Key_Up, 0xff52},       {Qt::Key_Right, 0xff53},
    {Qt::Key_Down, 0xff54},     {Qt::Key_Clear, 0xff0b},
};

constexpr std::pair<int, quint32> keypadKeys[] = {
    {Qt::Key_Period, 0xffae}, {Qt::Key_Comma, 0xffae}, {Qt::Key_Asterisk, 0xffaa}, {Qt::Key_Plus, 0xffab},
    {Qt::Key_Minus, 0xffad},  {Qt::Key_Slash, 0xffaf}, {Qt::Key_Equal, 0xffbd},    {Qt::Key_Enter, 0xff8d},
    {Qt::Key_Return, 0xff8d}, {Qt::Key_Clear, 0xff0b},
};

constexpr quint32 keypad0 = 0xffb0;  // XK_KP_0 ... XK_KP_9
constexpr quint32 f1 = 0xffbe;       // XK_F1 ... XK_F35

} // namespace

std::optional<quint32> fromKeyCode(quint32 virtualKeyCode)
{
    bool keypad = false;
    const std::optional<int> qtKey = KeyCodes::toQtKey(virtualKeyCode, &keypad);
    if (!qtKey)
        return std::nullopt;
    const int key = *qtKey;
    if (keypad) {
        if (key >= Qt::Key_0 && key <= Qt::Key_9)
            return keypad0 + quint32(key - Qt::Key_0);
        for (const auto &[qt, keysym] : keypadKeys) {
            if (qt == key)
                return keysym;
        }
        return std::nullopt;
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F35)
        return f1 + quint32(key - Qt::Key_F1);
    for (const auto &[qt, keysym] : specialKeys) {
        if (qt == key)
            return keysym;
    }
    // Printable keys: Qt's key is the Latin-1 code, which is the keysym; letters are lower case.
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return quint32(key - Qt::Key_A + 'a');
    if (key >= Qt::Key_Space && key <= 0xff)
        return quint32(key);
    return std::nullopt;
}

std::optional<int> toQtKey(quint32 keysym, bool *keypad)
{
    if (keypad)
        *keypad = false;
    if (keysym == 0)
        return std::nullopt;
    if (keysym >= keypad0 && keysym <= keypad0 + 9) {
        if (keypad)
            *keypad = true;
        return Qt::Key_0 + int(keysym - keypad0);
    }
    for (const auto &[qt, sym] : keypadKeys) {
        if (sym == keysym) {
            if (keypad)
                *keypad = true;
            return qt;
        }
    }
    if (keysym >= f1 && keysym < f1 + 35)
        return Qt::Key_F1 + int(keysym - f1);
    for (const auto &[qt, sym] : specialKeys) {
        if (sym == keysym)
            return qt;
    }
    if (keysym >= 'a' && keysym <= 'z')
        return Qt::Key_A + int(keysym - 'a');
    // Latin-1: Qt's keys are the upper-case characters.
    if (keysym >= 0x20 && keysym <= 0xff)
        return int(QChar(char16_t(keysym)).toUpper().unicode());
    return std::nullopt;
}

} // namespace X11KeySyms
