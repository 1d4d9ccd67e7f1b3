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

    void aModuleThatDoesNotLoadDegrades_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("why");
        QTest::newRow("missing") << dir.filePath(QStringLiteral("nowhere/libcorvane-gio.so"))
                                 << QStringLiteral("No such file");
        QTest::newRow("not a library") << dir.filePath(QStringLiteral("garbage.so")) << QString();
        // A real library without our entry point.
        QTest::newRow("another library") << QStringLiteral(LIBRARY_WITHOUT_ENTRY_POINT)
                                         << QStringLiteral("corvane_gio_services");
    }

    void aModuleThatDoesNotLoadDegrades()
    {
        QFETCH(QString, path);
        QFETCH(QString, why);
        QFile garbage(dir.filePath(QStringLiteral("garbage.so")));
        QVERIFY(garbage.open(QIODevice::WriteOnly));
        garbage.write("\x7f" "ELF but not really");
        garbage.close();

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
};

QTEST_GUILESS_MAIN(TestGioModule)
#include "tst_giomodule.moc"
