#pragma once

#include <QString>
#include <optional>

// How the user's own configuration changed one shortcut of the catalogue, or that only the user's
// configuration has it.
struct Customisation {
    // Where the key came from, for people: a file path or a GSettings schema and key.
    QString origin;
    // The key the data file gives, for a shortcut the catalogue has; absent for an addition or a
    // catalogue shortcut without a key.
    std::optional<QString> catalogueKey;
    // True when only the user's configuration has this shortcut.
    bool added = false;
    // What stands in the key's place in the entry's id: the catalogue key for a changed shortcut,
    // so that its id (and a favourite of it) stays; "@" and the action for an addition.
    QString idKey;
};
