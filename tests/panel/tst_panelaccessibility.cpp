// What assistive technologies are told about the panel and the settings window, through Qt's
// accessibility interfaces (the AT-SPI bridge reads exactly these).

#include "PanelFixture.h"
#include "catalogue/ui/IconLoader.h"
#include "panel/ui/CorvaneRootView.h"
#include "panel/ui/SectionListAccessible.h"
#include "panel/ui/SectionListView.h"
#include "panel/ui/ShortcutRowView.h"
#include "settings/ui/AccentSwatch.h"
#include "settings/ui/AccentSwatchAccessible.h"
#include "settings/ui/HotKeyRecorderView.h"
#include "settings/ui/SettingsView.h"
#include "settings/ui/ToggleSwitch.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QTest>

namespace {

AppShortcuts app(const QString &slug, const QString &name, int count)
{
    AppShortcuts result;
    result.slug = slug;
    result.name = name;
    result.bundleId = QStringLiteral("org.") + slug;
    Keymap keymap{"Default", std::nullopt, {}};
    ShortcutSection section{"General", {}};
    const QStringList keys{"ctrl+shift+p", "ctrl+k ctrl+s", "alt+plus", ""};
    for (int i = 0; i < count; ++i) {
        RawShortcut shortcut{QStringLiteral("%1 action %2").arg(name).arg(i), std::nullopt, std::nullopt};
        const QString key = keys[i % keys.size()];
        if (key.isEmpty())
            shortcut.setComment(QStringLiteral("Drag with the middle button"));
        else
            shortcut.setKey(key);
        section.shortcuts.append(shortcut);
    }
    keymap.sections.append(section);
    result.keymaps.append(keymap);
    return result;
}

} // namespace

class TestPanelAccessibility : public QObject {
    Q_OBJECT

    IconLoader icons{nullptr, std::nullopt};

    QStringList names(QAccessibleInterface *list)
    {
        QStringList result;
        for (int i = 0; i < list->childCount(); ++i)
            result << list->child(i)->text(QAccessible::Name);
        return result;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QAccessible::installFactory(SectionListAccessible::factory);
        QAccessible::installFactory(AccentSwatchAccessible::factory);
    }

    // Headers and the rows of expanded sections, in list order, under search and collapse; the
    // selected row.
    void itemsFollowTheList()
    {
        PanelFixture f({app("a", "Alpha", 3), app("b", "Beta", 2)});
        SectionListView view(*f.vm, *f.preferences, icons);
        view.resize(700, 450);
        f.vm->rebuild(true);
        QAccessibleInterface *list = QAccessible::queryAccessibleInterface(&view);
        QVERIFY(list);
        QCOMPARE(list->role(), QAccessible::List);
        QCOMPARE(names(list), (QStringList{"Alpha", "Alpha action 0", "Alpha action 1", "Alpha action 2", "Beta",
                                           "Beta action 0", "Beta action 1"}));
        QCOMPARE(list->child(0)->role(), QAccessible::Heading);
        QCOMPARE(list->child(0)->text(QAccessible::Description), QStringLiteral("3 shortcuts"));
        QVERIFY(list->child(0)->state().expanded);
        QCOMPARE(list->child(1)->role(), QAccessible::ListItem);
        for (int i = 0; i < list->childCount(); ++i)
            QCOMPARE(list->indexOfChild(list->child(i)), i);
        QCOMPARE(list->child(1), list->child(1));  // made once, kept while the list stands

        const QAccessible::Id kept = QAccessible::uniqueId(list->child(5));
        f.vm->toggleCollapsed(QStringLiteral("a"));
        QVERIFY(!QAccessible::accessibleInterface(kept));  // items of the old list are gone
        QCOMPARE(names(list), (QStringList{"Alpha", "Beta", "Beta action 0", "Beta action 1"}));
        QVERIFY(list->child(0)->state().collapsed);
        QVERIFY(!list->child(0)->state().expanded);

        f.vm->setSearchText(QStringLiteral("action 1"));
        QCOMPARE(names(list), (QStringList{"Alpha", "Beta", "Beta action 1"}));
        QVERIFY(!list->child(list->childCount()));
        QVERIFY(!list->child(-1));

        // The selected row is the list's focus and the only selected item, across moves and a
        // favourite toggled with Return (the bridge announces it from these; tests/e2e/atspi.sh
        // hears it).
        f.vm->setCollapsed({});
        f.vm->setSearchText(QString());
        QCOMPARE(list->focusChild()->text(QAccessible::Name), QStringLiteral("Alpha action 0"));
        QVERIFY(list->focusChild()->state().selected);
        QVERIFY(!list->child(2)->state().selected);

        f.vm->moveSelection(3);  // across the Beta header
        QAccessibleInterface *focus = list->focusChild();
        QCOMPARE(focus->text(QAccessible::Name), QStringLiteral("Beta action 0"));
        QVERIFY(focus->state().selected && focus->state().focused);
        QCOMPARE(list->indexOfChild(focus), 5);
        int selected = 0;
        for (int i = 0; i < list->childCount(); ++i)
            selected += list->child(i)->state().selected ? 1 : 0;
        QCOMPARE(selected, 1);

        f.toggleFavorite(f.vm->selectedEntry()->id());
        focus = list->focusChild();
        QCOMPARE(focus->text(QAccessible::Name), QStringLiteral("Beta action 0"));
        QVERIFY(focus->text(QAccessible::Description).contains(QStringLiteral("favourite")));
        QVERIFY(focus->state().checked);
    }

