#include "platform/freedesktop/DesktopEntries.h"

#include "platform/freedesktop/GioDesktopEntry.h"

#include <algorithm>

#include <gio/gio.h>

// GIO watches the application folders and says when anything in them changed. The signal arrives
// through the main thread's GLib context, which Qt's event loop runs.
struct DesktopEntries::ChangeMonitor {
    explicit ChangeMonitor(bool *stale)
        : monitor(g_app_info_monitor_get()),
          handler(g_signal_connect(monitor, "changed", G_CALLBACK(+[](GAppInfoMonitor *, gpointer flag) {
                                       *static_cast<bool *>(flag) = true;
                                   }),
                                   stale))
    {
    }
    ~ChangeMonitor()
    {
        g_signal_handler_disconnect(monitor, handler);
        g_object_unref(monitor);
    }
    ChangeMonitor(const ChangeMonitor &) = delete;
    ChangeMonitor &operator=(const ChangeMonitor &) = delete;

    GAppInfoMonitor *monitor;
    gulong handler;
};

DesktopEntries::DesktopEntries() : monitor_(std::make_unique<ChangeMonitor>(&stale_)) {}

DesktopEntries::~DesktopEntries() = default;

void DesktopEntries::reloadIfStale()
{
    if (!stale_)
        return;
    stale_ = false;
    entries_.clear();
    byId_.clear();
    byWmClass_.clear();

    GList *all = g_app_info_get_all();
    for (GList *item = all; item; item = item->next) {
        if (G_IS_DESKTOP_APP_INFO(item->data))
            entries_.append(GioDesktopEntry::from(G_DESKTOP_APP_INFO(item->data)));
    }
    g_list_free_full(all, g_object_unref);

    // GIO's order is arbitrary. Where several entries claim one window class, the one shown in menus
    // wins, then the smallest id (likewise for ids differing only in case), so that the answer does not change from run to run.
    std::sort(entries_.begin(), entries_.end(), [](const DesktopEntry &a, const DesktopEntry &b) {
        if (a.shown != b.shown)
            return a.shown;
        return a.id < b.id;
    });
    for (qsizetype i = 0; i < entries_.size(); ++i) {
        const QString id = entries_[i].id.toLower();
        const QString wmClass = entries_[i].startupWmClass.toLower();
        if (!byId_.contains(id))
            byId_.insert(id, i);
        if (!wmClass.isEmpty() && !byWmClass_.contains(wmClass))
            byWmClass_.insert(wmClass, i);
    }
}

std::optional<DesktopEntry> DesktopEntries::find(const QString &identifier)
{
    if (identifier.isEmpty())
        return std::nullopt;
    reloadIfStale();
    const QString key = identifier.toLower();
    if (auto it = byId_.constFind(key); it != byId_.constEnd())
        return entries_[*it];
    if (auto it = byWmClass_.constFind(key); it != byWmClass_.constEnd())
        return entries_[*it];
    return std::nullopt;
}
