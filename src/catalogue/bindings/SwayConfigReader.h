#pragma once

#include "platform/AppBindings.h"

#include <QProcessEnvironment>
#include <QString>
#include <optional>

// The bindsym lines of a sway or i3 config, with the files it includes: variables set with "set"
// are expanded in the keys, a binding inside a mode block names its mode. Each action is the command
// as written, white space collapsed, variables left as they are ("exec $term"); in a mode, the mode's
// name in brackets comes first ("[resize] resize shrink width 10px"). The config holds every binding
// the window manager has, so the result is complete.
class SwayConfigReader {
public:
    // Limits that keep a config with include loops or globs over huge folders finite.
    static constexpr int maxIncludeDepth = 8;
    static constexpr int maxFiles = 256;
    // Limits on the expansion of variables: a line (a value, a key, a command) that expands to more
    // than maxExpandedLine characters is ignored; once the config's expansions add up to more than
    // maxExpandedSize, the rest of it is not read. Longer variable names are not set.
    static constexpr qsizetype maxExpandedLine = 64 * 1024;
    static constexpr qint64 maxExpandedSize = qint64(16) * 1024 * 1024;
    static constexpr qsizetype maxVariableName = 256;

    // `app` is the catalogue's application ("sway" or "i3"). Absent when `path` cannot be read, or
    // holds nothing a config holds (a NUL byte, or not one comment or command line): such a file is
    // logged as unreadable and ignored rather than taken for a config without bindings.
    // `env` answers ~ and $VARIABLES in include paths.
    static std::optional<AppBindings> read(const QString &path, const QString &app, const QProcessEnvironment &env);
};
