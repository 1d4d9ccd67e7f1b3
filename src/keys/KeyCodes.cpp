#include "keys/KeyCodes.h"

#include "keys/KeySyms.h"

#include <xkbcommon/xkbcommon-keysyms.h>

#include <utility>

namespace KeyCodes {

namespace {

// One key: its code, the Qt key (and keypad flag) it arrives with, and its keysym. Each direction
// takes the first row that matches, so the first row of a code is how that code is written; the
// rows after it only read other spellings (0: nothing to read in that column).
struct KeyRow {
    quint32 code;
    int qtKey;
    bool keypad;
    quint32 keysym;
};

constexpr KeyRow keys[] = {
    {A, Qt::Key_A, false, XKB_KEY_a}, {B, Qt::Key_B, false, XKB_KEY_b}, {C, Qt::Key_C, false, XKB_KEY_c},
    {D, Qt::Key_D, false, XKB_KEY_d}, {E, Qt::Key_E, false, XKB_KEY_e}, {F, Qt::Key_F, false, XKB_KEY_f},
    {G, Qt::Key_G, false, XKB_KEY_g}, {H, Qt::Key_H, false, XKB_KEY_h}, {I, Qt::Key_I, false, XKB_KEY_i},
    {J, Qt::Key_J, false, XKB_KEY_j}, {K, Qt::Key_K, false, XKB_KEY_k}, {L, Qt::Key_L, false, XKB_KEY_l},
    {M, Qt::Key_M, false, XKB_KEY_m}, {N, Qt::Key_N, false, XKB_KEY_n}, {O, Qt::Key_O, false, XKB_KEY_o},
    {P, Qt::Key_P, false, XKB_KEY_p}, {Q, Qt::Key_Q, false, XKB_KEY_q}, {R, Qt::Key_R, false, XKB_KEY_r},
    {S, Qt::Key_S, false, XKB_KEY_s}, {T, Qt::Key_T, false, XKB_KEY_t}, {U, Qt::Key_U, false, XKB_KEY_u},
    {V, Qt::Key_V, false, XKB_KEY_v}, {W, Qt::Key_W, false, XKB_KEY_w}, {X, Qt::Key_X, false, XKB_KEY_x},
    {Y, Qt::Key_Y, false, XKB_KEY_y}, {Z, Qt::Key_Z, false, XKB_KEY_z},
    {Digit0, Qt::Key_0, false, XKB_KEY_0}, {Digit1, Qt::Key_1, false, XKB_KEY_1}, {Digit2, Qt::Key_2, false, XKB_KEY_2},
    {Digit3, Qt::Key_3, false, XKB_KEY_3}, {Digit4, Qt::Key_4, false, XKB_KEY_4}, {Digit5, Qt::Key_5, false, XKB_KEY_5},
    {Digit6, Qt::Key_6, false, XKB_KEY_6}, {Digit7, Qt::Key_7, false, XKB_KEY_7}, {Digit8, Qt::Key_8, false, XKB_KEY_8},
    {Digit9, Qt::Key_9, false, XKB_KEY_9},
    {Equal, Qt::Key_Equal, false, XKB_KEY_equal}, {Minus, Qt::Key_Minus, false, XKB_KEY_minus},
    {RightBracket, Qt::Key_BracketRight, false, XKB_KEY_bracketright},
    {LeftBracket, Qt::Key_BracketLeft, false, XKB_KEY_bracketleft},
    {Quote, Qt::Key_Apostrophe, false, XKB_KEY_apostrophe}, {Semicolon, Qt::Key_Semicolon, false, XKB_KEY_semicolon},
    {Backslash, Qt::Key_Backslash, false, XKB_KEY_backslash}, {Comma, Qt::Key_Comma, false, XKB_KEY_comma},
    {Slash, Qt::Key_Slash, false, XKB_KEY_slash}, {Period, Qt::Key_Period, false, XKB_KEY_period},
    {Grave, Qt::Key_QuoteLeft, false, XKB_KEY_grave},
    {Return, Qt::Key_Return, false, XKB_KEY_Return}, {Tab, Qt::Key_Tab, false, XKB_KEY_Tab},
    {Space, Qt::Key_Space, false, XKB_KEY_space}, {Backspace, Qt::Key_Backspace, false, XKB_KEY_BackSpace},
    {Escape, Qt::Key_Escape, false, XKB_KEY_Escape}, {ForwardDelete, Qt::Key_Delete, false, XKB_KEY_Delete},
    {Home, Qt::Key_Home, false, XKB_KEY_Home}, {End, Qt::Key_End, false, XKB_KEY_End},
    {PageUp, Qt::Key_PageUp, false, XKB_KEY_Prior}, {PageDown, Qt::Key_PageDown, false, XKB_KEY_Next},
    // The Help key of Apple keyboards sits where PC keyboards have Insert.
    {Help, Qt::Key_Insert, false, XKB_KEY_Insert},
    {LeftArrow, Qt::Key_Left, false, XKB_KEY_Left}, {RightArrow, Qt::Key_Right, false, XKB_KEY_Right},
    {DownArrow, Qt::Key_Down, false, XKB_KEY_Down}, {UpArrow, Qt::Key_Up, false, XKB_KEY_Up},
    {F1, Qt::Key_F1, false, XKB_KEY_F1}, {F2, Qt::Key_F2, false, XKB_KEY_F2}, {F3, Qt::Key_F3, false, XKB_KEY_F3},
    {F4, Qt::Key_F4, false, XKB_KEY_F4}, {F5, Qt::Key_F5, false, XKB_KEY_F5}, {F6, Qt::Key_F6, false, XKB_KEY_F6},
    {F7, Qt::Key_F7, false, XKB_KEY_F7}, {F8, Qt::Key_F8, false, XKB_KEY_F8}, {F9, Qt::Key_F9, false, XKB_KEY_F9},
    {F10, Qt::Key_F10, false, XKB_KEY_F10}, {F11, Qt::Key_F11, false, XKB_KEY_F11},
    {F12, Qt::Key_F12, false, XKB_KEY_F12}, {F13, Qt::Key_F13, false, XKB_KEY_F13},
    {F14, Qt::Key_F14, false, XKB_KEY_F14}, {F15, Qt::Key_F15, false, XKB_KEY_F15},
    {F16, Qt::Key_F16, false, XKB_KEY_F16}, {F17, Qt::Key_F17, false, XKB_KEY_F17},
    {F18, Qt::Key_F18, false, XKB_KEY_F18}, {F19, Qt::Key_F19, false, XKB_KEY_F19},
    {F20, Qt::Key_F20, false, XKB_KEY_F20},
    {Keypad0, Qt::Key_0, true, XKB_KEY_KP_0}, {Keypad1, Qt::Key_1, true, XKB_KEY_KP_1},
    {Keypad2, Qt::Key_2, true, XKB_KEY_KP_2}, {Keypad3, Qt::Key_3, true, XKB_KEY_KP_3},
    {Keypad4, Qt::Key_4, true, XKB_KEY_KP_4}, {Keypad5, Qt::Key_5, true, XKB_KEY_KP_5},
    {Keypad6, Qt::Key_6, true, XKB_KEY_KP_6}, {Keypad7, Qt::Key_7, true, XKB_KEY_KP_7},
    {Keypad8, Qt::Key_8, true, XKB_KEY_KP_8}, {Keypad9, Qt::Key_9, true, XKB_KEY_KP_9},
    {KeypadDecimal, Qt::Key_Period, true, XKB_KEY_KP_Decimal},
    {KeypadMultiply, Qt::Key_Asterisk, true, XKB_KEY_KP_Multiply}, {KeypadPlus, Qt::Key_Plus, true, XKB_KEY_KP_Add},
    {KeypadMinus, Qt::Key_Minus, true, XKB_KEY_KP_Subtract}, {KeypadDivide, Qt::Key_Slash, true, XKB_KEY_KP_Divide},
    {KeypadEquals, Qt::Key_Equal, true, XKB_KEY_KP_Equal}, {KeypadEnter, Qt::Key_Enter, true, XKB_KEY_KP_Enter},
    {KeypadClear, Qt::Key_Clear, true, XKB_KEY_Clear},
    // Other spellings, read only.
    {Tab, Qt::Key_Backtab, false, XKB_KEY_ISO_Left_Tab},
    {Help, Qt::Key_Help, false, XKB_KEY_Help},
    {KeypadEnter, Qt::Key_Enter, false, 0},
    {KeypadEnter, Qt::Key_Return, true, 0},
    {KeypadDecimal, Qt::Key_Comma, true, 0},
};

constexpr std::pair<Qt::KeyboardModifier, quint32> modifierPairs[] = {
    {Qt::MetaModifier, CommandMask},
    {Qt::ShiftModifier, ShiftMask},
    {Qt::AltModifier, OptionMask},
    {Qt::ControlModifier, ControlMask},
};

const KeyRow *firstRowOf(quint32 code)
{
    for (const KeyRow &row : keys) {
        if (row.code == code)
            return &row;
    }
    return nullptr;
}

} // namespace

std::optional<quint32> fromQtKey(int qtKey, bool keypad)
{
    // A keypad key the keypad rows do not name is the main key of that name (keypad Key_A is A).
    for (const bool pass : {true, false}) {
        if (pass && !keypad)
            continue;
        for (const KeyRow &row : keys) {
            if (row.qtKey == qtKey && row.keypad == pass)
                return row.code;
        }
    }
    return std::nullopt;
}

std::optional<int> toQtKey(quint32 code, bool *keypad)
{
    const KeyRow *row = firstRowOf(code);
    if (!row)
        return std::nullopt;
    if (keypad)
        *keypad = row->keypad;
    return row->qtKey;
}

std::optional<quint32> toKeysym(quint32 code)
{
    const KeyRow *row = firstRowOf(code);
    return row ? std::optional<quint32>(row->keysym) : std::nullopt;
}

std::optional<Key> fromKeysym(quint32 keysym)
{
    if (keysym == XKB_KEY_NoSymbol)
        return std::nullopt;
    for (const quint32 wanted : {keysym, KeySyms::toLower(keysym)}) {
        for (const KeyRow &row : keys) {
            if (row.keysym == wanted)
                return Key{row.code, row.qtKey, row.keypad};
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
