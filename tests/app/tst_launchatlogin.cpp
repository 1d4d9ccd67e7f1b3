// Launch at Login as the tray menu shows it: always the autostart entry on disk. A change made
// outside the program shows when the menu opens; a change that cannot be written never shows as
// made, and is told once (a log line and the failure signal the notification hangs on).
#include "../TestSupport.h"
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
    // The configuration folder cannot hold the entry (a file stands where its folder would be): the
    // model and the menu item stay off, and the failure is logged and signalled once.
    void followsTheEntryOnDiskAndFailuresNeverShowAsMade()
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
        // it opens, also a change made outside the program (the desktop's own settings turned it
        // off), and the model says so only when the state changed.
        QSignalSpy changed(&model, &MenuModel::launchAtLoginChanged);
        QVERIFY(QFile::remove(blocked));
        action->trigger();
        QVERIFY(action->isChecked());
        QVERIFY(QFile::exists(item.path()));
        QCOMPARE(changed.count(), 1);
        QVERIFY(QFile::remove(item.path()));
        Q_EMIT tray.menu()->aboutToShow();
        QVERIFY(!action->isChecked());
        QVERIFY(!model.launchAtLogin());
        Q_EMIT tray.menu()->aboutToShow();
        QCOMPARE(changed.count(), 2);
        QCOMPARE(failed.count(), 1);
    }
};

CORVANE_PRIVATE_CONFIG_TEST_MAIN(TestLaunchAtLogin)
#include "tst_launchatlogin.moc"
