#include "settings/TypingKeys.h"

#include "keys/KeyCodes.h"

namespace TypingKeys {

bool takesTyping(quint32 keyCode, quint32 modifiers)
{
    using namespace KeyCodes;
    const quint32 held = modifiers & (ControlMask | OptionMask | ShiftMask | CommandMask);
    if (held != ShiftMask)
        return false;
    const std::optional<int> key = toQtKey(keyCode);
    // Qt numbers the keys that type a Latin-1 character by that character.
    return key && *key >= Qt::Key_Space && *key <= Qt::Key_ydiaeresis;
}

} // namespace TypingKeys
