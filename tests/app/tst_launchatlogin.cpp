// Launch at Login as the tray menu shows it: always the autostart entry on disk. A change made
// outside the program shows when the menu opens; a change that cannot be written never shows as
// made, and is told once (a log line and the failure signal the notification hangs on).
#include "app/MenuModel.h"
#include "app/TrayMenu.h"
#include "services/SystemLog.h"
#include "platform/freedesktop/XdgAutostartItem.h"
#include "settings/Preferences.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class TestLaunchAtLogin : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    static XdgAutostartItem itemIn(const QString &configHome)
    {
        return XdgAutostartItem(QStringLiteral("org.corvane.Corvane"), QStringLiteral("/usr/bin/corvane"), configHome, {});
    }

private Q_SLOTS:
    // Written, then removed behind the program's back: the model follows the file when asked (the
    // menu asks as it opens), and says so only when the state changed.
    void followsTheEntryOnDisk()
    {
        XdgAutostartItem item = itemIn(dir_.filePath(QStringLiteral("follows")));
        MenuModel model(item);
        QSignalSpy changed(&model, &MenuModel::launchAtLoginChanged);
        QSignalSpy failed(&model, &MenuModel::launchAtLoginFailed);
        QVERIFY(!model.launchAtLogin());

        model.setLaunchAtLogin(true);
        QVERIFY(model.launchAtLogin());
        QVERIFY(QFile::exists(item.path()));
        QCOMPARE(changed.count(), 1);

        QVERIFY(QFile::remove(item.path()));  // the desktop's own settings turned it off
        model.refresh();
        QVERIFY(!model.launchAtLogin());
        QCOMPARE(changed.count(), 2);
        model.refresh();
        QCOMPARE(changed.count(), 2);
        QCOMPARE(failed.count(), 0);
    }

    // The configuration folder cannot hold the entry (a file stands where its folder would be): the
    // model and the menu item stay off, and the failure is logged and signalled once.
    void failedWriteNeverShowsAsMade()
    {
        const QString blocked = dir_.filePath(QStringLiteral("blocked"));
        QFile file(blocked);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        XdgAutostartItem item = itemIn(blocked);
        MenuModel model(item);
        TrayMenu tray(model, Preferences::shared(), {[] {}, [] {}, [] {}});
        QSignalSpy failed(&model, &MenuModel::launchAtLoginFailed);
        QAction *action = tray.launchAtLoginAction();
        QVERIFY(!action->isChecked());

        SystemLog::Capture log;
        action->trigger();  // ticks itself, as a checkable item does, then asks the model
        QVERIFY(!model.launchAtLogin());
        QVERIFY(!action->isChecked());
        QCOMPARE(failed.count(), 1);
        QVERIFY2(failed.at(0).at(0).toString().contains(blocked), qPrintable(failed.at(0).at(0).toString()));
        QCOMPARE(log.lines().size(), 1);
        QVERIFY(log.lines().at(0).startsWith(QStringLiteral("Corvane: launch-at-login update failed: ")));

        // Once the folder can be made, the entry is written; the menu shows what is on disk when
        // it opens, also a change made outside the program.
        QVERIFY(QFile::remove(blocked));
        action->trigger();
        QVERIFY(action->isChecked());
        QVERIFY(QFile::remove(item.path()));
        Q_EMIT tray.menu()->aboutToShow();
        QVERIFY(!action->isChecked());
        QCOMPARE(failed.count(), 1);
    }
};

int main(int argc, char **argv)
{
    // The shared preferences read and write their file here, not the user's.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    QApplication app(argc, argv);
    TestLaunchAtLogin test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_launchatlogin.moc"
