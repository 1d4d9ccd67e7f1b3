#include "TestSupport.h"
#include "catalogue/AppShortcutsDecoder.h"
#include "catalogue/ShortcutStore.h"
#include "services/SystemLog.h"

#include <QTest>

#include <QScopeGuard>

#include <atomic>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

const QString copySection = QStringLiteral(R"([{"title":"Edit","shortcuts":[{"title":"Copy","key":"cmd+c"}]}])");

QByteArray keymapsFile(const QString &slug, const QString &keymaps)
{
    return QStringLiteral(R"({"name":"%1","slug":"%1","keymaps":[%2]})").arg(slug, keymaps).toUtf8();
}

QString keymap(const QString &title, const QString &platforms)
{
    return QStringLiteral(R"({"title":"%1",%2"sections":[{"title":"S","shortcuts":[{"title":"%1"}]}]})")
        .arg(title, platforms.isEmpty() ? QString() : QStringLiteral("\"platforms\":%1,").arg(platforms));
}

QStringList titles(const ShortcutStore &store, const QString &slug)
{
    QStringList result;
    for (const ShortcutEntry &entry : store.entriesByApp().value(slug))
        result << entry.title();
    return result;
}

QStringList names(const QList<AppShortcuts> &apps)
{
    QStringList result;
    for (const AppShortcuts &app : apps)
        result << app.name;
    return result;
}

} // namespace

