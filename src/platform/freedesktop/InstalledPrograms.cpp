#include "platform/freedesktop/InstalledPrograms.h"

#include <QFile>

#include <algorithm>

// GIO's headers use `signals` as a name, which Qt defines as a keyword.
#undef signals
#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>

namespace {

QString fromUtf8(const char *text)
{
    return text ? QString::fromUtf8(text) : QString();
}

QString iconOf(GAppInfo *info)
{
    GIcon *icon = g_app_info_get_icon(info);  // not owned
    if (icon && G_IS_THEMED_ICON(icon)) {
        const gchar *const *names = g_themed_icon_get_names(G_THEMED_ICON(icon));
        return names && names[0] ? fromUtf8(names[0]) : QString();
    }
    if (icon && G_IS_FILE_ICON(icon)) {
        gchar *path = g_file_get_path(g_file_icon_get_file(G_FILE_ICON(icon)));
        const QString result = fromUtf8(path);
        g_free(path);
        return result;
    }
    return QString();
}

InstalledProgram programOf(GDesktopAppInfo *info)
{
    GAppInfo *app = G_APP_INFO(info);
    InstalledProgram program;
    program.entry.id = fromUtf8(g_app_info_get_id(app));
    if (program.entry.id.endsWith(QLatin1String(".desktop")))
        program.entry.id.chop(8);
    program.entry.name = fromUtf8(g_app_info_get_name(app));
    program.entry.icon = iconOf(app);
    program.entry.startupWmClass = fromUtf8(g_desktop_app_info_get_startup_wm_class(info));
    program.entry.shown = !g_desktop_app_info_get_nodisplay(info);
    // GIO gives the first word of Exec; the search path makes it a file.
    if (const char *executable = g_app_info_get_executable(app); executable && *executable) {
        gchar *found = g_find_program_in_path(executable);
        program.executable = fromUtf8(found);
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
