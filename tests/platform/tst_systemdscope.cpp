#include "platform/SystemdScope.h"

#include <QTest>
#include <unistd.h>

// Which application a process belongs to, read from the systemd unit its cgroup names.
class TestSystemdScope : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void unitNames_data();
    void unitNames();
    void cgroupFiles_data();
    void cgroupFiles();
    void thisProcess();
};

void TestSystemdScope::unitNames_data()
{
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QStringList>("ids");

    const QStringList none;
    // What each desktop's launcher names its units.
    QTest::newRow("GNOME scope") << "app-gnome-org.gnome.TextEditor-4711.scope" << QStringList{"org.gnome.TextEditor"};
    QTest::newRow("GNOME, escaped dashes") << "app-gnome-firefox\\x2desr-4711.scope" << QStringList{"firefox-esr"};
    QTest::newRow("GNOME autostart service") << "app-gnome-org.gnome.Evolution\\x2dalarm\\x2dnotify-autostart.service"
                                             << QStringList{"org.gnome.Evolution-alarm-notify"};
    QTest::newRow("Flatpak") << "app-flatpak-org.mozilla.firefox-12345.scope" << QStringList{"org.mozilla.firefox"};
    QTest::newRow("Plasma service") << "app-org.kde.konsole@0a1b2c3d4e.service" << QStringList{"org.kde.konsole"};
    QTest::newRow("Plasma scope") << "app-org.kde.dolphin-0a1b2c3d4e.scope" << QStringList{"org.kde.dolphin"};
    QTest::newRow("xdg-autostart") << "app-nm\\x2dapplet@autostart.service" << QStringList{"nm-applet"};
    QTest::newRow("service without instance") << "app-kde-org.kde.kate.service" << QStringList{"org.kde.kate"};
    QTest::newRow("non-ASCII id") << "app-gnome-caf\\xc3\\xa9-1.scope" << QStringList{QString::fromUtf8("café")};
    QTest::newRow("Snap") << "snap.firefox.firefox.8d3b2a1c-3f4e-4a5b-9c8d-7e6f5a4b3c2d.scope"
                          << QStringList{"firefox_firefox", "firefox"};
    QTest::newRow("Snap app with a dash") << "snap.gimp.gimp-2.10.0f1e.scope" << QStringList{"gimp_gimp-2", "gimp"};
    QTest::newRow("Snap hook") << "snap.lxd.hook.configure.0f1e.scope" << QStringList{"lxd"};

    // Units that are no application's, and names we refuse rather than guess from.
    QTest::newRow("session scope") << "session-2.scope" << none;
    QTest::newRow("user manager") << "user@1000.service" << none;
    QTest::newRow("terminal child") << "vte-spawn-0f1e2d3c.scope" << none;
    QTest::newRow("slice") << "app-gnome-org.gnome.TextEditor-4711.slice" << none;
    QTest::newRow("scope without random part") << "app-org.gnome.TextEditor.scope" << none;
    QTest::newRow("scope with empty random part") << "app-gnome-org.gnome.TextEditor-.scope" << none;
    QTest::newRow("unescaped dash in id") << "app-gnome-firefox-esr-4711.scope" << none;
    QTest::newRow("empty id") << "app-gnome--4711.scope" << none;
    QTest::newRow("truncated escape") << "app-gnome-firefox\\x2-4711.scope" << none;
    QTest::newRow("escape at end") << "app-gnome-firefox\\x-4711.scope" << none;
    QTest::newRow("bad hex") << "app-gnome-fire\\xzzfox-4711.scope" << none;
    QTest::newRow("escaped slash") << "app-gnome-..\\x2fetc-4711.scope" << none;
    QTest::newRow("escaped NUL") << "app-gnome-a\\x00b-4711.scope" << none;
    QTest::newRow("invalid UTF-8") << "app-gnome-a\\xffb-4711.scope" << none;
    QTest::newRow("escaped blank") << "app-gnome-a\\x20b-4711.scope" << none;
    QTest::newRow("snap without name") << "snap..scope" << none;
    QTest::newRow("empty") << "" << none;
}

void TestSystemdScope::unitNames()
{
    QFETCH(QString, unit);
    QFETCH(QStringList, ids);
    QCOMPARE(SystemdScope::appIdsOfUnit(unit), ids);
}

void TestSystemdScope::cgroupFiles_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("ids");

    const QByteArray user = "/user.slice/user-1000.slice/user@1000.service/app.slice/";
    QTest::newRow("unified hierarchy") << "0::" + user + "app-gnome-org.gnome.Calculator-3170.scope\n"
                                       << QStringList{"org.gnome.Calculator"};
    QTest::newRow("no final newline") << "0::" + user + "app-flatpak-org.gimp.GIMP-99.scope"
                                      << QStringList{"org.gimp.GIMP"};
    // A unit that keeps its processes in cgroups of its own.
    QTest::newRow("below the unit") << "0::" + user + "app-org.kde.konsole@1a2b.service/tab-3.scope\n"
                                    << QStringList{"org.kde.konsole"};
    QTest::newRow("hybrid: systemd line") << "12:cpu,cpuacct:/user.slice\n"
                                             "1:name=systemd:"
                                             + user + "app-gnome-org.gnome.Nautilus-55.scope\n0::/\n"
                                          << QStringList{"org.gnome.Nautilus"};
    QTest::newRow("colon in path") << "0::" + user + "app-gnome-a\\x3ab-1.scope\n" << QStringList{"a:b"};

    const QStringList none;
    QTest::newRow("not in an application unit") << QByteArray("0::/user.slice/user-1000.slice/session-2.scope\n") << none;
    QTest::newRow("an app unit above a slice is not ours")
        << QByteArray("0::/app-gnome-x-1.scope/sub.slice/other.scope\n") << none;
    QTest::newRow("system service") << QByteArray("0::/system.slice/cron.service\n") << none;
    QTest::newRow("root") << QByteArray("0::/\n") << none;
    QTest::newRow("empty") << QByteArray() << none;
    QTest::newRow("garbage") << QByteArray("\x01\x02 no colons here\n::\n0:\n") << none;
    QTest::newRow("v1 controllers only") << "4:memory:" + user + "app-gnome-x-1.scope\n" << none;
}

void TestSystemdScope::cgroupFiles()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, ids);
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
