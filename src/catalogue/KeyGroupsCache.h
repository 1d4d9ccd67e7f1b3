#pragma once

#include "keys/KeyNotation.h"

#include <QHash>
#include <QString>

#include <memory>

// Parses each distinct key text once while a catalogue is built: most applications share their key
// texts ("ctrl+c"). Entries point at the parsed groups, which stay where they are as the cache grows,
// so the entries keep the cache alive.
class KeyGroupsCache {
public:
    const KeyGroups &groups(const QString &keyText)
    {
        std::shared_ptr<const KeyGroups> &found = parsed_[keyText];
        if (!found)
            found = std::make_shared<const KeyGroups>(KeyNotation::parseKeyGroups(keyText));
        return *found;
    }

    // The groups of a shortcut without key text.
    const KeyGroups &none() const { return empty_; }

private:
    QHash<QString, std::shared_ptr<const KeyGroups>> parsed_;
    KeyGroups empty_;
};
