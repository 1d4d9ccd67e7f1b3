#include "platform/SystemdScope.h"

#include <QTest>
#include <unistd.h>

// Which application a process belongs to, read from the systemd unit its cgroup names.
class TestSystemdScope : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void unitNames();
    void cgroupFiles();
    void thisProcess();
};

void TestSystemdScope::unitNames()
{
    // What each desktop's launcher names its units.
    const QList<QPair<QString, QStringList>> named{
        {"app-gnome-org.gnome.TextEditor-4711.scope", {"org.gnome.TextEditor"}},
        {"app-gnome-firefox\\x2desr-4711.scope", {"firefox-esr"}},
        {"app-gnome-org.gnome.Evolution\\x2dalarm\\x2dnotify-autostart.service", {"org.gnome.Evolution-alarm-notify"}},
        {"app-flatpak-org.mozilla.firefox-12345.scope", {"org.mozilla.firefox"}},
        {"app-org.kde.konsole@0a1b2c3d4e.service", {"org.kde.konsole"}},
        {"app-org.kde.dolphin-0a1b2c3d4e.scope", {"org.kde.dolphin"}},
        {"app-nm\\x2dapplet@autostart.service", {"nm-applet"}},
        {"app-kde-org.kde.kate.service", {"org.kde.kate"}},
        {"app-gnome-caf\\xc3\\xa9-1.scope", {QString::fromUtf8("café")}},
        {"snap.firefox.firefox.8d3b2a1c-3f4e-4a5b-9c8d-7e6f5a4b3c2d.scope", {"firefox_firefox", "firefox"}},
        {"snap.gimp.gimp-2.10.0f1e.scope", {"gimp_gimp-2", "gimp"}},
        {"snap.lxd.hook.configure.0f1e.scope", {"lxd"}},
    };
    for (const auto &[unit, ids] : named)
        QCOMPARE(SystemdScope::appIdsOfUnit(unit), ids);
    // Units that are no application's (a session, the user manager, a terminal's child, a slice),
    // and names we refuse rather than guess from.
    for (const char *unit : {"session-2.scope", "user@1000.service", "vte-spawn-0f1e2d3c.scope",
                             "app-gnome-org.gnome.TextEditor-4711.slice", "app-org.gnome.TextEditor.scope",
                             "app-gnome-org.gnome.TextEditor-.scope", "app-gnome-firefox-esr-4711.scope", "app-gnome--4711.scope",
                             "app-gnome-firefox\\x2-4711.scope", "app-gnome-firefox\\x-4711.scope", "app-gnome-fire\\xzzfox-4711.scope",
                             "app-gnome-..\\x2fetc-4711.scope", "app-gnome-a\\x00b-4711.scope", "app-gnome-a\\xffb-4711.scope",
                             "app-gnome-a\\x20b-4711.scope", "snap..scope", ""})
        QVERIFY2(SystemdScope::appIdsOfUnit(QString::fromUtf8(unit)).isEmpty(), unit);
}

void TestSystemdScope::cgroupFiles()
{
    const QByteArray user = "/user.slice/user-1000.slice/user@1000.service/app.slice/";
    const QList<QPair<QByteArray, QStringList>> files{
        {"0::" + user + "app-gnome-org.gnome.Calculator-3170.scope\n", {"org.gnome.Calculator"}},
        {"0::" + user + "app-flatpak-org.gimp.GIMP-99.scope", {"org.gimp.GIMP"}},  // no final newline
        // A unit that keeps its processes in cgroups of its own.
        {"0::" + user + "app-org.kde.konsole@1a2b.service/tab-3.scope\n", {"org.kde.konsole"}},
        // Hybrid hierarchy: the systemd line.
        {"12:cpu,cpuacct:/user.slice\n1:name=systemd:" + user + "app-gnome-org.gnome.Nautilus-55.scope\n0::/\n", {"org.gnome.Nautilus"}},
        {"0::" + user + "app-gnome-a\\x3ab-1.scope\n", {"a:b"}},
        // Not in an application unit; an app unit above a slice is not ours; v1 controllers only.
        {"0::/user.slice/user-1000.slice/session-2.scope\n", {}},
        {"0::/app-gnome-x-1.scope/sub.slice/other.scope\n", {}},
        {"0::/system.slice/cron.service\n", {}},
        {"0::/\n", {}},
        {QByteArray(), {}},
        {"\x01\x02 no colons here\n::\n0:\n", {}},
        {"4:memory:" + user + "app-gnome-x-1.scope\n", {}},
    };
    for (const auto &[file, ids] : files)
        QCOMPARE(SystemdScope::appIdsOfCgroup(file), ids);
}

void TestSystemdScope::thisProcess()
{
    // Whatever unit runs the tests, reading our own cgroup must work and agree with its contents.
    QFile file(QStringLiteral("/proc/self/cgroup"));
    if (!file.open(QIODevice::ReadOnly))
        QSKIP("no /proc here");
    QCOMPARE(SystemdScope::appIdsOfPid(getpid()), SystemdScope::appIdsOfCgroup(file.readAll()));
    QVERIFY(SystemdScope::appIdsOfPid(0).isEmpty());
    QVERIFY(SystemdScope::appIdsOfPid(-1).isEmpty());
    QVERIFY(SystemdScope::appIdsOfPid(std::numeric_limits<int>::max()).isEmpty());  // no such process
}

QTEST_GUILESS_MAIN(TestSystemdScope)
#include "tst_systemdscope.moc"
