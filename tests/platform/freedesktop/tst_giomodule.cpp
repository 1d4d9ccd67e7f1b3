// The GIO module as the program meets it: found where the build and the installation put it, and a
// module that is missing, not a library or not ours degrades to "nothing installed, no settings" with
// one log line, instead of ending the program.

#include "services/SystemLog.h"
#include "platform/freedesktop/DeferredAppDirectory.h"
#include "platform/freedesktop/DeferredKeyBindingSettings.h"
#include "platform/freedesktop/GioModule.h"
#include "platform/freedesktop/GioServices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

class TestGioModule : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

private Q_SLOTS:
    void theProgramsModuleIsFoundAndServes()
    {
        // Test programs live next to the program, so the module's place relative to them is the same.
        QCOMPARE(QFileInfo(GioModule::defaultPath()).canonicalFilePath(),
                 QFileInfo(QStringLiteral(CORVANE_GIO_MODULE)).canonicalFilePath());
        GioModule module(GioModule::defaultPath());
        GioServices *services = module.services();
        QVERIFY2(services, qPrintable(module.error()));
        QVERIFY(module.error().isEmpty());
        QCOMPARE(module.services(), services);  // loaded once

        // A desktop entry written now is found through the module's directory.
        qputenv("XDG_DATA_HOME", QFile::encodeName(dir.filePath(QStringLiteral("data"))));
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("data/applications"))));
        QFile entry(dir.filePath(QStringLiteral("data/applications/org.example.Probe.desktop")));
        QVERIFY(entry.open(QIODevice::WriteOnly));
        entry.write("[Desktop Entry]\nType=Application\nName=Probe\nExec=sh\nStartupWMClass=ProbeWindow\n");
        entry.close();
        DeferredAppDirectory apps(module);
        const std::optional<DesktopEntry> found = apps.find(QStringLiteral("probewindow"));
        QVERIFY(found);
        QCOMPARE(found->id, QStringLiteral("org.example.Probe"));
    }

    // Missing, not a library, or a real library without our entry point (named as what is missing).
    void aModuleThatDoesNotLoadDegrades()
    {
        QFile garbage(dir.filePath(QStringLiteral("garbage.so")));
        QVERIFY(garbage.open(QIODevice::WriteOnly));
        garbage.write("\x7f" "ELF but not really");
        garbage.close();
        const QString missing = dir.filePath(QStringLiteral("nowhere/libcorvane-gio.so"));
        for (const auto &[path, why] : {std::pair{missing, QStringLiteral("No such file")}, {garbage.fileName(), QString()},
                                        {QStringLiteral(LIBRARY_WITHOUT_ENTRY_POINT), QStringLiteral("corvane_gio_services")}}) {
            degrades(path, why);
            if (QTest::currentTestFailed())
                return;
        }
    }
    void degrades(const QString &path, const QString &why)
    {
        SystemLog::Capture log;
        GioModule module(path);
        DeferredAppDirectory apps(module);
        DeferredKeyBindingSettings settings(module);
        QVERIFY(!apps.find(QStringLiteral("org.example.Probe")));
        QVERIFY(settings.read().isEmpty());
        settings.setChangeHandler([] {});
        QVERIFY(!apps.find(QStringLiteral("sh")));
        QVERIFY(!module.services());
        QVERIFY(module.error().contains(why));
        // One line however often it is asked, naming the module and what is missing without it.
        QCOMPARE(log.lines().size(), 1);
        QVERIFY(log.lines().first().startsWith(QStringLiteral("Corvane: cannot load ")));
        QVERIFY(log.lines().first().contains(path));
    }

    // Where the user has no dconf database, nothing can have been set in it: neither the module nor
    // GIO is loaded, and the database's file is watched until it appears. Other backends and profiles
    // are always read.
    void settingsWaitForTheUsersDatabase()
    {
        if (QFileInfo::exists(QStringLiteral("/etc/dconf/profile/user")))
            QSKIP("this machine has a dconf profile of its own");
        const QString config = dir.filePath(QStringLiteral("config"));
        const QString database = config + QStringLiteral("/dconf/user");
        QProcessEnvironment env;
        env.insert(QStringLiteral("HOME"), dir.path());
        QCOMPARE(DeferredKeyBindingSettings::dconfUserDatabase(env), dir.path() + QStringLiteral("/.config/dconf/user"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
        QCOMPARE(DeferredKeyBindingSettings::dconfUserDatabase(env), database);
        for (const auto &[name, value] : {std::pair{"GSETTINGS_BACKEND", "memory"}, std::pair{"DCONF_PROFILE", "user"}}) {
            QProcessEnvironment other = env;
            other.insert(QString::fromLatin1(name), QString::fromLatin1(value));
            QVERIFY(DeferredKeyBindingSettings::dconfUserDatabase(other).isEmpty());
        }

        // A module that cannot load shows whether it was asked for: asking logs why it failed.
        SystemLog::Capture log;
        GioModule module(dir.filePath(QStringLiteral("nowhere/libcorvane-gio.so")));
        DeferredKeyBindingSettings settings(module, env);
        QVERIFY(settings.read().isEmpty());
        settings.setChangeHandler([] {});
        QCOMPARE(settings.watchedPaths(), QStringList{database});
        QVERIFY(log.lines().isEmpty());

        QVERIFY(QDir().mkpath(config + QStringLiteral("/dconf")));
        QFile file(database);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QVERIFY(settings.read().isEmpty());
        QCOMPARE(log.lines().size(), 1);
        QVERIFY(settings.watchedPaths().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestGioModule)
#include "tst_giomodule.moc"
