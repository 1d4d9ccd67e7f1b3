#pragma once

#include <QtGlobal>

// What the open panel does with a key press, by virtual key code. Modifiers play no part.
namespace PanelKeyTable {

enum class Action {
    PassOn,          // not ours: the focused view gets the key
    ToggleFavorite,  // Return and keypad Enter
    Close,           // Escape
    MoveDown,
    MoveUp,
};

Action action(quint32 keyCode);

// Every action but PassOn swallows the key.
inline bool swallows(Action action) { return action != Action::PassOn; }

} // namespace PanelKeyTable
