#include "platform/freedesktop/DesktopEntries.h"

#include "platform/freedesktop/DesktopEntryScan.h"

#include <algorithm>

// GIO uses `signals` as a name, which Qt defines as a keyword.
#undef signals
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

DesktopEntries::Index DesktopEntries::Index::build(QList<InstalledProgram> programs)
{
    Index index;
    for (InstalledProgram &program : programs)
        index.entries.append(std::move(program.entry));
    // The scan's order is by id. Where several entries claim one window class, the one shown in
    // menus wins, then the smallest id (likewise for ids differing only in case), so that the answer
    // does not change from run to run.
    std::sort(index.entries.begin(), index.entries.end(), [](const DesktopEntry &a, const DesktopEntry &b) {
        if (a.shown != b.shown)
            return a.shown;
        return a.id < b.id;
    });
    for (qsizetype i = 0; i < index.entries.size(); ++i) {
        const QString id = index.entries[i].id.toLower();
        const QString wmClass = index.entries[i].startupWmClass.toLower();
        if (!index.byId.contains(id))
            index.byId.insert(id, i);
        if (!wmClass.isEmpty() && !index.byWmClass.contains(wmClass))
            index.byWmClass.insert(wmClass, i);
    }
    return index;
}

DesktopEntries::DesktopEntries() : monitor_(std::make_unique<ChangeMonitor>(&stale_))
{
    DesktopEntryScan::watchFolders();
    firstScan_ = std::async(std::launch::async, [] { return DesktopEntryScan::list(); });
}

DesktopEntries::~DesktopEntries()
{
    // The scan reads regular files only, and ends.
    if (reload_)
        reload_->wait();
}

void DesktopEntries::reloadIfStale()
{
    if (!loaded_) {
        // The first answer is needed now: the scan started with this object (regular files only) ends.
        // A change reported since is read again later, as any other.
        loaded_ = true;
        index_ = Index::build(firstScan_.get());
        return;
    }
    if (!stale_ || reload_)
        return;
    // Later changes are read on a thread of their own: the caller (a paint, say) gets the entries as
    // they were until the new ones arrive. A change during the reload marks them stale again.
    stale_ = false;
    reload_.reset(QThread::create([this] {
        Index fresh = Index::build(DesktopEntryScan::list());
        QMetaObject::invokeMethod(
            &receiver_,
            [this, fresh = std::move(fresh)]() mutable {
                index_ = std::move(fresh);
                reload_->wait();
                reload_.reset();
            },
            Qt::QueuedConnection);
    }));
    reload_->start(QThread::LowPriority);
}

std::optional<DesktopEntry> DesktopEntries::find(const QString &identifier)
{
    if (identifier.isEmpty())
        return std::nullopt;
    reloadIfStale();
    const QString key = identifier.toLower();
    if (auto it = index_.byId.constFind(key); it != index_.byId.constEnd())
        return index_.entries[*it];
    if (auto it = index_.byWmClass.constFind(key); it != index_.byWmClass.constEnd())
        return index_.entries[*it];
    return std::nullopt;
}
