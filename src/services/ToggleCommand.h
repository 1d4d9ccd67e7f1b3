#pragma once

#include <QString>

// The command line that shows or hides the panel of the running program, for a desktop to run
// on a key press: this very program's binary with --toggle.
namespace ToggleCommand {

// The running binary's absolute path, quoted for a shell when it needs it, and " --toggle".
QString absolute();
// "corvane --toggle" when `corvane` on the PATH is this binary; absolute() otherwise.
QString shortest();

// `path` quoted for a POSIX shell (and for GLib's command-line parser) when it needs it.
QString shellQuoted(const QString &path);

} // namespace ToggleCommand
