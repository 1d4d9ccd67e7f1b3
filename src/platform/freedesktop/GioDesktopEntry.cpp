#include "platform/freedesktop/GioDesktopEntry.h"

#include <gio/gio.h>

namespace {

QString fromUtf8(const char *text)
{
    return text ? QString::fromUtf8(text) : QString();
}

QString iconOf(GAppInfo *info)
{
    GIcon *icon = g_app_info_get_icon(info);  // not owned
    if (!icon)
        return QString();
    if (G_IS_THEMED_ICON(icon)) {
        const gchar *const *names = g_themed_icon_get_names(G_THEMED_ICON(icon));
        return names && names[0] ? fromUtf8(names[0]) : QString();
    }
    if (G_IS_FILE_ICON(icon)) {
        gchar *path = g_file_get_path(g_file_icon_get_file(G_FILE_ICON(icon)));
        const QString result = fromUtf8(path);
        g_free(path);
        return result;
    }
    return QString();
}

} // namespace

DesktopEntry GioDesktopEntry::from(GDesktopAppInfo *info)
{
    GAppInfo *app = G_APP_INFO(info);
    DesktopEntry entry;
    entry.id = fromUtf8(g_app_info_get_id(app));
    if (entry.id.endsWith(QLatin1String(".desktop")))
        entry.id.chop(8);
    entry.name = fromUtf8(g_app_info_get_name(app));
    entry.icon = iconOf(app);
    entry.startupWmClass = fromUtf8(g_desktop_app_info_get_startup_wm_class(info));
    entry.shown = !g_desktop_app_info_get_nodisplay(info);
    gchar *domain = g_desktop_app_info_get_string(info, "X-GNOME-Gettext-Domain");
    entry.gettextDomain = fromUtf8(domain);
    g_free(domain);
    return entry;
}
