#include "platform/freedesktop/InstalledPrograms.h"

#include "platform/freedesktop/GioDesktopEntry.h"

#include <QFile>

#include <algorithm>

#include <gio/gio.h>

namespace {

InstalledProgram programOf(GDesktopAppInfo *info)
{
    InstalledProgram program;
    program.entry = GioDesktopEntry::from(info);
    // GIO gives the first word of Exec; the search path makes it a file.
    if (const char *executable = g_app_info_get_executable(G_APP_INFO(info)); executable && *executable) {
        gchar *found = g_find_program_in_path(executable);
        program.executable = found ? QString::fromUtf8(found) : QString();
        g_free(found);
    }
    return program;
}

} // namespace

QList<InstalledProgram> InstalledPrograms::list()
{
    QList<InstalledProgram> programs;
    GList *all = g_app_info_get_all();
    for (GList *item = all; item; item = item->next) {
        if (G_IS_DESKTOP_APP_INFO(item->data))
            programs.append(programOf(G_DESKTOP_APP_INFO(item->data)));
    }
    g_list_free_full(all, g_object_unref);
    std::sort(programs.begin(), programs.end(),
              [](const InstalledProgram &a, const InstalledProgram &b) { return a.entry.id < b.entry.id; });
    return programs;
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
