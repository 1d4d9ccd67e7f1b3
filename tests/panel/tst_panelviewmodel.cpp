#include "PanelFixture.h"
#include "panel/TerminalProgramsLookup.h"
#include "services/SystemLog.h"

#include <QElapsedTimer>
#include <QTest>
#include <QThread>

#include <atomic>

namespace {

RunningApp running(const QString &id)
{
    RunningApp app;
    app.bundleIdentifier = id;
    app.localizedName = id;
    return app;
}

// Editor (frontmost in most cases), Browser and Notes without an identifier.
QList<AppShortcuts> catalogue()
{
    return {
        makeApp("editor", "Editor", QString("org.editor"), {{"Edit", {"Copy", "Paste", "Copy and paste"}}}),
        makeApp("browser", "Browser", QString("org.browser"), {{"Tabs", {"New tab", "Close tab"}}, {"Edit", {"Copy link"}}}),
        makeApp("notes", "Notes", std::nullopt, {{"General", {"New note"}}}),
    };
}

// A process table that answers after `delayMs`, naming the thread that asked.
class SlowWorkspace : public StaticWorkspace {
public:
    std::atomic<int> delayMs{0};
    std::atomic<QThread *> askedOn{nullptr};
    QList<QStringList> programsInTerminal(const RunningApp &, const QStringList &names) override
    {
        askedOn = QThread::currentThread();
        QThread::msleep(delayMs);
        return {{QStringLiteral("vim-%1").arg(delayMs.load())}, names};
    }
};

} // namespace

