#pragma once

#include "platform/InstalledProgram.h"

#include <QList>
#include <QString>
#include <optional>

// The installed applications of the XDG data folders with the programs they run, read each time
// (DesktopEntryScan: safe off the main thread, regular files only; no change monitoring). Ordered
// by desktop id.
class InstalledPrograms {
public:
    static QList<InstalledProgram> list();
    // The application whose desktop id is `id` (with or without ".desktop"; case is ignored).
    static std::optional<InstalledProgram> find(const QString &id);
};