class TestShortcutStore : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A missing folder is said once per load; a path that is not a folder is empty without a word.
    void missingOrUnlistableFolder()
    {
        DataFolder folder;
        folder.write("notafolder", "x");
        SystemLog::Capture log;
        ShortcutStore absent(std::nullopt, "linux");
        absent.load();
        ShortcutStore gone("/nonexistent/ShortcutData", "linux");
        gone.load();
        ShortcutStore unlistable(folder.file("notafolder"), "linux");
        unlistable.load();
        QCOMPARE(log.lines(), QStringList(2, "Corvane: ShortcutData folder not found in bundle"));
        QVERIFY(gone.apps().isEmpty() && gone.orderedApps().isEmpty() && gone.entriesByApp().isEmpty());
        QVERIFY(unlistable.apps().isEmpty());
    }

    void selectsFilesByExactExtension()
    {
        DataFolder folder;
        const QByteArray good = appJson("a", "A", copySection);
        folder.write("a.json", good);
        folder.write(".draft.json", appJson("draft", "Draft", copySection));
        folder.write("b.JSON", appJson("b", "B", copySection));
        folder.write("c.json.bak", appJson("c", "C", copySection));
        folder.write("json", appJson("d", "D", copySection));
        folder.write("broken.json", "{\"name\":");
        QVERIFY(QDir(folder.path()).mkpath("x.json"));
        QVERIFY(QDir(folder.path()).mkpath("sub"));
        QFile::copy(folder.file("a.json"), folder.file("sub/e.json"));

        SystemLog::Capture log;
        ShortcutStore store(folder.path(), "linux");
        store.load();
        QStringList slugs;
        for (const AppShortcuts &app : store.apps())
            slugs << app.slug;
        slugs.sort();
        QCOMPARE(slugs, (QStringList{"a", "draft"}));
        QStringList lines = log.lines();
        lines.sort();
        QCOMPARE(lines, (QStringList{"Corvane: failed to decode broken.json", "Corvane: failed to decode x.json"}));
    }

    // Names are only bytes to the file system: one that is not valid UTF-8 still names a data file by
    // its extension, and no name can break or forge a log line.
    void fileNamesOfAnyBytes()
    {
        DataFolder folder;
        // QTemporaryDir cannot list these names either: remove them by their bytes.
        QList<QByteArray> raw;
        const auto removeRaw = qScopeGuard([&] {
            for (const QByteArray &name : std::as_const(raw))
                ::unlink((QFile::encodeName(folder.path()) + '/' + name).constData());
        });
        const auto writeRaw = [&folder, &raw](const QByteArray &name, const QByteArray &content) {
            raw << name;
            QFile file;
            const int fd = ::open((QFile::encodeName(folder.path()) + '/' + name).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            QVERIFY(fd >= 0 && file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle));
            file.write(content);
        };
        writeRaw("caf\xe9.json", appJson("latin", "Latin", copySection));
        writeRaw("bad\xff\xfe.json", "{\"name\":");
        writeRaw("ignored\xff.txt", "{\"name\":");
        folder.write("evil\nCorvane: forged\x1b[2K.json", "{");

        SystemLog::Capture log;
        ShortcutStore store(folder.path(), "linux");
        store.load();
        QCOMPARE(names(store.apps()), QStringList{"Latin"});
        QStringList lines = log.lines();
        lines.sort();
        QCOMPARE(lines, (QStringList{"Corvane: failed to decode bad\\xff\\xfe.json",
                                     "Corvane: failed to decode evil\\nCorvane: forged\\x1b[2K.json"}));
        QCOMPARE(store.failedFiles().size(), 2);
    }

    void choosesKeymapsForThePlatform()
    {
        const QList<std::tuple<QString, QString, QStringList>> cases{
            {"macos", keymap("W", R"(["windows"])"), {"W"}},                                     // none qualifies: all
            {"macos", keymap("M", R"(["macos"])") + "," + keymap("Any", ""), {"M", "Any"}},      // file order
            {"macos", keymap("Cap", R"(["macOS"])") + "," + keymap("Any", ""), {"Any"}},         // case-sensitive
            {"macos", keymap("Empty", "[]") + "," + keymap("M", R"(["linux","macos"])"), {"M"}}, // empty list not taken
            {"linux", keymap("Empty", "[]"), {"Empty"}},                                         // unless it is all there is
            {"linux", keymap("M", R"(["macos"])") + "," + keymap("L", R"(["linux"])"), {"L"}},
        };
        for (const auto &[platform, keymaps, expected] : cases) {
            ShortcutStore store(std::nullopt, platform);
            AppShortcutsDecoder decoder;
            auto app = decoder.decode(keymapsFile("app", keymaps)).app;
            QVERIFY(app);
            store.load({*app});
            QCOMPARE(titles(store, "app"), expected);
        }
    }

    void buildsEntries()
    {
        AppShortcutsDecoder decoder;
        auto app = decoder.decode(appJson("editor", "Text Editor",
            R"([{"title":"Edit","shortcuts":[{"title":"Copy","key":"cmd+c","comment":"Copies the selection"},
                                             {"title":"Copy"},{"title":"Blank","key":""},
                                             {"title":"A|B","key":"ctrl+x ctrl+s"}]}])",
            R"("bundleId":"ab.cd.Editor","icon":"icons/editor.png")")).app;
        QVERIFY(app);
        ShortcutStore store(std::nullopt, "macos");
        store.load({*app});
        const auto entries = store.entriesByApp().value("editor");
        QCOMPARE(entries.size(), 4);
        QCOMPARE(entries[0].id(), "editor|Edit|Copy|cmd+c");
        QCOMPARE(entries[0].searchText().toString(), "copy text editor edit cmd+c copies the selection");
        QCOMPARE(entries[0].keyGroups(), (KeyGroups{{QStringLiteral("\u2318"), "C"}}));
        QCOMPARE(*entries[0].bundleId(), "ab.cd.Editor");
        QCOMPARE(*entries[0].iconFile(), "editor.png");
        QCOMPARE(entries[1].id(), "editor|Edit|Copy|");
        QCOMPARE(entries[1].searchText().toString(), "copy text editor edit  ");
        QVERIFY(entries[1].keyGroups().isEmpty() && !entries[1].rawKey());
        QVERIFY(entries[2].rawKey() && entries[2].keyGroups().isEmpty());
        QCOMPARE(entries[3].id(), "editor|Edit|A|B|ctrl+x ctrl+s");
        QCOMPARE(entries[3].keyGroups().size(), 2);

        // Identity is the id alone.
        QVERIFY(entries[0] != entries[1]);
        QVERIFY(entries[0] == ShortcutEntry(std::make_shared<ShortcutEntry::AppInfo>(ShortcutEntry::AppInfo{"editor", "Other", {}, {}}),
                                            "Edit", "Copy", QString("cmd+c"), std::nullopt));
        QCOMPARE(qHash(entries[0]), qHash(entries[0].id()));
    }

    // Comment, action and customisation live in extras that copies share: a change made through
    // one copy (the user's bindings are applied to a copy of the shipped records) must not reach the
    // other, and a shortcut whose rare fields are all cleared holds no extras.
    void rareFieldsAreCopiedOnWrite()
    {
        RawShortcut shipped("Quit", QString("ctrl+q"), QString("Asks first"), QString("app.quit"));
        RawShortcut edited = shipped;
        auto custom = std::make_shared<Customisation>();
        custom->origin = "test";
        edited.setCustomisation(custom);
        edited.setComment(std::nullopt);
        QCOMPARE(shipped.comment(), QString("Asks first"));
        QVERIFY(!shipped.customisation());
        QCOMPARE(edited.action(), QString("app.quit"));
        QCOMPARE(edited.customisation()->origin, "test");
        QVERIFY(!edited.comment());

        edited.setAction(std::nullopt);
        edited.setCustomisation(nullptr);
        QVERIFY(!edited.hasExtras());
        QVERIFY(shipped.hasExtras() && !RawShortcut("Plain", std::nullopt).hasExtras());
    }

    // Keys are parsed when first asked for, into a cache all entries of a catalogue share; rows
    // may be asked for from several threads at once.
    void keysParsedOnDemandFromAnyThread()
    {
        AppShortcuts app;
        app.name = "App";
        app.slug = "app";
        ShortcutSection section{"S", {}};
        for (int i = 0; i < 400; ++i)
            section.shortcuts.append(RawShortcut(QString::number(i), QString("ctrl+%1 alt+%2").arg(i % 50).arg(i % 7)));
        app.keymaps = {Keymap{"k", std::nullopt, {section}}};
        ShortcutStore store(std::nullopt, "linux");
        store.load({app});
        const QList<ShortcutEntry> entries = store.entriesByApp().value("app");
        std::atomic<int> wrong{0};
        std::vector<std::thread> threads;
        for (int t = 0; t < 4; ++t) {
            threads.emplace_back([&entries, &wrong, t] {
                for (qsizetype i = 0; i < entries.size(); ++i) {
                    const ShortcutEntry &entry = entries[(i * 7 + t * 101) % entries.size()];
                    if (entry.keyGroups() != KeyNotation::parseKeyGroups(*entry.rawKey()))
                        ++wrong;
                }
            });
        }
        for (std::thread &thread : threads)
            thread.join();
        QCOMPARE(wrong.load(), 0);
        // Equal key texts share one parse.
        QCOMPARE(&entries[0].keyGroups(), &entries[350].keyGroups());
    }

    void lowerCasesWithUnicodeRules()
    {
        ShortcutStore store(std::nullopt, "linux");
        AppShortcuts app;
        app.name = QStringLiteral("\u00C9DITEUR");
        app.slug = "e";
        app.bundleId = QStringLiteral("ORG.\u00C9DITEUR");
        app.keymaps = {Keymap{"k", std::nullopt, {ShortcutSection{"S", {RawShortcut{"\u00C7A", std::nullopt, std::nullopt}}}}}};
        store.load({app});
        QCOMPARE(store.entriesByApp().value("e").first().searchText().toString(), QStringLiteral("\u00E7a \u00E9diteur s  "));
        QVERIFY(store.appForBundleId(QStringLiteral("org.\u00E9diteur")));
    }

    void indexesApplications()
    {
        AppShortcutsDecoder decoder;
        QList<AppShortcuts> apps;
        for (const QByteArray &json : {
                 appJson("beta", "beta", copySection, R"("bundleId":"org.beta")"),
                 appJson("upper", "Alpha", copySection, R"("bundleId":"ab.cd.Editor","aliases":["Editor-Flatpak","editor"])"),
                 appJson("lower", "alpha", copySection),
                 appJson("empty", "Empty", "[]", R"("bundleId":"org.empty")"),
                 appJson("nokeys", "No keymaps", "[]")}) {
            auto app = decoder.decode(json).app;
            QVERIFY(app);
            apps << *app;
        }
        apps.last().keymaps.clear();
        ShortcutStore store(std::nullopt, "linux");
        store.load(apps);

        QCOMPARE(store.apps().size(), 5);
        QCOMPARE(names(store.orderedApps()), (QStringList{"Alpha", "alpha", "beta"}));
        QVERIFY(!store.entriesByApp().contains("empty") && !store.entriesByApp().contains("nokeys"));
        QVERIFY(!store.appForBundleId(QString("org.empty")));
        QCOMPARE(store.appForBundleId(QString("AB.CD.EDITOR"))->slug, "upper");
        QCOMPARE(store.appForBundleId(QString("editor-flatpak"))->slug, "upper");
        QCOMPARE(store.appForBundleId(QString("EDITOR"))->slug, "upper");
        QVERIFY(!store.appForBundleId(std::nullopt));
        QVERIFY(!store.appForBundleId(QString("org.unknown")));
    }

    void sameSlugTwice()
    {
        AppShortcutsDecoder decoder;
        auto first = decoder.decode(appJson("dup", "First", copySection, R"("bundleId":"org.dup")")).app;
        auto second = decoder.decode(appJson("dup", "Second",
            R"([{"title":"Other","shortcuts":[{"title":"Paste","key":"cmd+v"}]}])")).app;
        ShortcutStore store(std::nullopt, "linux");
        store.load({*first, *second});
        QCOMPARE(names(store.orderedApps()), (QStringList{"First", "Second"}));
        QCOMPARE(titles(store, "dup"), QStringList{"Paste"});
        QCOMPARE(store.appForBundleId(QString("ORG.DUP"))->name, "First");
    }

    void lastPathComponent()
    {
        QCOMPARE(ShortcutStore::lastPathComponent("a/b/c.png"), "c.png");
        QCOMPARE(ShortcutStore::lastPathComponent("c.png"), "c.png");
        QCOMPARE(ShortcutStore::lastPathComponent("dir/"), "dir");
        QCOMPARE(ShortcutStore::lastPathComponent("/"), "/");
        QCOMPARE(ShortcutStore::lastPathComponent(""), "");
    }
};

QTEST_APPLESS_MAIN(TestShortcutStore)
#include "tst_shortcutstore.moc"
