// The user's bindings applied to a catalogue, as the panel shows it: a changed key replaces the
// data file's, an addition appears, a removal hides, customised rows are marked, and favourites
// stay on their action when its key changes.
#include "catalogue/bindings/BindingsApplier.h"
#include "catalogue/bindings/UserBindings.h"
#include "PanelFixture.h"
#include "StandIns.h"
#include "platform/KeyBindingSettings.h"

#include <QtTest>

namespace {

RawShortcut shortcut(const QString &title, const QString &key, const std::optional<QString> &action)
{
    return RawShortcut(title, key, std::nullopt, action);
}

AppShortcuts desktop()
{
    AppShortcuts app;
    app.slug = "gnome-shell";
    app.name = "GNOME Shell";
    app.bundleId = "org.gnome.Shell";
    Keymap linux{"Linux", QStringList{"linux"}, {}};
    linux.sections = {
        ShortcutSection{"Workspaces",
                        {shortcut("Switch to the first workspace", "super+home", QString("wm/switch-to-workspace-1")),
                         shortcut("Switch left", "super+pageup", QString("wm/switch-left")),
                         shortcut("Switch left", "ctrl+alt+left", QString("wm/switch-left")),
                         shortcut("Overview", "super", std::nullopt)}},
        ShortcutSection{"Windows", {shortcut("Close window", "alt+f4", QString("wm/close"))}},
    };
    Keymap mac{"macOS", QStringList{"macos"}, {ShortcutSection{"Mac", {shortcut("Mac only", "cmd+q", std::nullopt)}}}};
    app.keymaps = {linux, mac};
    return app;
}

AppShortcuts editor()
{
    AppShortcuts app;
    app.slug = "vscode";
    app.name = "Code";
    app.bundleId = "code";
    app.aliases = QStringList{"com.visualstudio.code"};
    app.keymaps = {Keymap{"Linux", std::nullopt,
                          {ShortcutSection{"General",
                                           {shortcut("Quick open", "ctrl+p", QString("workbench.action.quickOpen")),
                                            shortcut("Quick open", "ctrl+e", QString("workbench.action.quickOpen")),
                                            shortcut("Comment line", "ctrl+slash", QString("editor.action.commentLine"))}}}}};
    return app;
}

UserBinding binding(const QString &action, const QStringList &keys, UserBinding::Mode mode = UserBinding::Mode::Replace,
                    const QString &title = QString(), const QString &section = QString())
{
    UserBinding b;
    b.action = action;
    b.keys = keys;
    b.mode = mode;
    b.title = title;
    b.section = section;
    b.origin = "GSettings " + action;
    return b;
}

AppBindings gnome(QList<UserBinding> bindings)
{
    return AppBindings{"org.gnome.shell", AppBindings::Notation::Gtk, false, std::move(bindings)};
}

QStringList rows(const ShortcutStore &store, const QString &slug)
{
    QStringList out;
    for (const ShortcutEntry &entry : store.entriesByApp().value(slug))
        out << entry.title() + "=" + entry.rawKey().value_or("") + (entry.isCustomised() ? "*" : "");
    return out;
}

} // namespace

