#pragma once

#include "platform/InstalledProgram.h"

#include <QList>
#include <QString>

// The installed applications of the XDG data folders, read as GIO would read them but through
// BoundedFileReader: GIO opens every "*.desktop" it finds and waits on a FIFO of that name for good.
// Here each entry is read only when it is a regular file of bounded size, then handed to GIO as
// data (GDesktopAppInfo applies the format's rules: Type, TryExec, Exec). The first folder in
// precedence order decides an id ("kde/foo.desktop" is "kde-foo"); Hidden entries hide the id.
// Safe on any thread. Ordered by desktop id.
class DesktopEntryScan {
public:
    static constexpr qint64 maxEntrySize = 1024 * 1024;
    static constexpr int maxEntries = 20000;
    static constexpr int maxDepth = 8;

    static QList<InstalledProgram> list();

    // Makes GIO watch the application folders (for its change signal) without reading any entry.
    static void watchFolders();
};
