#pragma once

#include "platform/DesktopEntry.h"

#include <QString>
#include <optional>

// The installed applications of this desktop, by identifier: what a backend asks when it has a
// window class or an application id and needs the entry that describes it.
class AppDirectory {
public:
    virtual ~AppDirectory() = default;

    // The entry whose id is `identifier`, else one whose StartupWMClass is; case is ignored.
    virtual std::optional<DesktopEntry> find(const QString &identifier) = 0;
};
