#include "platform/KeyCodes.h"

#include <array>
#include <utility>

namespace KeyCodes {

namespace {

struct KeyPair {
    int qtKey;
    quint32 code;
};

constexpr KeyPair mainKeys[] = {
    {Qt::Key_A, A}, {Qt::Key_B, B}, {Qt::Key_C, C}, {Qt::Key_D, D}, {Qt::Key_E, E}, {Qt::Key_F, F},
    {Qt::Key_G, G}, {Qt::Key_H, H}, {Qt::Key_I, I}, {Qt::Key_J, J}, {Qt::Key_K, K}, {Qt::Key_L, L},
    {Qt::Key_M, M}, {Qt::Key_N, N}, {Qt::Key_O, O}, {Qt::Key_P, P}, {Qt::Key_Q, Q}, {Qt::Key_R, R},
    {Qt::Key_S, S}, {Qt::Key_T, T}, {Qt::Key_U, U}, {Qt::Key_V, V}, {Qt::Key_W, W}, {Qt::Key_X, X},
    {Qt::Key_Y, Y}, {Qt::Key_Z, Z},
    {Qt::Key_0, Digit0}, {Qt::Key_1, Digit1}, {Qt::Key_2, Digit2}, {Qt::Key_3, Digit3}, {Qt::Key_4, Digit4},
    {Qt::Key_5, Digit5}, {Qt::Key_6, Digit6}, {Qt::Key_7, Digit7}, {Qt::Key_8, Digit8}, {Qt::Key_9, Digit9},
    {Qt::Key_Equal, Equal}, {Qt::Key_Minus, Minus}, {Qt::Key_BracketRight, RightBracket},
    {Qt::Key_BracketLeft, LeftBracket}, {Qt::Key_Apostrophe, Quote}, {Qt::Key_Semicolon, Semicolon},
    {Qt::Key_Backslash, Backslash}, {Qt::Key_Comma, Comma}, {Qt::Key_Slash, Slash}, {Qt::Key_Period, Period},
    {Qt::Key_QuoteLeft, Grave},
    {Qt::Key_Return, Return}, {Qt::Key_Enter, KeypadEnter}, {Qt::Key_Tab, Tab}, {Qt::Key_Backtab, Tab},
    {Qt::Key_Space, Space}, {Qt::Key_Backspace, Backspace}, {Qt::Key_Escape, Escape},
    {Qt::Key_Delete, ForwardDelete}, {Qt::Key_Home, Home}, {Qt::Key_End, End}, {Qt::Key_PageUp, PageUp},
    {Qt::Key_PageDown, PageDown}, {Qt::Key_Help, Help}, {Qt::Key_Insert, Help},
    {Qt::Key_Left, LeftArrow}, {Qt::Key_Right, RightArrow}, {Qt::Key_Down, DownArrow}, {Qt::Key_Up, UpArrow},
    {Qt::Key_F1, F1}, {Qt::Key_F2, F2}, {Qt::Key_F3, F3}, {Qt::Key_F4, F4}, {Qt::Key_F5, F5},
    {Qt::Key_F6, F6}, {Qt::Key_F7, F7}, {Qt::Key_F8, F8}, {Qt::Key_F9, F9}, {Qt::Key_F10, F10},
    {Qt::Key_F11, F11}, {Qt::Key_F12, F12}, {Qt::Key_F13, F13}, {Qt::Key_F14, F14}, {Qt::Key_F15, F15},
    {Qt::Key_F16, F16}, {Qt::Key_F17, F17}, {Qt::Key_F18, F18}, {Qt::Key_F19, F19}, {Qt::Key_F20, F20},
};

constexpr KeyPair keypadKeys[] = {
    {Qt::Key_0, Keypad0}, {Qt::Key_1, Keypad1}, {Qt::Key_2, Keypad2}, {Qt::Key_3, Keypad3},
    {Qt::Key_4, Keypad4}, {Qt::Key_5, Keypad5}, {Qt::Key_6, Keypad6}, {Qt::Key_7, Keypad7},
    {Qt::Key_8, Keypad8}, {Qt::Key_9, Keypad9}, {Qt::Key_Period, KeypadDecimal},
    {Qt::Key_Comma, KeypadDecimal}, {Qt::Key_Asterisk, KeypadMultiply}, {Qt::Key_Plus, KeypadPlus},
    {Qt::Key_Minus, KeypadMinus}, {Qt::Key_Slash, KeypadDivide}, {Qt::Key_Equal, KeypadEquals},
    {Qt::Key_Enter, KeypadEnter}, {Qt::Key_Return, KeypadEnter}, {Qt::Key_Clear, KeypadClear},
};

constexpr std::pair<Qt::KeyboardModifier, quint32> modifierPairs[] = {
    {Qt::MetaModifier, CommandMask},
    {Qt::ShiftModifier, ShiftMask},
    {Qt::AltModifier, OptionMask},
    {Qt::ControlModifier, ControlMask},
};

} // namespace

std::optional<quint32> fromQtKey(int qtKey, bool keypad)
{
    if (keypad) {
        for (const KeyPair &pair : keypadKeys) {
            if (pair.qtKey == qtKey)
                return pair.code;
        }
    }
    for (const KeyPair &pair : mainKeys) {
        if (pair.qtKey == qtKey)
            return pair.code;
    }
    return std::nullopt;
}

std::optional<int> toQtKey(quint32 code, bool *keypad)
{
    for (const KeyPair &pair : mainKeys) {
        if (pair.code == code && pair.code != KeypadEnter) {
            if (keypad)
                *keypad = false;
            return pair.qtKey;
        }
    }
    for (const KeyPair &pair : keypadKeys) {
        if (pair.code == code) {
            if (keypad)
                *keypad = true;
            return pair.qtKey;
        }
    }
    return std::nullopt;
}

quint32 fromQtModifiers(Qt::KeyboardModifiers modifiers)
{
    quint32 mask = 0;
    for (const auto &[qt, bit] : modifierPairs) {
        if (modifiers & qt)
            mask |= bit;
    }
    return mask;
}

Qt::KeyboardModifiers toQtModifiers(quint32 mask)
{
    Qt::KeyboardModifiers modifiers;
    for (const auto &[qt, bit] : modifierPairs) {
        if (mask & bit)
            modifiers |= qt;
    }
    return modifiers;
}

} // namespace KeyCodes
