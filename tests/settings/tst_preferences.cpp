#include "keys/KeyCodes.h"
#include "panel/FavoritesStore.h"
#include "services/JsonDefaultsStore.h"
#include "services/MemoryDefaultsStore.h"
#include "services/SystemLog.h"
#include "settings/Preferences.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class TestPreferences : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Reading the defaults writes nothing (a later change of a default reaches every user); every
    // assignment is written at once and notified, even of the same value.
    void writesAtOnceAndNotifiesEveryAssignment()
    {
        MemoryDefaultsStore defaults;
        Preferences preferences(defaults);
        QCOMPARE(preferences.hotKeyModifiers(), Preferences::defaultHotKeyModifiers);
        QVERIFY(defaults.values().isEmpty());
        QSignalSpy accent(&preferences, &Preferences::accentNameChanged);
        preferences.setAccentName("teal");
        preferences.setAccentName("teal");
        QCOMPARE(accent.count(), 2);
        QCOMPARE(defaults.value("accentName"), QVariant("teal"));
        QCOMPARE(preferences.accentColor(), AccentPalette::colorNamed("teal"));
        preferences.setOnlyInstalledApps(false);
        QCOMPARE(defaults.value("onlyInstalledApps"), QVariant(false));
        preferences.setHotKeyCode(0);
        preferences.setHotKeyModifiers(0x1200);
        preferences.setHotKeyDisplay("x");

        Preferences reloaded(defaults);
        QCOMPARE(reloaded.accentName(), "teal");
        QCOMPARE(reloaded.hotKeyCode(), 0);
        QCOMPARE(reloaded.hotKeyModifiers(), 0x1200u);
        QCOMPARE(reloaded.hotKeyDisplay(), "x");
    }

    // Values of the wrong type or range read as the default (a list as nothing), numbers and texts as
    // what they say; the stored value is left as it was.
    void readsStoredValuesByType()
    {
        const QList<std::tuple<QString, QVariant, QVariant>> cases{
            {"accentName", QVariant("Teal"), QVariant("Teal")},
            {"accentName", QVariant(qint64(5)), QVariant("5")},
            {"accentName", QVariant(QVariantList{"a"}), QVariant("blue")},
            {"hotKeyCode", QVariant("50"), QVariant(qint64(49))},
            {"hotKeyCode", QVariant(50.0), QVariant(qint64(50))},
            {"hotKeyCode", QVariant(50.5), QVariant(qint64(49))},
            {"hotKeyCode", QVariant(qint64(-1)), QVariant(qint64(49))},
            {"hotKeyCode", QVariant(qint64(0x100000000)), QVariant(qint64(49))},
            {"hotKeyCode", QVariant(qInf()), QVariant(qint64(49))},
            {"hotKeyCode", QVariant(true), QVariant(qint64(49))},
            {"hotKeyModifiers", QVariant("256"), QVariant(Preferences::defaultHotKeyModifiers)},
            {"hotKeyModifiers", QVariant(768.5), QVariant(Preferences::defaultHotKeyModifiers)},
            {"hotKeyModifiers", QVariant(qint64(0xFFFFFFFF)), QVariant(0xFFFFFFFFu)},
            {"hotKeyModifiers", QVariant(qint64(0x100000300)), QVariant(Preferences::defaultHotKeyModifiers)},
            {"hotKeyModifiers", QVariant(qint64(-256)), QVariant(Preferences::defaultHotKeyModifiers)},
            {"onlyInstalledApps", QVariant(qint64(1)), QVariant(true)},
            {"onlyInstalledApps", QVariant("YES"), QVariant(true)},
            {"onlyInstalledApps", QVariant(QVariantList{true}), QVariant(false)},
            {"keyLabels", QVariant("glyphs"), QVariant("glyphs")},
            {"hotKeyDisplay", QVariant(QVariantList{}), QVariant(Preferences::defaultHotKeyDisplay())},
        };
        for (const auto &[key, stored, read] : cases) {
            MemoryDefaultsStore defaults;
            defaults.setValue(key, stored);
            Preferences preferences(defaults);
            QVariant actual = preferences.property(key.toLatin1().constData());
            if (read.typeId() == QMetaType::LongLong)
                actual = actual.toLongLong();
            QVERIFY2(actual == read, qPrintable(key + QLatin1String(" stored as ") + stored.toString()));
            QCOMPARE(defaults.value(key), stored);
        }
    }

    // The typed reading rules hold for values read back from a real settings file.
    void readsAHandWrittenSettingsFile()
    {
        QTemporaryDir dir;
        QFile file(dir.filePath("corvane.json"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(R"({"hotKeyCode":"50","hotKeyModifiers":768.5,"accentName":"teal","onlyInstalledApps":true,
                      "hotKeyDisplay":null,"favoriteShortcutIDs":["a|S|T|",1]})");
        file.close();
        JsonDefaultsStore defaults(file.fileName());
        Preferences preferences(defaults);
        QCOMPARE(preferences.hotKeyCode(), 49);
        QCOMPARE(preferences.hotKeyModifiers(), Preferences::defaultHotKeyModifiers);
        QCOMPARE(preferences.accentName(), "teal");
        QVERIFY(preferences.onlyInstalledApps());
        QCOMPARE(preferences.hotKeyDisplay(), Preferences::defaultHotKeyDisplay());
        FavoritesStore favorites(defaults);
        QVERIFY(favorites.ids().isEmpty());

        favorites.toggle("b|S|T|");
        preferences.setHotKeyCode(0x24);
        QVERIFY(defaults.flush()); // written on the store's own thread
        JsonDefaultsStore reread(dir.filePath("corvane.json"));
        QCOMPARE(Preferences(reread).hotKeyCode(), 0x24);
        QCOMPARE(Preferences(reread).hotKeyModifiers(), Preferences::defaultHotKeyModifiers);
        QCOMPARE(FavoritesStore(reread).ids(), QSet<QString>{"b|S|T|"});
    }

    // Shift with a typing key, as earlier versions recorded it, is not taken as the hot key: the
    // default is, with a log line, and the file keeps what the user stored.
    void storedTypingKeyFallsBackToTheDefault()
    {
        MemoryDefaultsStore defaults;
        defaults.setValue("hotKeyCode", qint64(KeyCodes::A));
        defaults.setValue("hotKeyModifiers", qint64(KeyCodes::ShiftMask));
        defaults.setValue("hotKeyDisplay", QStringLiteral("\u21E7A"));
        SystemLog::Capture log;
        Preferences preferences(defaults);
        QCOMPARE(preferences.hotKeyCode(), Preferences::defaultHotKeyCode);
        QCOMPARE(preferences.hotKeyModifiers(), Preferences::defaultHotKeyModifiers);
        QCOMPARE(preferences.hotKeyDisplay(), Preferences::defaultHotKeyDisplay());
        QCOMPARE(log.lines().size(), 1);
        QVERIFY(log.lines().first().startsWith("Corvane: stored hot key \u21E7A would take a typed character"));
        QCOMPARE(defaults.value("hotKeyModifiers"), QVariant(qint64(KeyCodes::ShiftMask)));

        // Shift with F5 is kept.
        defaults.setValue("hotKeyCode", qint64(KeyCodes::F5));
        QCOMPARE(Preferences(defaults).hotKeyCode(), qint64(KeyCodes::F5));
    }

    void keyLabelStyleFallsBackToThePlatformsOwn()
    {
        MemoryDefaultsStore defaults;
        Preferences fresh(defaults);
        QCOMPARE(fresh.keyLabelStyle(), KeyLabelStyle::Words);
        QCOMPARE(fresh.hotKeyText(), "Ctrl+Super+Space");
        for (const QVariant &stored : {QVariant("Symbols"), QVariant(qint64(1)), QVariant(QVariantList{"symbols"})}) {
            defaults.setValue("keyLabels", stored);
            QCOMPARE(Preferences(defaults).keyLabelStyle(), KeyLabelStyle::Words);
        }
        QSignalSpy changed(&fresh, &Preferences::keyLabelStyleChanged);
        fresh.setKeyLabelStyle(KeyLabelStyle::Symbols);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(defaults.value("keyLabels"), QVariant("symbols"));
        QCOMPARE(Preferences(defaults).keyLabelStyle(), KeyLabelStyle::Symbols);
        QCOMPARE(fresh.hotKeyText(), QStringLiteral("\u2303\u2756Space"));
    }

    void unknownAccentGivesBlueButKeepsTheName()
    {
        MemoryDefaultsStore defaults;
        defaults.setValue("accentName", "yellow");
        Preferences preferences(defaults);
        QCOMPARE(preferences.accentName(), "yellow");
        QCOMPARE(preferences.accentColor(), AccentPalette::colorNamed("blue"));
    }
};

QTEST_GUILESS_MAIN(TestPreferences)
#include "tst_preferences.moc"
