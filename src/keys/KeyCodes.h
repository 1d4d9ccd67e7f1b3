#pragma once

#include <QString>
#include <Qt>
#include <optional>

// The one key numbering of the program: layout-independent virtual key codes (49 is the space bar),
// as stored in the preferences and used by the panel's key table, and the modifier mask with
// command 0x100, shift 0x200, option 0x800 and control 0x1000. Command is the Super key here.
// Conversions to and from Qt's keys and XKB keysyms live here and nowhere else.
namespace KeyCodes {

enum : quint32 {
    A = 0, S = 1, D = 2, F = 3, H = 4, G = 5, Z = 6, X = 7, C = 8, V = 9, B = 11, Q = 12, W = 13, E = 14,
    R = 15, Y = 16, T = 17, Digit1 = 18, Digit2 = 19, Digit3 = 20, Digit4 = 21, Digit6 = 22, Digit5 = 23,
    Equal = 24, Digit9 = 25, Digit7 = 26, Minus = 27, Digit8 = 28, Digit0 = 29, RightBracket = 30, O = 31,
    U = 32, LeftBracket = 33, I = 34, P = 35, Return = 36, L = 37, J = 38, Quote = 39, K = 40, Semicolon = 41,
    Backslash = 42, Comma = 43, Slash = 44, N = 45, M = 46, Period = 47, Tab = 48, Space = 49, Grave = 50,
    Backspace = 51, Escape = 53, KeypadDecimal = 65, KeypadMultiply = 67, KeypadPlus = 69, KeypadClear = 71,
    KeypadDivide = 75, KeypadEnter = 76, KeypadMinus = 78, KeypadEquals = 81, Keypad0 = 82, Keypad1 = 83,
    Keypad2 = 84, Keypad3 = 85, Keypad4 = 86, Keypad5 = 87, Keypad6 = 88, Keypad7 = 89, Keypad8 = 91,
    Keypad9 = 92, F5 = 96, F6 = 97, F7 = 98, F3 = 99, F8 = 100, F9 = 101, F11 = 103, F13 = 105, F16 = 106,
    F14 = 107, F10 = 109, F12 = 111, F15 = 113, Help = 114, Home = 115, PageUp = 116, ForwardDelete = 117,
    F4 = 118, End = 119, F2 = 120, PageDown = 121, F1 = 122, LeftArrow = 123, RightArrow = 124,
    DownArrow = 125, UpArrow = 126, F17 = 64, F18 = 79, F19 = 80, F20 = 90,
};

enum Modifier : quint32 {
    CommandMask = 0x100,
    ShiftMask = 0x200,
    OptionMask = 0x800,
    ControlMask = 0x1000,
};

// The virtual key code of a Qt key; `keypad` when the key came from the numeric keypad.
std::optional<quint32> fromQtKey(int qtKey, bool keypad = false);
// The Qt key of a virtual key code, and whether it is a keypad key.
std::optional<int> toQtKey(quint32 code, bool *keypad = nullptr);

// The keysym a code stands for on an unshifted US layout (space 49 is XKB's space, PageUp Prior,
// Help the Insert key that sits in its place on PC keyboards); none for codes this table lacks.
std::optional<quint32> toKeysym(quint32 code);

// A key found by its keysym: its code, and the Qt key and keypad flag it arrives with.
struct Key {
    quint32 code;
    int qtKey;
    bool keypad;
};
// The key of a keysym; a capital letter is its letter key. None for keysyms no code stands for.
std::optional<Key> fromKeysym(quint32 keysym);

quint32 fromQtModifiers(Qt::KeyboardModifiers modifiers);
Qt::KeyboardModifiers toQtModifiers(quint32 mask);

} // namespace KeyCodes