class TestBindingsApplier : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void replaceAddRemove()
    {
        ShortcutStore store(std::nullopt, "linux");
        store.load(BindingsApplier::apply(
            {desktop(), editor()},
            {gnome({binding("wm/switch-to-workspace-1", {"<Super>1"}),
                    binding("wm/switch-left", {"<Super>Page_Up", "<Super>Left", "<Super>a"}),
                    binding("wm/close", {}),
                    binding("custom:/c0/", {"<Super>t"}, UserBinding::Mode::Replace, "Terminal", "Custom shortcuts"),
                    binding("wm/unreadable", {"<Bogus>x"})})},
            "linux"));
        QCOMPARE(rows(store, "gnome-shell"),
                 (QStringList{"Switch to the first workspace=super+1*", "Switch left=super+pageup",
                              "Switch left=super+left*", "Switch left=super+a*", "Overview=super",
                              "Terminal=super+t*"}));
        const auto entries = store.entriesByApp().value("gnome-shell");
        // The customised row keeps the data file's id and says where its key came from.
        QCOMPARE(entries[0].id(), QString("gnome-shell|Workspaces|Switch to the first workspace|super+home"));
        QVERIFY(entries[0].customisation());
        QCOMPARE(entries[0].customisation()->origin, QString("GSettings wm/switch-to-workspace-1"));
        QCOMPARE(entries[0].customisation()->catalogueKey, std::optional<QString>("super+home"));
        QVERIFY(entries[0].searchText().contains(u"super+1"));
        QCOMPARE(entries[3].id(), QString("gnome-shell|Workspaces|Switch left|@wm/switch-left"));
        QVERIFY(entries[3].customisation()->added);
        QCOMPARE(entries[5].id(), QString("gnome-shell|Custom shortcuts|Terminal|@custom:/c0/"));
        QCOMPARE(entries[5].sectionTitle(), QString("Custom shortcuts"));
        // Fewer keys than the data file: the rest go; the application keeps only its Linux keymap.
        store.load(BindingsApplier::apply({desktop()}, {gnome({binding("wm/switch-left", {"<Control><Alt>Left"})})}, "linux"));
        // The row whose key stays keeps it (and its id); the other goes.
        QCOMPARE(rows(store, "gnome-shell"),
                 (QStringList{"Switch to the first workspace=super+home", "Switch left=ctrl+alt+left",
                              "Overview=super", "Close window=alt+f4"}));
        // Bindings for an application the catalogue lacks change nothing.
        const QList<AppShortcuts> shipped{desktop()};
        const auto same = BindingsApplier::apply(shipped, {AppBindings{"nope", AppBindings::Notation::Gtk, false, {binding("x", {"a"})}}}, "linux");
        QCOMPARE(same.first().keymaps.size(), 2);
    }

    // VS Code writes a change of key as the new key added and the old one removed, in either order:
    // the old key's row shows the new key under its own id, so a favourite of it follows.
    void vscodeChangeOfKeyKeepsTheRow()
    {
        const QString quickOpen = "vscode|General|Quick open|ctrl+p";
        const UserBinding add = binding("workbench.action.quickOpen", {"ctrl+shift+o"}, UserBinding::Mode::Add,
                                        "workbench.action.quickOpen");
        const UserBinding remove = binding("workbench.action.quickOpen", {"ctrl+p"}, UserBinding::Mode::Remove);
        const UserBinding others[] = {binding("editor.action.commentLine", {}, UserBinding::Mode::Remove),
                                      binding("my.command", {"ctrl+alt+m"}, UserBinding::Mode::Add, "my.command")};
        for (const bool removalFirst : {false, true}) {
            PanelFixture f({editor()});
            f.favorites->toggle(quickOpen);
            QList<UserBinding> bindings = removalFirst ? QList<UserBinding>{remove, add} : QList<UserBinding>{add, remove};
            bindings << others[0] << others[1];
            f.store.load(BindingsApplier::apply({editor()}, {AppBindings{"vscode", AppBindings::Notation::VsCode, false, bindings}},
                                                "linux"));
            f.vm->catalogueChanged();
            QCOMPARE(rows(f.store, "vscode"),
                     (QStringList{"Quick open=ctrl+shift+o*", "Quick open=ctrl+e", "my.command=ctrl+alt+m*"}));
            const auto entries = f.store.entriesByApp().value("vscode");
            QCOMPARE(entries[0].id(), quickOpen);
            QCOMPARE(entries.last().sectionTitle(), BindingsApplier::additionsSection());
            f.vm->setActiveApp(std::nullopt, std::nullopt);
            const auto favourites = f.vm->sections().value(0).entries;
            QCOMPARE(favourites.size(), 1);
            QCOMPARE(favourites[0].rawKey(), std::optional<QString>("ctrl+shift+o"));
        }
        // The editor's rows after one removal and one addition of an action's keys.
        auto afterPair = [](const QString &action, const QStringList &removed, const QStringList &added) {
            ShortcutStore store(std::nullopt, "linux");
            store.load(BindingsApplier::apply(
                {editor()},
                {AppBindings{"vscode", AppBindings::Notation::VsCode, false,
                             {binding(action, removed, UserBinding::Mode::Remove),
                              binding(action, added, UserBinding::Mode::Add)}}},
                "linux"));
            return rows(store, "vscode");
        };
        const QStringList unchanged{"Quick open=ctrl+p", "Quick open=ctrl+e", "Comment line=ctrl+slash"};
        // Every key removed, then one added: the action's first row takes it, the second goes.
        QCOMPARE(afterPair("workbench.action.quickOpen", {}, {"ctrl+k ctrl+o"}),
                 (QStringList{"Quick open=ctrl+k ctrl+o*", "Comment line=ctrl+slash"}));
        // A removal of a key the catalogue does not list, and an addition of one it has, change nothing.
        QCOMPARE(afterPair("workbench.action.quickOpen", {"ctrl+q"}, {"ctrl+e"}), unchanged);
        // A key removed and added again (under a new condition) stays.
        QCOMPARE(afterPair("editor.action.commentLine", {"ctrl+slash"}, {"ctrl+slash"}), unchanged);
    }

    void completeConfigHidesUnboundActions()
    {
        AppShortcuts sway;
        sway.slug = "sway";
        sway.name = "Sway";
        sway.keymaps = {Keymap{"Linux", std::nullopt,
                               {ShortcutSection{"Apps", {shortcut("Terminal", "super+enter", QString("exec $term")),
                                                          shortcut("Launcher", "super+d", QString("exec $menu")),
                                                          shortcut("Drag", "super+drag", std::nullopt)}}}}};
        ShortcutStore store(std::nullopt, "linux");
        store.load(BindingsApplier::apply(
            {sway}, {AppBindings{"sway", AppBindings::Notation::Sway, true, {binding("exec $term", {"Mod4+Return"})}}}, "linux"));
        QCOMPARE(rows(store, "sway"), (QStringList{"Terminal=super+enter", "Drag=super+drag"}));
    }

    // Tens of thousands of distinct bindings, and one action bound in several sets: each binding
    // finds its action's rows through an index, not by looking at every row (which took minutes).
    void manyBindingsApplyInLinearTime()
    {
        QList<UserBinding> many;
        for (int i = 0; i < 60000; ++i)
            many << binding("a" + QString::number(i), {"<Super>F" + QString::number(i % 12 + 1)});
        many << binding("wm/switch-left", {"<Super>Left"});
        QElapsedTimer timer;
        timer.start();
        const auto result = BindingsApplier::apply(
            {desktop()}, {gnome(many), gnome({binding("wm/switch-left", {"<Super>b"}, UserBinding::Mode::Add)})}, "linux");
        QVERIFY2(timer.elapsed() < 10000, qPrintable(QString::number(timer.elapsed())));
        ShortcutStore store(std::nullopt, "linux");
        store.load(result);
        const QStringList all = rows(store, "gnome-shell");
        QCOMPARE(all.size(), 60000 + 5);
        QCOMPARE(all.filter("Switch left=").size(), 2);
    }

    // The panel model over the customised catalogue: the mark, the user's key in the desktop's
    // section when nothing is in front, a favourite kept across a change of key.
    void panelFollowsBindings()
    {
        const QList<AppShortcuts> shipped{desktop(), editor()};
        PanelFixture f(shipped);
        f.vm->setDesktopBundleId(QString("org.gnome.Shell"));
        const QString firstWorkspace = "gnome-shell|Workspaces|Switch to the first workspace|super+home";
        const QString custom = "gnome-shell|Custom shortcuts|Terminal|@custom:/c0/";
        f.favorites->toggle(firstWorkspace);
        f.favorites->toggle(custom);  // stored while its row is not shown: kept

        auto bindTo = [&](const QString &key, const QString &terminalKey) {
            f.store.load(BindingsApplier::apply(
                shipped,
                {gnome({binding("wm/switch-to-workspace-1", {key}),
                        binding("custom:/c0/", {terminalKey}, UserBinding::Mode::Replace, "Terminal", "Custom shortcuts")})},
                "linux"));
            f.vm->catalogueChanged();
        };
        f.vm->setActiveApp(std::nullopt, std::nullopt);
        QCOMPARE(f.vm->sections().size(), 3);  // favourites, the desktop, the editor
        QCOMPARE(f.vm->sections()[0].entries.size(), 1);

        bindTo("<Super>1", "<Super>t");
        QCOMPARE(f.vm->activeApp()->slug, QString("gnome-shell"));
        const DisplaySection &shell = f.vm->sections()[1];
        QVERIFY(shell.isActive);
        QCOMPARE(shell.entries[0].rawKey(), std::optional<QString>("super+1"));
        QVERIFY(shell.entries[0].isCustomised());
        const auto favorites = f.vm->sections()[0].entries;
        QCOMPARE(favorites.size(), 2);
        QCOMPARE(favorites[0].rawKey(), std::optional<QString>("super+1"));
        QCOMPARE(favorites[1].rawKey(), std::optional<QString>("super+t"));

        bindTo("<Super>F1", "<Super>Return");
        QCOMPARE(f.vm->sections()[0].entries.size(), 2);
        QCOMPARE(f.vm->sections()[0].entries[0].rawKey(), std::optional<QString>("super+f1"));
        QCOMPARE(f.vm->sections()[0].entries[1].rawKey(), std::optional<QString>("super+enter"));
        // Searching finds the user's key, not the data file's.
        f.vm->setSearchText("super+f1");
        QCOMPARE(f.vm->sections().size(), 1);
        f.vm->setSearchText("super+home");
        QCOMPARE(f.vm->sections().size(), 0);

        // Back to the shipped catalogue: the favourite of the removed custom shortcut stays stored.
        f.store.load(shipped);
        f.vm->catalogueChanged();
        QVERIFY(f.favorites->contains(custom));
    }

    // Applications read from installed programs stay in the panel, after the shipped ones and still
    // behind a shipped file, when the user's bindings are applied again; the one in front stays so.
    void rebindingKeepsDiscoveredApplications()
    {
        const QList<AppShortcuts> shipped{desktop(), editor()};
        PanelFixture f(shipped);
        AppShortcuts notes = makeApp("org-example-notes", "Alpha Notes", QString("org.example.Notes"), {{"Keys", {"Quit"}}});
        AppShortcuts impostor = makeApp("impostor", "Impostor", QString("ORG.GNOME.SHELL"), {{"Keys", {"Nothing"}}});
        QCOMPARE(f.store.addDiscovered({notes, impostor}), 1);
        RunningApp running;
        running.bundleIdentifier = "org.example.Notes";
        f.vm->setActiveApp(running, std::nullopt);
        QCOMPARE(f.vm->activeApp()->slug, QString("org-example-notes"));

        f.store.replaceShipped(BindingsApplier::apply(shipped, {gnome({binding("wm/close", {"<Super>q"})})}, "linux"));
        f.vm->catalogueChanged();
        QCOMPARE(rows(f.store, "gnome-shell").last(), QString("Close window=super+q*"));
        QStringList order;
        for (const AppShortcuts &app : f.store.orderedApps())
            order << app.slug + (app.discovered ? "+" : "");
        QCOMPARE(order, (QStringList{"vscode", "gnome-shell", "org-example-notes+"}));
        QCOMPARE(f.store.appForBundleId(QString("org.gnome.shell"))->slug, QString("gnome-shell"));
        QCOMPARE(f.vm->activeApp()->slug, QString("org-example-notes"));
        QVERIFY(f.vm->sections()[0].isActive && f.vm->sections()[0].fromApplication);

        // Bindings gone again: the shipped defaults come back, the discovered application stays.
        f.store.replaceShipped(shipped);
        f.vm->catalogueChanged();
        QCOMPARE(rows(f.store, "gnome-shell").last(), QString("Close window=alt+f4"));
        QCOMPARE(f.store.orderedApps().size(), 3);
    }

    // Changes reach the catalogue at most once a second, and a change signal from the settings
    // database triggers a reload like a file does.
    void reloadsAtMostOncePerSecond()
    {
        StandInKeyBindingSettings settings;
        UserBindings bindings(QProcessEnvironment(), &settings);
        bindings.reload();
        bindings.startWatching();
        QSignalSpy changed(&bindings, &UserBindings::changed);
        QElapsedTimer timer;
        timer.start();
        settings.values = {gnome({binding("wm/close", {"<Super>q"})})};
        for (int i = 0; i < 50; ++i)
            settings.changed();
        QVERIFY(changed.wait(3000));
        QVERIFY(timer.elapsed() >= 800);
        QCOMPARE(changed.size(), 1);
        QCOMPARE(settings.reads, 2);
        QCOMPARE(bindings.current(), settings.values);
        // Word of a change that changed nothing reads again but announces nothing.
        settings.changed();
        QTRY_COMPARE(settings.reads, 3);
        QTest::qWait(200);
        QCOMPARE(changed.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestBindingsApplier)
#include "tst_bindingsapplier.moc"
