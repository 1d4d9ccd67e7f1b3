#include "platform/freedesktop/InstalledPrograms.h"

#include "platform/freedesktop/DesktopEntryScan.h"

QList<InstalledProgram> InstalledPrograms::list()
{
    return DesktopEntryScan::list();
}

std::optional<InstalledProgram> InstalledPrograms::find(const QString &id)
{
    QString wanted = id;
    if (wanted.endsWith(QLatin1String(".desktop")))
        wanted.chop(8);
    for (const InstalledProgram &program : list()) {
        if (program.entry.id.compare(wanted, Qt::CaseInsensitive) == 0)
            return program;
    }
    return std::nullopt;
}
