#pragma once

#include <QString>

// GLib's keyfile settings backend (GSETTINGS_BACKEND=keyfile, and GLib's choice where dconf is
// missing) reads $XDG_CONFIG_HOME/glib-2.0/settings/keyfile whole, whatever sits there: a FIFO blocks
// it for good, a link to a device fills its memory. GSettings is touched only when that file is
// absent or a regular file.
class GSettingsKeyfile {
public:
    // The file the backend reads.
    static QString path();
    // Empty when GSettings may be used; else why not, for a log line.
    static QString refusal();
    // When the file is refused: logs it and makes this process's GSettings use GLib's memory
    // backend (GSETTINGS_BACKEND=memory), so that nothing reads the file. Must run before anything
    // in the process touches GSettings; later calls do nothing.
    static void guardProcess();
};
