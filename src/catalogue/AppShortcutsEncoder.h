#pragma once

#include "catalogue/AppShortcuts.h"

#include <QByteArray>
#include <QString>

// Writes a record as a data file (UTF-8 JSON, two-space indentation, keys in the documented order,
// absent optional values left out), which AppShortcutsDecoder reads back to the same record.
class AppShortcutsEncoder {
public:
    static QByteArray encode(const AppShortcuts &app);
    // A JSON string literal for `text`.
    static QString quoted(const QString &text);
};
