#pragma once

#include <QString>
#include <optional>

// Where the program's read-only resources live: <bindir>/../share/corvane, which holds them both in
// the build tree and after installation.
namespace ResourcePaths {

// The resource folder of that name ("ShortcutData", "Icons"), when it exists.
std::optional<QString> folder(const QString &name);

} // namespace ResourcePaths
