// Installed applications from desktop entries in temporary XDG data folders, and launch at login
// through the XDG autostart folder.

#include "LinuxTestSupport.h"
#include "services/SystemLog.h"
#include "platform/freedesktop/LinuxWorkspace.h"
#include "platform/freedesktop/XdgAutostartItem.h"

#undef signals
#include <gio/gdesktopappinfo.h>

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestDesktopIntegration : public QObject {
    Q_OBJECT

    std::unique_ptr<LinuxWorkspace> workspace;
    QString userApps, systemApps, userIcon;

private Q_SLOTS:
    void initTestCase()
    {
        userApps = envPath("XDG_DATA_HOME", QStringLiteral("applications/"));
        systemApps = envPath("XDG_DATA_DIRS", QStringLiteral("applications/"));
        userIcon = envPath("XDG_DATA_HOME", QStringLiteral("editor.png"));
        const QByteArray head = "[Desktop Entry]\nType=Application\nExec=sh\n";
        const QList<std::pair<QString, QByteArray>> files = {
            // The user's folder comes first.
            {userApps + QStringLiteral("org.example.Editor.desktop"),
             head + "Name=Editor\nIcon=" + userIcon.toUtf8() + "\nStartupWMClass=ExampleEditorWindow\n"},
            {systemApps + QStringLiteral("org.example.Editor.desktop"), head + "Name=System Editor\nIcon=system-editor\n"},
            // A Hidden entry removes the application, also the one of a later folder.
            {userApps + QStringLiteral("org.example.Removed.desktop"), head + "Name=Removed\nHidden=true\n"},
            {systemApps + QStringLiteral("org.example.Removed.desktop"), head + "Name=Removed\n"},
            {systemApps + QStringLiteral("org.example.Missing.desktop"),
             head + "Name=Missing\nTryExec=/nonexistent/corvane-test-program\n"},
            {systemApps + QStringLiteral("org.example.Present.desktop"), head + "Name=Present\nTryExec=sh\nIcon=present.png\n"},
            {systemApps + QStringLiteral("org.example.Helper.desktop"), head + "Name=Helper\nNoDisplay=true\nIcon=helper\n"},
            {systemApps + QStringLiteral("vendor/tool.desktop"), head + "Name=Vendor Tool\n"},
            {systemApps + QStringLiteral("org.example.Link.desktop"), "[Desktop Entry]\nType=Link\nName=Link\nURL=https://example.org\n"},
        };
        for (const auto &[path, content] : files)
            QVERIFY(writeFile(path, content));
        workspace = std::make_unique<LinuxWorkspace>();
    }

    // By id in any case or by StartupWMClass; hidden entries, a missing TryExec and links are not
    // installed; NoDisplay and sub-folder entries are. Without a window backend (offscreen, as on
    // Wayland without one) nothing is running.
    void installedApplications()
    {
        QVERIFY(!workspace->runningApps());
        const QList<std::tuple<QString, bool, QString>> cases{
            {"ORG.EXAMPLE.EDITOR", true, userIcon},   {"exampleeditorwindow", true, userIcon},
            {"org.example.Removed", false, ""},       {"org.example.Missing", false, ""},
            {"org.example.Present", true, "present"}, {"org.example.Helper", true, "helper"},
            {"vendor-tool", true, ""},                {"org.example.Link", false, ""},
            {"org.example.None", false, ""},          {"", false, ""},
        };
        for (const auto &[id, installed, icon] : cases) {
            QVERIFY2(workspace->isInstalled(id) == installed, qPrintable(id));
            QCOMPARE(workspace->installedIcon(id).value_or(QString()), icon);
            QVERIFY(!workspace->runningApp(id));  // no X11 here
        }
    }

    void installingAndRemovingIsNoticed()
    {
        const QString path = userApps + QStringLiteral("org.example.Later.desktop");
        QVERIFY(!workspace->isInstalled(QStringLiteral("org.example.Later")));
        QVERIFY(writeFile(path, "[Desktop Entry]\nType=Application\nExec=sh\nName=Later\n"));
        QTRY_VERIFY(workspace->isInstalled(QStringLiteral("org.example.Later")));
        QVERIFY(QFile::remove(path));
        QTRY_VERIFY(!workspace->isInstalled(QStringLiteral("org.example.Later")));
    }

    // The entry written runs the program, whatever characters its path holds.
    void launchAtLoginEntryStartsTheProgram()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("odd \"name\" $HOME `x` \\ here"));
        const QString program = folder + QStringLiteral("/run.sh");
        QVERIFY(writeFile(program, "#!/bin/sh\ntouch \"$(dirname \"$0\")/launched\"\n"));
        QVERIFY(QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        XdgAutostartItem item(QStringLiteral("org.corvane.Corvane"), program, dir.filePath(QStringLiteral("config")), {});

        SystemLog::Capture log;
        QCOMPARE(item.status(), LoginItem::Status::NotRegistered);
        item.applyLaunchAtLogin(true);
        QCOMPARE(item.status(), LoginItem::Status::Enabled);
        QCOMPARE(item.path(), dir.filePath(QStringLiteral("config/autostart/org.corvane.Corvane.desktop")));

        GDesktopAppInfo *entry = g_desktop_app_info_new_from_filename(item.path().toLocal8Bit().constData());
        QVERIFY(entry);
        GError *error = nullptr;
        const bool launched = g_app_info_launch(G_APP_INFO(entry), nullptr, nullptr, &error);
        g_object_unref(entry);
        QVERIFY2(launched, error ? error->message : "");
        QTRY_VERIFY(QFile::exists(folder + QStringLiteral("/launched")));

        item.applyLaunchAtLogin(false);
        QVERIFY(!QFile::exists(item.path()));
        QCOMPARE(item.status(), LoginItem::Status::NotRegistered);
        QVERIFY(log.lines().isEmpty());
    }

    void userEntryDecidesOverSystemEntry()
    {
        QTemporaryDir dir;
        const QString system = dir.filePath(QStringLiteral("system/autostart/org.corvane.Corvane.desktop"));
        const QByteArray systemEntry = "[Desktop Entry]\nType=Application\nName=Corvane\nExec=corvane\n";
        QVERIFY(writeFile(system, systemEntry));
        XdgAutostartItem item(QStringLiteral("org.corvane.Corvane"), QStringLiteral("/usr/bin/corvane"),
                              dir.filePath(QStringLiteral("config")), {dir.filePath(QStringLiteral("system"))});
        QCOMPARE(item.status(), LoginItem::Status::Enabled);

        // Switching off must hide the system entry, not only remove the user's.
        item.applyLaunchAtLogin(false);
        QCOMPARE(item.status(), LoginItem::Status::NotRegistered);
        QVERIFY(readAll(item.path()).contains("Hidden=true"));
        QCOMPARE(readAll(system), systemEntry);

        item.applyLaunchAtLogin(true);
        QCOMPARE(item.status(), LoginItem::Status::Enabled);

        QVERIFY(writeFile(item.path(), "[Desktop Entry]\nType=Application\nExec=x\nX-GNOME-Autostart-enabled=false\n"));
        QCOMPARE(item.status(), LoginItem::Status::NotRegistered);

        // An entry already enabled is left as the user wrote it.
        const QByteArray custom = "[Desktop Entry]\nType=Application\nExec=corvane --my-own-flag\n";
        QVERIFY(writeFile(item.path(), custom));
        item.applyLaunchAtLogin(true);
        QCOMPARE(readAll(item.path()), custom);
    }
};

CORVANE_ISOLATED_TEST_MAIN(TestDesktopIntegration)
#include "tst_desktopintegration.moc"
