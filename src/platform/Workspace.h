#pragma once

#include "platform/RunningApp.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// What the panel needs to know about the applications of this desktop.
class Workspace {
public:
    virtual ~Workspace() = default;

    // True when an application with this identifier is installed (case is ignored).
    virtual bool isInstalled(const QString &bundleId) = 0;
    // The first running application with this identifier, if any.
    virtual std::optional<RunningApp> runningApp(const QString &bundleId) = 0;
    // The icon of the installed application with this identifier: an icon theme name or an absolute
    // file path; none when it is not installed or has no icon.
    virtual std::optional<QString> installedIcon(const QString &bundleId)
    {
        Q_UNUSED(bundleId);
        return std::nullopt;
    }
    // The programs in front inside the terminal emulator `terminal`, the one the user sees first (a
    // program, then the multiplexer it runs in), each by the names it may be known under; empty when
    // the terminal runs nothing or this cannot be told. Without a process id the terminal is found
    // by `executableNames`, the names its program may run under.
    virtual QList<QStringList> programsInTerminal(const RunningApp &terminal, const QStringList &executableNames)
    {
        Q_UNUSED(terminal);
        Q_UNUSED(executableNames);
        return {};
    }
};
