#include "platform/x11/X11WindowIdentity.h"

#include "platform/PlatformProfile.h"
#include "platform/AppDirectory.h"

#include <QGuiApplication>
#include <QSysInfo>
#include <QWindow>
#include <cstring>
#include <unistd.h>

namespace {

enum Atom {
    GtkApplicationId,
    KdeDesktopFile,
    NetWmPid,
    NetWmName,
    NetActiveWindow,
    NetClientList,
    NetWmIcon,
    NetWmWindowType,
    NetWmWindowTypeDesktop,
    AtomCount,
};

const QList<QByteArray> atomNames = {
    "_GTK_APPLICATION_ID", "_KDE_NET_WM_DESKTOP_FILE", "_NET_WM_PID",
    "_NET_WM_NAME",        "_NET_ACTIVE_WINDOW",       "_NET_CLIENT_LIST",
    "_NET_WM_ICON",        "_NET_WM_WINDOW_TYPE",      "_NET_WM_WINDOW_TYPE_DESKTOP",
};

// Room for a window's icons up to 128 by 128 pixels with the smaller sizes before them.
constexpr uint32_t maxIconLongs = 2 * (128 * 128 + 64 * 64 + 48 * 48 + 32 * 32 + 16 * 16 + 10);

// A text property, up to its first NUL.
QString text(const std::optional<X11Display::Property> &property)
{
    if (!property || property->format != 8)
        return QString();
    const QByteArray &value = property->value;
    const qsizetype end = value.indexOf('\0');
    return QString::fromUtf8(end < 0 ? value : value.left(end)).trimmed();
}

QString withoutDesktopSuffix(QString id)
{
    if (id.endsWith(QLatin1String(".desktop")))
        id.chop(8);
    return id;
}

} // namespace

X11WindowIdentity::X11WindowIdentity(X11Display display, AppDirectory &entries)
    : x11_(display), entries_(entries), atoms_(display.atoms(atomNames))
{
    Q_ASSERT(atoms_.size() == AtomCount);
}

xcb_atom_t X11WindowIdentity::activeWindowAtom() const
{
    return atoms_[NetActiveWindow];
}

std::optional<xcb_window_t> X11WindowIdentity::activeWindow() const
{
    const auto root = x11_.properties(x11_.root(), {atoms_[NetActiveWindow]});
    if (!root)
        return std::nullopt;
    const std::optional<quint32> window = X11Display::cardinal(root->first());
    if (!window || *window == XCB_WINDOW_NONE)
        return std::nullopt;
    return xcb_window_t(*window);
}

bool X11WindowIdentity::desktopIsActive() const
{
    const auto root = x11_.properties(x11_.root(), {atoms_[NetActiveWindow]});
    return root && X11Display::cardinal(root->first()) == quint32(XCB_WINDOW_NONE);
}

QList<xcb_window_t> X11WindowIdentity::clientWindows() const
{
    const auto root = x11_.properties(x11_.root(), {atoms_[NetClientList]});
    QList<xcb_window_t> windows;
    if (!root || !root->first() || root->first()->format != 32)
        return windows;
    const QByteArray &value = root->first()->value;
    for (qsizetype i = 0; i + 4 <= value.size(); i += 4) {
        xcb_window_t window;
        std::memcpy(&window, value.constData() + i, 4);
        windows.append(window);
    }
    return windows;
}

bool X11WindowIdentity::belongsToThisProcess(xcb_window_t window, const std::optional<X11Display::Property> &pid,
                                             const std::optional<X11Display::Property> &machine) const
{
    const QList<QWindow *> own = QGuiApplication::allWindows();
    for (const QWindow *w : own) {
        if (w->handle() && w->winId() == window)
            return true;
    }
    // Windows this process made without Qt (a dialog of a native library) carry its pid and host.
    return X11Display::cardinal(pid) == quint32(getpid()) && text(machine) == QSysInfo::machineHostName();
}

std::optional<RunningApp> X11WindowIdentity::appOf(xcb_window_t window) const
{
    const auto props = x11_.properties(window, {atoms_[GtkApplicationId], atoms_[KdeDesktopFile], XCB_ATOM_WM_CLASS,
                                               atoms_[NetWmPid], XCB_ATOM_WM_CLIENT_MACHINE, atoms_[NetWmName],
                                               atoms_[NetWmWindowType]});
    if (!props)
        return std::nullopt;
    const auto &gtkProp = (*props)[0], &kdeProp = (*props)[1], &classProp = (*props)[2],
               &pidProp = (*props)[3], &machineProp = (*props)[4], &nameProp = (*props)[5],
               &typeProp = (*props)[6];
    // The desktop's own window (a file manager drawing the icons) is the desktop.
    if (typeProp && typeProp->format == 32 && atoms_[NetWmWindowTypeDesktop] != XCB_ATOM_NONE) {
        for (qsizetype i = 0; i + 4 <= typeProp->value.size(); i += 4) {
            quint32 type = 0;
            std::memcpy(&type, typeProp->value.constData() + i, 4);
            if (type == atoms_[NetWmWindowTypeDesktop])
                return RunningApp::desktop();
        }
    }

    // WM_CLASS is "instance\0class\0".
    QString instance, wmClass;
    if (classProp && classProp->format == 8) {
        const QList<QByteArray> parts = classProp->value.split('\0');
        instance = QString::fromUtf8(parts.value(0));
        wmClass = QString::fromUtf8(parts.value(1));
    }
    const QString declared[] = {text(gtkProp), withoutDesktopSuffix(text(kdeProp))};
    const QString ownId = QString::fromLatin1(PlatformProfile::applicationId);

    RunningApp app;
    // A window of a program on another machine (ssh -X) names a process there.
    const QString machine = text(machineProp);
    if (machine.isEmpty() || machine == QSysInfo::machineHostName())
        app.pid = X11Display::cardinal(pidProp).value_or(0);
    if (belongsToThisProcess(window, pidProp, machineProp) || declared[0] == ownId || declared[1] == ownId
        || wmClass.compare(QLatin1String("corvane"), Qt::CaseInsensitive) == 0) {
        app.bundleIdentifier = ownId;
        app.localizedName = QGuiApplication::applicationDisplayName();
        return app;
    }

    std::optional<DesktopEntry> entry;
    for (const QString &id : declared) {
        if (!id.isEmpty()) {
            entry = entries_.find(id);
            app.bundleIdentifier = entry ? entry->id : id;
            break;
        }
    }
    if (!app.bundleIdentifier) {
        for (const QString &name : {wmClass, instance}) {
            if ((entry = entries_.find(name))) {
                app.bundleIdentifier = entry->id;
                break;
            }
        }
    }
    if (!app.bundleIdentifier && !wmClass.isEmpty())
        app.bundleIdentifier = wmClass;

    if (entry) {
        app.localizedName = entry->name;
        app.iconName = entry->icon;
    } else {
        app.localizedName = !wmClass.isEmpty() ? wmClass : app.bundleIdentifier.value_or(text(nameProp));
    }
    // Without an icon from a desktop entry, the window's own.
    if (app.iconName.isEmpty()) {
        const auto icon = x11_.properties(window, {atoms_[NetWmIcon]}, maxIconLongs);
        if (icon && icon->first() && icon->first()->format == 32)
            app.windowIcon = icon->first()->value;
    }
    return app;
}

QList<RunningApp> X11WindowIdentity::runningApps() const
{
    QList<RunningApp> apps;
    const QList<xcb_window_t> clients = clientWindows();
    for (xcb_window_t window : clients) {
        if (std::optional<RunningApp> app = appOf(window))
            apps.append(std::move(*app));
    }
    return apps;
}