class TestPanelViewModel : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void queryWords()
    {
        const QList<QPair<QString, QStringList>> cases{
            {"  Copy  ", {"copy"}},
            {"Copy Paste", {"copy", "paste"}},
            {"a   b", {"a", "b"}},
            {" \t \t ", {}},
            {"copy\tpaste", {"copy\tpaste"}},                           // a tab does not split
            {QStringLiteral("a\u00A0b"), {QStringLiteral("a\u00A0b")}},  // nor a no-break space inside
            {QStringLiteral("\u00A0\u2003new\u00A0"), {"new"}},          // which is trimmed at the ends
            {"new\n", {"new\n"}},                                       // a line break is kept
        };
        for (const auto &[text, words] : cases)
            QCOMPARE(PanelViewModel::queryWords(text), words);
    }

    void orderIsFavoritesThenFrontmostThenCatalogue()
    {
        PanelFixture f(catalogue());
        f.favorites->toggle(entryId("editor", "Edit", "Paste"));
        f.favorites->toggle("gone|from|the|catalogue");
        f.vm->setActiveApp(running("ORG.EDITOR"), std::nullopt);
        QCOMPARE(f.sectionIds(), (QStringList{"__favorites__", "editor", "browser", "notes"}));
        const DisplaySection &favorites = f.vm->sections().first();
        QVERIFY(favorites.isFavorites && favorites.isActive && !favorites.bundleId);
        QCOMPARE(favorites.title, "Favorites");
        QVERIFY(f.vm->sections()[1].isActive && !f.vm->sections()[2].isActive);

        // The favourite is listed twice, as two rows.
        QCOMPARE(f.rowTitles().count("Paste"), 2);
        QCOMPARE(f.vm->navigable()[0].rowKey(), "__favorites__#editor|Edit|Paste|");
        QCOMPARE(f.vm->navigable()[2].rowKey(), "editor#editor|Edit|Paste|");

        // While searching there are no favourites; the frontmost application stays first.
        f.vm->setSearchText("paste");
        QCOMPARE(f.sectionIds(), (QStringList{"editor"}));
        f.vm->setSearchText("tab");
        QCOMPARE(f.sectionIds(), (QStringList{"browser"}));  // the frontmost without matches is not listed again
    }

    // A terminal in front: the programs running in it first, in the order the workspace names them,
    // each by the first name the catalogue knows; only a terminal's window is looked into.
    void programsInsideATerminal()
    {
        QList<AppShortcuts> apps = catalogue();
        apps << makeApp("xterm", "xterm", QString("debian-xterm"), {{"Scrolling", {"Page up"}}})
             << makeApp("tmux", "tmux", QString("tmux"), {{"Panes", {"Split"}}})
             << makeApp("vim", "Vim", QString("gvim"), {{"Modes", {"Insert"}}});
        apps[3].terminal = true;
        apps[5].aliases = QStringList{"vim"};
        PanelFixture f(apps);
        RunningApp xterm = running("debian-xterm");
        xterm.pid = 42;
        f.workspace.terminalPrograms[42] = {{"vim.basic", "vim"}, {"bash"}, {"tmux"}};
        f.vm->setActiveApp(xterm, std::nullopt);
        QCOMPARE(f.sectionIds().mid(0, 3), (QStringList{"vim", "tmux", "xterm"}));
        QCOMPARE(f.vm->programsInFront().size(), 2);
        QVERIFY(f.vm->sections()[0].isActive && f.vm->sections()[2].isActive && !f.vm->sections()[3].isActive);
        QCOMPARE(f.sectionIds().count("vim"), 1);
        // The catalogue changes under it: the programs are looked up again.
        f.vm->catalogueChanged();
        QCOMPARE(f.sectionIds().mid(0, 3), (QStringList{"vim", "tmux", "xterm"}));
        // A program named like the terminal itself is listed once.
        f.workspace.terminalPrograms[42] = {{"xterm"}};
        f.vm->setActiveApp(xterm, std::nullopt);
        QCOMPARE(f.sectionIds().mid(0, 2), (QStringList{"xterm", "browser"}));
        QVERIFY(f.vm->programsInFront().isEmpty());

        // Not a terminal, or no process known: the window's application alone.
        RunningApp editor = running("org.editor");
        editor.pid = 42;
        f.vm->setActiveApp(editor, std::nullopt);
        QCOMPARE(f.sectionIds().first(), "editor");
        QVERIFY(f.vm->programsInFront().isEmpty());
        xterm.pid = 0;
        f.vm->setActiveApp(xterm, std::nullopt);
        QCOMPARE(f.sectionIds().first(), "xterm");
        // Without a pid the terminal is looked for by its identifiers.
        f.workspace.namedTerminalPrograms["debian-xterm"] = {{"vim"}};
        f.vm->setActiveApp(xterm, std::nullopt);
        QCOMPARE(f.sectionIds().mid(0, 2), (QStringList{"vim", "xterm"}));
    }

    // The lookup runs on a worker; the asker waits for it up to the deadline only. A late answer
    // is not waited for: the last one known for that terminal stands in, and the late one replaces
    // it for the next time.
    void slowTerminalLookupIsNotWaitedFor()
    {
        SlowWorkspace workspace;
        RunningApp xterm = running("xterm");
        xterm.pid = 7;
        SystemLog::Capture log;
        {
            TerminalProgramsLookup lookup(workspace, std::chrono::milliseconds(100));
            QCOMPARE(lookup.programs(xterm, {"xterm"}), (QList<QStringList>{{"vim-0"}, {"xterm"}}));
            QVERIFY(workspace.askedOn != QThread::currentThread());
            workspace.delayMs = 600;
            QElapsedTimer waited;
            waited.start();
            QCOMPARE(lookup.programs(xterm, {"xterm"}), (QList<QStringList>{{"vim-0"}, {"xterm"}}));
            QVERIFY(waited.elapsed() < 400);
            QCOMPARE(log.lines().filter("not known within 100 ms").size(), 1);
            // Another terminal has no last answer: none.
            RunningApp other = xterm;
            other.pid = 8;
            QVERIFY(lookup.programs(other, {"xterm"}).isEmpty());
            QTest::qWait(700);
            workspace.delayMs = 300;
            QCOMPARE(lookup.programs(xterm, {"xterm"}), (QList<QStringList>{{"vim-600"}, {"xterm"}}));
        }  // waits for the lookups under way, which still use the workspace
    }

    void setActiveAppResolvesThePair()
    {
        PanelFixture f(catalogue());
        f.workspace.running = {running("org.browser")};
        f.vm->setSearchText("tab");
        f.vm->setActiveApp(std::nullopt, QString("ORG.BROWSER"));
        QCOMPARE(f.vm->activeRunningApp()->bundleIdentifier, QString("org.browser"));
        QCOMPARE(f.vm->activeApp()->slug, "browser");
        QCOMPARE(f.vm->searchText(), QString());
        f.vm->setActiveApp(std::nullopt, QString("org.editor"));
        QVERIFY(!f.vm->activeRunningApp());
        QCOMPARE(f.vm->activeApp()->slug, "editor");
        f.vm->setActiveApp(std::nullopt, std::nullopt);
        QVERIFY(!f.vm->activeApp() && !f.vm->activeRunningApp());
        // An application the catalogue does not know: every application is listed.
        f.vm->setSearchText("");
        f.vm->setActiveApp(running("org.unknown"), std::nullopt);
        QVERIFY(!f.vm->activeApp());
        QCOMPARE(f.vm->activeRunningApp()->bundleIdentifier, QString("org.unknown"));
        QCOMPARE(f.sectionIds(), (QStringList{"browser", "editor", "notes"}));
    }

    void installedFilter()
    {
        PanelFixture f(catalogue());
        f.favorites->toggle(entryId("notes", "General", "New note"));
        f.preferences->setOnlyInstalledApps(true);
        f.workspace.installed = {"org.editor"};
        f.vm->setActiveApp(running("org.browser"), std::nullopt);
        // Browser is frontmost though not installed; Notes has no identifier, yet its favourite shows.
        QCOMPARE(f.sectionIds(), (QStringList{"__favorites__", "browser", "editor"}));
        f.vm->setSearchText("new");
        f.vm->setSearchText("ne");
        f.workspace.installed = {};
        f.vm->setSearchText("n");
        // Asked once per identifier; a later change of the desktop is not seen.
        QCOMPARE(f.workspace.installedQueries.value("org.editor"), 1);
        QVERIFY(!f.workspace.installedQueries.contains("org.browser"));
        QCOMPARE(f.sectionIds(), (QStringList{"browser", "editor"}));

        // An application counts as installed under any of its identifiers: Debian installs Firefox
        // as "firefox-esr" while the catalogue's bundle id is "firefox", or the other way round.
        AppShortcuts firefox = makeApp("firefox", "Firefox", QString("firefox"), {{"Tabs", {"New tab"}}});
        firefox.aliases = QStringList{"firefox-esr", "org.mozilla.firefox"};
        AppShortcuts other = makeApp("other", "Other", QString("org.other"), {{"General", {"Quit"}}});
        PanelFixture g({firefox, other});
        g.preferences->setOnlyInstalledApps(true);
        g.workspace.installed = {"firefox-esr"};
        g.vm->rebuild(true);
        QCOMPARE(g.sectionIds(), QStringList{"firefox"});
    }

    void sameSlugTwiceGetsTwoSections()
    {
        QList<AppShortcuts> apps{makeApp("dup", "A", QString("org.a"), {{"S", {"One"}}}),
                                 makeApp("dup", "B", QString("org.b"), {{"S", {"Two"}}}),
                                 makeApp("other", "C", std::nullopt, {{"S", {"Three"}}})};
        PanelFixture f(apps);
        f.vm->rebuild(true);
        QCOMPARE(f.sectionIds(), (QStringList{"dup", "dup", "other"}));
        QCOMPARE(f.rowTitles(), (QStringList{"Two", "Two", "Three"}));
        f.vm->setActiveApp(running("org.a"), std::nullopt);
        QCOMPARE(f.sectionIds(), (QStringList{"dup", "other"}));
    }

    void notificationsOnEveryAssignment()
    {
        PanelFixture f(catalogue());
        QSignalSpy search(f.vm.get(), &PanelViewModel::searchTextChanged);
        QSignalSpy sections(f.vm.get(), &PanelViewModel::sectionsChanged);
        QSignalSpy selection(f.vm.get(), &PanelViewModel::selectionIndexChanged);
        f.vm->setSearchText("");
        f.vm->setSearchText("");
        QCOMPARE(search.count(), 2);
        QCOMPARE(sections.count(), 2);
        QCOMPARE(selection.count(), 2);
        f.vm->moveSelection(-1);  // already on the first row: still notifies
        QCOMPARE(selection.count(), 3);
        QCOMPARE(f.vm->selectionIndex(), 0);
        f.vm->moveSelection(std::numeric_limits<qint64>::max());
        QCOMPARE(f.vm->selectionIndex(), f.vm->navigable().size() - 1);
        f.vm->moveSelection(1);
        QCOMPARE(f.selectedTitle(), "New note");
        f.vm->setSearchText("zzz");
        selection.clear();
        f.vm->moveSelection(1);  // no rows: nothing happens
        QCOMPARE(selection.count(), 0);
    }

    void selectionClampsAfterRebuild()
    {
        QStringList ten;
        for (int i = 0; i < 10; ++i)
            ten << QString("Row %1").arg(i);
        PanelFixture f({makeApp("a", "A", std::nullopt, {{"S", ten}})});
        f.vm->rebuild(true);
        f.vm->moveSelection(7);
        f.vm->rebuild(false);
        QCOMPARE(f.vm->selectionIndex(), 7);
        f.vm->setCollapsed({"a"});
        QCOMPARE(f.vm->selectionIndex(), 0);
        QVERIFY(!f.vm->selectionKey() && !f.vm->selectedEntry());
        QCOMPARE(f.vm->sections().size(), 1);  // collapsed, still listed

        PanelFixture g({makeApp("a", "A", std::nullopt, {{"S", ten}})});
        g.vm->rebuild(true);
        g.vm->moveSelection(7);
        g.vm->setSearchText("row 1");  // resets to the first row
        QCOMPARE(g.vm->selectionIndex(), 0);
        g.vm->moveSelection(7);
        g.vm->rebuild(false);
        QCOMPARE(g.vm->selectionIndex(), 0);
        g.vm->moveSelection(1000);
        QCOMPARE(g.vm->selectionIndex(), 0);
        g.vm->moveSelection(std::numeric_limits<qint64>::min());
        QCOMPARE(g.vm->selectionIndex(), 0);
    }

    void favoriteToggleKeepsTheSelectedRow()
    {
        PanelFixture f(catalogue());
        f.vm->setActiveApp(running("org.editor"), std::nullopt);
        f.select("Paste");
        QCOMPARE(f.vm->selectionIndex(), 1);
        f.toggleFavorite(f.vm->selectedEntry()->id());
        QCOMPARE(f.selectedTitle(), "Paste");
        QCOMPARE(f.vm->selectionIndex(), 2);
        QCOMPARE(*f.vm->selectionKey(), "editor#editor|Edit|Paste|");

        // With the Favourites section collapsed the index does not grow.
        f.vm->setCollapsed({"__favorites__"});
        QCOMPARE(f.vm->selectionIndex(), 1);
        f.vm->setCollapsed({});

        // Unmarking the only favourite while it is selected in Favourites: same index, next row.
        f.vm->moveSelection(-100);
        QCOMPARE(*f.vm->selectionKey(), "__favorites__#editor|Edit|Paste|");
        f.toggleFavorite(f.vm->selectedEntry()->id());
        QCOMPARE(f.vm->selectionIndex(), 0);
        QCOMPARE(f.sectionIds().first(), "editor");
        QCOMPARE(f.selectedTitle(), "Copy");

        // While searching only the star changes; the row stays selected.
        f.vm->setSearchText("copy");
        f.vm->moveSelection(1);
        f.toggleFavorite(f.vm->selectedEntry()->id());
        QCOMPARE(f.selectedTitle(), "Copy and paste");
        QCOMPARE(f.vm->selectionIndex(), 1);
    }

    void collapsingKeepsOrMovesTheSelection()
    {
        // Three rows, the third selected; collapsing the section of the first two keeps that row.
        PanelFixture f({makeApp("a", "A", std::nullopt, {{"S", {"One", "Two"}}}),
                        makeApp("b", "B", std::nullopt, {{"S", {"Three"}}})});
        f.vm->rebuild(true);
        f.vm->moveSelection(2);
        f.vm->toggleCollapsed("a");
        QCOMPARE(f.vm->selectionIndex(), 0);
        QCOMPARE(f.selectedTitle(), "Three");
        f.vm->toggleCollapsed("a");
        QCOMPARE(f.selectedTitle(), "Three");
        QCOMPARE(f.vm->selectionIndex(), 2);
        // Collapsing the section that holds the selection: the row that moves up takes its place.
        f.vm->moveSelection(-2);
        f.vm->toggleCollapsed("a");
        QCOMPARE(f.selectedTitle(), "Three");

        // A, B, C in one section with B selected: collapse leaves nothing, expanding selects A.
        PanelFixture g({makeApp("x", "X", std::nullopt, {{"S", {"A", "B", "C"}}})});
        g.vm->rebuild(true);
        g.vm->moveSelection(1);
        g.vm->toggleCollapsed("x");
        QVERIFY(g.vm->navigable().isEmpty());
        QCOMPARE(g.vm->selectionIndex(), 0);
        g.vm->toggleCollapsed("x");
        QCOMPARE(g.selectedTitle(), "A");

        // Unknown ids only change the set; collapsed ids survive searches and come back into force.
        g.vm->toggleCollapsed("nowhere");
        QCOMPARE(g.vm->navigable().size(), 3);
        g.vm->toggleCollapsed("x");
        g.vm->setSearchText("b");
        QCOMPARE(g.sectionIds(), QStringList{"x"});
        QVERIFY(g.vm->navigable().isEmpty());
        QVERIFY(g.vm->collapsed().contains("nowhere"));
    }

    void emptyCatalogue()
    {
        PanelFixture f({});
        f.vm->setActiveApp(running("org.editor"), std::nullopt);
        QVERIFY(f.vm->sections().isEmpty());
        QCOMPARE(f.vm->selectionIndex(), 0);
        f.vm->moveSelection(1);
        f.vm->refreshKeepingSelection();
        QCOMPARE(f.vm->selectionIndex(), 0);
    }
};

QTEST_GUILESS_MAIN(TestPanelViewModel)
#include "tst_panelviewmodel.moc"
