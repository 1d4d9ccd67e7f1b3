#include "panel/PanelKeyTable.h"

#include "keys/KeyCodes.h"

namespace PanelKeyTable {

Action action(quint32 keyCode, quint32 modifiers)
{
    const bool control = modifiers & KeyCodes::ControlMask;
    switch (keyCode) {
    case KeyCodes::Return:
    case KeyCodes::KeypadEnter:
        return Action::ToggleFavorite;
    case KeyCodes::Escape:
        return Action::Close;
    case KeyCodes::DownArrow:
        return Action::MoveDown;
    case KeyCodes::UpArrow:
        return Action::MoveUp;
    case KeyCodes::PageDown:
        return Action::PageDown;
    case KeyCodes::PageUp:
        return Action::PageUp;
    case KeyCodes::Home:
        return control ? Action::First : Action::PassOn;
    case KeyCodes::End:
        return control ? Action::Last : Action::PassOn;
    case KeyCodes::Tab:
        return modifiers & KeyCodes::ShiftMask ? Action::ExpandAll : Action::CollapseSection;
    default:
        return Action::PassOn;
    }
}

} // namespace PanelKeyTable
