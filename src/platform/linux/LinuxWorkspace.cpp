#include "platform/linux/LinuxWorkspace.h"

LinuxWorkspace::LinuxWorkspace()
{
    if (const std::optional<X11Display> display = X11Display::ofApplication())
        windows.emplace(*display, entries);
}

bool LinuxWorkspace::isInstalled(const QString &bundleId)
{
    return entries.find(bundleId).has_value();
}

std::optional<QString> LinuxWorkspace::installedIcon(const QString &bundleId)
{
    const std::optional<DesktopEntry> entry = entries.find(bundleId);
    if (!entry || entry->icon.isEmpty())
        return std::nullopt;
    return entry->icon;
}

std::optional<RunningApp> LinuxWorkspace::runningApp(const QString &bundleId)
{
    if (!windows || bundleId.isEmpty())
        return std::nullopt;
    // A window class names the same application as the id of the entry that claims it.
    const std::optional<DesktopEntry> entry = entries.find(bundleId);
    const auto matches = [&](const QString &id) {
        return id.compare(bundleId, Qt::CaseInsensitive) == 0
            || (entry && id.compare(entry->id, Qt::CaseInsensitive) == 0);
    };
    const QList<xcb_window_t> clients = windows->clientWindows();
    for (xcb_window_t window : clients) {
        const std::optional<RunningApp> app = windows->appOf(window);
        if (app && app->bundleIdentifier && matches(*app->bundleIdentifier))
            return app;
    }
    return std::nullopt;
}