    // Rows read their keys, comment and favourite; each has its place on screen.
    void rowsReadTitleKeysFavouriteAndComment()
    {
        PanelFixture f({app("a", "Alpha", 400)});
        SectionListView view(*f.vm, *f.preferences, icons);
        view.resize(700, 450);
        f.vm->rebuild(true);
        view.show();
        QAccessibleInterface *list = QAccessible::queryAccessibleInterface(&view);
        const QRect first = list->child(1)->rect();
        QCOMPARE(first.height(), int(ShortcutRowView::height));
        QVERIFY(view.viewport()->rect().translated(view.viewport()->mapToGlobal(QPoint())).contains(first));
        QCOMPARE(list->childAt(first.center().x(), first.center().y())->text(QAccessible::Name),
                 QStringLiteral("Alpha action 0"));
        QVERIFY(list->child(399)->state().offscreen);
        QVERIFY(!list->child(1)->state().offscreen);
        QCOMPARE(list->child(1)->text(QAccessible::Description), QStringLiteral("Ctrl Shift P"));
        QCOMPARE(list->child(2)->text(QAccessible::Description), QStringLiteral("Ctrl K, then Ctrl S"));
        QCOMPARE(list->child(3)->text(QAccessible::Description), QStringLiteral("Alt Plus"));
        QCOMPARE(list->child(4)->text(QAccessible::Description), QStringLiteral("Drag with the middle button"));
        QVERIFY(!list->child(1)->state().checked);

        f.toggleFavorite(f.vm->sections()[0].entries[0].id());
        // Favourites come first now, named with the application.
        QCOMPARE(list->child(0)->text(QAccessible::Name), QStringLiteral("Favorites"));
        QCOMPARE(list->child(0)->text(QAccessible::Description), QStringLiteral("1 shortcut"));
        QCOMPARE(list->child(1)->text(QAccessible::Description), QStringLiteral("Ctrl Shift P, favourite, Alpha"));
        QVERIFY(list->child(1)->state().checked);

        // With Alpha in front, only its heading says so: the favourites are no application.
        RunningApp alpha;
        alpha.bundleIdentifier = QStringLiteral("org.a");
        f.vm->setActiveApp(alpha, std::nullopt);
        QCOMPARE(list->child(0)->text(QAccessible::Description), QStringLiteral("1 shortcut"));
        QCOMPARE(list->child(2)->text(QAccessible::Name), QStringLiteral("Alpha"));
        QCOMPARE(list->child(2)->text(QAccessible::Description), QStringLiteral("400 shortcuts, the application in front"));
    }

