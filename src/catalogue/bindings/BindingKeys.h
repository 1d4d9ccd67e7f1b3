#pragma once

#include "platform/AppBindings.h"

#include <QString>
#include <optional>

// Turns the key text of another program's configuration into the catalogue's key notation
// ("ctrl+shift+t", chords separated by a space), modifiers in the order ctrl, alt, shift, super.
class BindingKeys {
public:
    // Absent when the text names no key (empty, "disabled", "none") or cannot be read.
    static std::optional<QString> toKeyText(AppBindings::Notation notation, const QString &text);

    // A key text of the catalogue's notation with its modifiers in a fixed order and lower case,
    // so that two spellings of one combination compare equal.
    static QString canonical(const QString &keyText);

    // The catalogue's name of an X keysym ("Page_Up" -> "pageup", "bracketleft" -> "leftbracket",
    // "question" -> "?"), as a shortcuts window's accelerator is read.
    static QString keysymName(const QString &keysym);
};
