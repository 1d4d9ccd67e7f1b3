#pragma once

#include <QtGlobal>

// What the open panel does with a key press, by virtual key code and modifier mask (KeyCodes'
// numbering). None of these keys edits the search field: Home and End without Ctrl, the left and
// right arrows and everything typed stay with the field.
namespace PanelKeyTable {

enum class Action {
    PassOn,          // not ours: the focused view gets the key
    ToggleFavorite,  // Return and keypad Enter
    Close,           // Escape
    MoveDown,
    MoveUp,
    PageDown,        // Page Down: a visible page of rows
    PageUp,
    First,           // Ctrl+Home
    Last,            // Ctrl+End
    CollapseSection, // Tab: hides the rows of the selected row's section
    ExpandAll,       // Shift+Tab: shows the rows of every section again
};

Action action(quint32 keyCode, quint32 modifiers = 0);

// Every action but PassOn swallows the key.
inline bool swallows(Action action) { return action != Action::PassOn; }

} // namespace PanelKeyTable
