#pragma once

#include "keys/KeyNotation.h"

#include <QHash>
#include <QMutex>
#include <QString>

#include <memory>

// The parsed keys of a catalogue's key texts, each distinct text parsed once and only when an entry's
// keys are first asked for: the panel shows a few rows at a time, and most applications share their
// key texts ("ctrl+c"). Parsed groups stay where they are as the cache grows, so a reference stays
// valid as long as the cache lives (the entries keep it). Safe to use from several threads.
class KeyGroupsCache {
public:
    const KeyGroups &groups(const QString &keyText) const
    {
        const QMutexLocker lock(&mutex_);
        std::shared_ptr<const KeyGroups> &found = parsed_[keyText];
        if (!found)
            found = std::make_shared<const KeyGroups>(KeyNotation::parseKeyGroups(keyText));
        return *found;
    }

    // The groups of a shortcut without key text.
    const KeyGroups &none() const { return empty_; }

private:
    mutable QMutex mutex_;
    mutable QHash<QString, std::shared_ptr<const KeyGroups>> parsed_;
    KeyGroups empty_;
};
