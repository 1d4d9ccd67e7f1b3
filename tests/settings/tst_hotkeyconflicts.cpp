// The hot key against what the desktops already do with keys, as the shipped catalogue lists them:
// the default is free on every desktop it covers, the old default is named as the desktop's own
// action, and the user's own binding of `corvane --toggle` is no conflict.
#include "catalogue/BindingConflicts.h"
#include "catalogue/ShortcutStore.h"
#include "keys/KeyCodes.h"
#include "settings/HotKeyManager.h"
#include "settings/Preferences.h"

#include <QTest>

using namespace KeyCodes;

class TestHotKeyConflicts : public QObject {
    Q_OBJECT

    ShortcutStore store{QStringLiteral(CORVANE_SOURCE_DIR "/data/ShortcutData"), QStringLiteral("linux")};
    const QStringList desktops{QStringLiteral("org.gnome.Shell"), QStringLiteral("org.kde.plasmashell"),
                               QStringLiteral("sway"), QStringLiteral("i3"), QStringLiteral("xfce"),
                               QStringLiteral("openbox")};

private Q_SLOTS:
    void initTestCase()
    {
        store.load();
        for (const QString &desktop : desktops)
            QVERIFY2(store.appForBundleId(desktop), qPrintable(desktop));
    }

    void defaultKeyIsFreeOnEveryDesktop()
    {
        const QStringList chord = HotKeyManager::chord(quint32(Preferences::defaultHotKeyCode), Preferences::defaultHotKeyModifiers);
        QCOMPARE(chord.size(), 3);
        for (const QString &desktop : desktops) {
            const auto conflict = BindingConflicts::find(store, desktop, chord);
            QVERIFY2(!conflict, qPrintable(desktop + QStringLiteral(": ") + (conflict ? conflict->title : QString())));
        }
    }

    void oldDefaultIsNamedAsTheDesktopsAction()
    {
        const QStringList chord = HotKeyManager::chord(Space, CommandMask | ShiftMask);
        const auto gnome = BindingConflicts::find(store, QStringLiteral("org.gnome.Shell"), chord);
        QVERIFY(gnome);
        QCOMPARE(gnome->appName, QStringLiteral("GNOME Shell"));
        QVERIFY2(gnome->title.contains(QStringLiteral("input source"), Qt::CaseInsensitive), qPrintable(gnome->title));
        const auto sway = BindingConflicts::find(store, QStringLiteral("sway"), chord);
        QVERIFY(sway);
        QVERIFY2(sway->title.contains(QStringLiteral("float"), Qt::CaseInsensitive), qPrintable(sway->title));
        // A key the catalogue spells otherwise than its keysym ("pageup", not "Prior").
        QCOMPARE(HotKeyManager::chord(PageUp, ControlMask), (QStringList{QStringLiteral("\u2303"), QStringLiteral("\u21DE")}));
    }

    void ownBindingIsNoConflict()
    {
        AppShortcuts app;
        app.slug = QStringLiteral("sway");
        app.name = QStringLiteral("sway");
        app.bundleId = QStringLiteral("sway");
        ShortcutSection section{QStringLiteral("Your shortcuts"), {}};
        section.shortcuts.append(RawShortcut{QStringLiteral("exec corvane --toggle"), QStringLiteral("ctrl+super+space"),
                                             std::nullopt, QStringLiteral("exec /usr/bin/corvane --toggle")});
        section.shortcuts.append(RawShortcut{QStringLiteral("Lock"), QStringLiteral("super+alt+space"), std::nullopt});
        app.keymaps.append(Keymap{QStringLiteral("Linux"), std::nullopt, {section}});
        ShortcutStore own(std::nullopt, QStringLiteral("linux"));
        own.load({app});
        QVERIFY(!BindingConflicts::find(own, QStringLiteral("sway"), HotKeyManager::chord(Space, ControlMask | CommandMask)));
        const auto lock = BindingConflicts::find(own, QStringLiteral("sway"), HotKeyManager::chord(Space, OptionMask | CommandMask));
        QVERIFY(lock);
        QCOMPARE(lock->title, QStringLiteral("Lock"));
        QVERIFY(!BindingConflicts::find(own, QStringLiteral("i3"), HotKeyManager::chord(Space, OptionMask | CommandMask)));
    }
};

QTEST_GUILESS_MAIN(TestHotKeyConflicts)
#include "tst_hotkeyconflicts.moc"
