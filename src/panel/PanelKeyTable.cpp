#include "panel/PanelKeyTable.h"

#include "platform/KeyCodes.h"

namespace PanelKeyTable {

Action action(quint32 keyCode)
{
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
    default:
        return Action::PassOn;
    }
}

} // namespace PanelKeyTable
