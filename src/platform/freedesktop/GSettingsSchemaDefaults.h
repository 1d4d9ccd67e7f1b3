#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The keybinding keys of an installed GSettings schema: keys of type "as" or "s" whose default values
// are accelerators, with their summaries, read through GIO.
class GSettingsSchemaDefaults {
public:
    struct Key {
        QString name;
        QString summary;           // untranslated, as the schema writes it; may be empty
        QStringList accelerators;  // the default value(s); empty strings left out
    };
    struct Result {
        bool found = false;
        QList<Key> keys;  // every "as" and "s" key, in the schema's order of names
    };

    static Result read(const QString &schemaId);
};
