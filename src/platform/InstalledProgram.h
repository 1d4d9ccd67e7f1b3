#pragma once

#include "platform/DesktopEntry.h"

#include <QString>

// An installed application and the program its desktop entry runs.
struct InstalledProgram {
    DesktopEntry entry;
    QString executable;  // absolute path of the program Exec names; empty when it is not found
};