    // Observers of a rebuild (this interface announces the selected row from there) see the new
    // sections together with their rows, never the rows of the sections before.
    void rebuildIsWholeWhenAnnounced()
    {
        PanelFixture f({app("a", "Alpha", 3), app("b", "Beta", 2)});
        f.vm->rebuild(true);
        f.vm->moveSelection(4);
        int checked = 0;
        QObject::connect(f.vm.get(), &PanelViewModel::sectionsChanged, f.vm.get(), [&] {
            qsizetype rows = 0;
            for (const DisplaySection &section : f.vm->sections())
                rows += f.vm->collapsed().contains(section.id) ? 0 : section.entries.size();
            QCOMPARE(f.vm->navigableCount(), rows);
            const std::optional<QString> key = f.vm->selectionKey();  // must not read the old rows
            QVERIFY(!key || key->contains(QLatin1Char('#')));
            ++checked;
        });
        f.toggleFavorite(f.vm->selectedEntry()->id());
        f.vm->toggleCollapsed(QStringLiteral("a"));
        f.vm->setSearchText(QStringLiteral("zzz"));
        QCOMPARE(checked, 3);
    }

    void nothingMatchingIsToldInTheSearchField()
    {
        PanelFixture f({app("a", "Alpha", 3)});
        CorvaneRootView root(*f.vm, *f.preferences, icons, [] {});
        f.vm->rebuild(true);
        auto *search = root.findChild<QLineEdit *>();
        QVERIFY(search);
        QCOMPARE(search->accessibleName(), QStringLiteral("Search shortcuts"));
        f.vm->setSearchText(QStringLiteral("zzz"));
        QCOMPARE(search->accessibleDescription(), QStringLiteral("No matching shortcuts"));
        f.vm->setSearchText(QString());
        QCOMPARE(search->accessibleDescription(), QString());
    }

    void settingsControlsAreNamed()
    {
        PanelFixture f({});
        SettingsView settings(*f.preferences);
        const QList<AccentSwatch *> swatches = settings.findChildren<AccentSwatch *>();
        QVERIFY(swatches.size() > 1);
        for (AccentSwatch *swatch : swatches) {
            QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(swatch);
            QCOMPARE(iface->role(), QAccessible::RadioButton);
            QVERIFY(!iface->text(QAccessible::Name).isEmpty());
            QCOMPARE(iface->state().checked, swatch->name() == f.preferences->accentName());
        }
        QAccessibleInterface *group = QAccessible::queryAccessibleInterface(swatches[0]->parentWidget());
        QCOMPARE(group->text(QAccessible::Name), QStringLiteral("Accent color"));
        QAccessibleInterface *other = QAccessible::queryAccessibleInterface(swatches[1]);
        other->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QVERIFY(other->state().checked);
        QVERIFY(!QAccessible::queryAccessibleInterface(swatches[0])->state().checked);

        auto *toggle = settings.findChild<ToggleSwitch *>();
        QAccessibleInterface *switchIface = QAccessible::queryAccessibleInterface(toggle);
        QVERIFY(switchIface->state().checkable);
        QVERIFY(!switchIface->text(QAccessible::Name).isEmpty());
        toggle->click();
        QVERIFY(switchIface->state().checked);

        auto *recorder = settings.findChild<HotKeyRecorderView *>();
        QAccessibleInterface *recorderIface = QAccessible::queryAccessibleInterface(recorder);
        QCOMPARE(recorderIface->text(QAccessible::Name), QStringLiteral("Trigger shortcut"));
        QVERIFY(recorderIface->text(QAccessible::Description).contains(f.preferences->hotKeyText()));
        recorder->click();
        QCOMPARE(recorderIface->text(QAccessible::Description), HotKeyRecorderView::prompt());
    }
};

QTEST_MAIN(TestPanelAccessibility)
#include "tst_panelaccessibility.moc"
