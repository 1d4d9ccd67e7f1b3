#include "platform/freedesktop/LinuxWorkspace.h"

#include "platform/TerminalProcesses.h"
#include "platform/TmuxActivePane.h"

bool LinuxWorkspace::isInstalled(const QString &bundleId)
{
    return entries_.find(bundleId).has_value();
}

std::optional<QString> LinuxWorkspace::installedIcon(const QString &bundleId)
{
    const std::optional<DesktopEntry> entry = entries_.find(bundleId);
    if (!entry || entry->icon.isEmpty())
        return std::nullopt;
    return entry->icon;
}

std::optional<RunningApp> LinuxWorkspace::runningApp(const QString &bundleId)
{
    if (!windows_ || bundleId.isEmpty())
        return std::nullopt;
    // A window class names the same application as the id of the entry that claims it.
    const std::optional<DesktopEntry> entry = entries_.find(bundleId);
    const auto matches = [&](const QString &id) {
        return id.compare(bundleId, Qt::CaseInsensitive) == 0
            || (entry && id.compare(entry->id, Qt::CaseInsensitive) == 0);
    };
    const QList<RunningApp> apps = windows_->runningApps();
    for (const RunningApp &app : apps) {
        if (app.bundleIdentifier && matches(*app.bundleIdentifier))
            return app;
    }
    return std::nullopt;
}

QList<QStringList> LinuxWorkspace::programsInTerminal(const RunningApp &terminal, const QStringList &executableNames)
{
    QList<QStringList> names;
    const TerminalProcesses processes;
    const QList<TerminalProgram> programs = terminal.pid > 0
        ? processes.programsInFront(terminal.pid, TmuxActivePane())
        : processes.programsInFront(executableNames, TmuxActivePane());
    for (const TerminalProgram &program : programs)
        names << program.names;
    return names;
}
