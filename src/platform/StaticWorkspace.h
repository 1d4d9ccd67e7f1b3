#pragma once

#include "platform/Workspace.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

// A workspace described by lists instead of asking the desktop: for previews and tests.
// It counts the installed queries so callers can check their caching.
class StaticWorkspace : public Workspace {
public:
    QSet<QString> installed;  // lower-case identifiers
    QList<RunningApp> running;
    QHash<QString, int> installedQueries;
    QHash<qint64, QList<QStringList>> terminalPrograms;  // by the terminal's pid
    QHash<QString, QList<QStringList>> namedTerminalPrograms;  // by the first executable name, without a pid

    bool isInstalled(const QString &bundleId) override
    {
        ++installedQueries[bundleId];
        return installed.contains(bundleId.toLower());
    }

    std::optional<RunningApp> runningApp(const QString &bundleId) override
    {
        for (const RunningApp &app : running) {
            if (app.bundleIdentifier && app.bundleIdentifier->compare(bundleId, Qt::CaseInsensitive) == 0)
                return app;
        }
        return std::nullopt;
    }

    QList<QStringList> programsInTerminal(const RunningApp &terminal, const QStringList &names) override
    {
        return terminal.pid > 0 ? terminalPrograms.value(terminal.pid) : namedTerminalPrograms.value(names.value(0));
    }
};
