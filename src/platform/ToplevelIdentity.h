#pragma once

#include "platform/RunningApp.h"
#include "platform/ToplevelFacts.h"

#include <QStringList>
#include <functional>
#include <optional>

class AppDirectory;

// Turns what a Wayland desktop says about a window into the application it belongs to.
//
// The desktop-file id comes from, in this order: the systemd unit of the window's process (launchers
// start each application in a unit named after its desktop file), the desktop file the desktop
// reports, the app_id, the X11 class and instance. The first one with an installed desktop entry
// (by id or StartupWMClass) names the application, its name and its icon; without any entry, the
// first one given is the identifier. One exception to the unit's precedence: when the window itself
// names a different installed application, the process was started by another application (a link
// opened from a mail program starts the browser inside the mail program's unit), and the window is
// right.
//
// Windows of this process, or declaring this program's id or its window class "corvane", are this
// program: their identifier is this program's id.
class ToplevelIdentity {
public:
    using ScopeReader = std::function<QStringList(qint64 pid)>;

    // `directory` may be null (no desktop entries); it must outlive this object.
    explicit ToplevelIdentity(AppDirectory *directory, ScopeReader scopes = {}, qint64 ownPid = -1);

    // None when the facts name nothing at all.
    std::optional<RunningApp> appOf(const ToplevelFacts &facts) const;

private:
    bool isThisProgram(const ToplevelFacts &facts, const QStringList &ids) const;
    std::optional<RunningApp> installed(const QString &id, qint64 pid) const;

    AppDirectory *directory_;
    ScopeReader scopes_;
    qint64 ownPid_;
};
