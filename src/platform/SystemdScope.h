#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Reads which application a process belongs to from the systemd unit it runs in. Desktops start
// each application in a unit named after its desktop-file id:
//   app-gnome-org.gnome.TextEditor-4711.scope        (GNOME Shell)
//   app-flatpak-org.mozilla.firefox-4711.scope       (Flatpak)
//   app-org.kde.konsole@a1b2c3.service               (Plasma, xdg-autostart)
//   app-org.kde.dolphin-a1b2c3.scope                 (Plasma)
//   snap.firefox.firefox.0f1e2d3c-….scope            (Snap: desktop file "firefox_firefox")
// The id is escaped as systemd escapes unit names ("-" as "\x2d").
class SystemdScope {
public:
    // The desktop-file ids the unit names, most specific first; empty when the unit is not an
    // application's or its name is malformed.
    static QStringList appIdsOfUnit(const QString &unit);
    // The same for the contents of a /proc/PID/cgroup file: the innermost application unit of the
    // process's cgroup path (the unified hierarchy, else the systemd one).
    static QStringList appIdsOfCgroup(const QByteArray &cgroupFile);
    // The same for a running process; empty when it is gone or not readable.
    static QStringList appIdsOfPid(qint64 pid);

    // Undoes systemd's unit name escaping ("\xNN" bytes, UTF-8); a null string when malformed.
    static QString unescape(const QString &escaped);
};
