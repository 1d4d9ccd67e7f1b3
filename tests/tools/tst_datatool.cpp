#include "DataTool.h"
#include "TestSupport.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

namespace {

struct Run {
    int code = 0;
    QString out;
    QString err;
};

Run runTool(const QStringList &args)
{
    Run run;
    QTextStream out(&run.out);
    QTextStream err(&run.err);
    run.code = DataTool(out, err).run(args);
    return run;
}

const QByteArray editorJson = R"({"bundleId":"ab.cd.Editor","name":"Text Editor","slug":"editor","keymaps":[
  {"title":"Mac","platforms":["macos"],"sections":[{"title":"Edit","shortcuts":[
    {"title":"Copy","key":"cmd+c","comment":"Copies the selection"},{"title":"Copy","comment":"Menu only"}]}]},
  {"title":"Linux","platforms":["linux"],"sections":[{"title":"Edit","shortcuts":[
    {"title":"Save then quit","key":"ctrl+x ctrl+s"}]}]}]})";

} // namespace

class TestDataTool : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void checkGivesVerdictsAndExitCode()
    {
        DataFolder folder;
        folder.write("editor.json", editorJson);
        folder.write("bad.json", R"({"name":"n","slug":"s","keymaps":[{"title":"t","sections":[{"title":"s","shortcuts":[{"title":7}]}]}]})");
        folder.write("ignored.txt", "not a data file");

        Run run = runTool({"check", folder.path()});
        QCOMPARE(run.code, 1);
        QVERIFY2(run.out.contains("ok " + folder.file("editor.json") + "\n"), qPrintable(run.out));
        QVERIFY2(run.out.contains("fail " + folder.file("bad.json") + ": $.keymaps[0].sections[0].shortcuts[0].title: expected a string, found number\n"),
                 qPrintable(run.out));
        QVERIFY(!run.out.contains("ignored.txt"));

        run = runTool({"check", folder.file("editor.json")});
        QCOMPARE(run.code, 0);
        QVERIFY(run.out.startsWith("ok "));
    }

    void checkWarnsAboutAuthoringMistakes()
    {
        DataFolder folder;
        folder.write("a.json", R"({"name":"A","slug":"a","bundleId":"org.a","keymaps":[{"title":"k","sections":[
            {"title":"Empty","shortcuts":[]},
            {"title":"S","shortcuts":[{"title":"Go","key":"ctl+g"},{"title":"Go","key":"ctl+g"},
                                      {"title":"Plus","key":"ctrl++"},{"title":"Fine","key":"ctrl+shift+f5 numpad5 insert"}]}]}]})");
        folder.write("b.json", R"({"name":"B","slug":"a","bundleId":"ORG.A","keymaps":[]})");
        const Run run = runTool({"check", folder.path()});
        QCOMPARE(run.code, 0);
        QVERIFY(run.out.contains("section \"Empty\" has no shortcuts"));
        QVERIFY(run.out.contains("unknown key \"ctl\""));
        QVERIFY(run.out.contains("duplicate shortcut id \"a|S|Go|ctl+g\""));
        QVERIFY(run.out.contains("write \\\"plus\\\"") || run.out.contains("write \"plus\""));
        QVERIFY(!run.out.contains("Fine"));
        QVERIFY(run.out.contains("slug \"a\" is also used"));
        QVERIFY(run.out.contains("identifier \"ORG.A\" is also claimed"));
        QCOMPARE(runTool({"check", "--strict", folder.path()}).code, 1);
    }

    void entriesReproduceTheCatalogue()
    {
        DataFolder folder;
        folder.write("editor.json", editorJson);
        const Run run = runTool({"entries", folder.path(), "--platform", "macos"});
        QCOMPARE(run.code, 0);
        const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        const QJsonObject first = QJsonDocument::fromJson(lines[0].toUtf8()).object();
        QCOMPARE(first["id"].toString(), "editor|Edit|Copy|cmd+c");
        QCOMPARE(first["searchText"].toString(), "copy text editor edit cmd+c copies the selection");
        QCOMPARE(first["keyGroups"].toArray(), QJsonArray({QJsonArray({QStringLiteral("\u2318"), "C"})}));
        QCOMPARE(first["bundleId"].toString(), "ab.cd.Editor");
        const QJsonObject second = QJsonDocument::fromJson(lines[1].toUtf8()).object();
        QCOMPARE(second["id"].toString(), "editor|Edit|Copy|");
        QVERIFY(second["rawKey"].isNull());
        QCOMPARE(second["keyGroups"].toArray(), QJsonArray());
        QCOMPARE(second["searchText"].toString(), "copy text editor edit  menu only");

        const Run linux = runTool({"entries", folder.file("editor.json"), "--platform", "linux"});
        const QJsonObject only = QJsonDocument::fromJson(linux.out.toUtf8()).object();
        QCOMPARE(only["keyGroups"].toArray().size(), 2);
        QCOMPARE(only["keyGroups"].toArray()[0], QJsonArray({QStringLiteral("\u2303"), "X"}));
        // In words, as the Linux panel shows them; everything else as before.
        const Run words = runTool({"entries", folder.file("editor.json"), "--labels", "words", "--platform", "linux"});
        const QJsonObject worded = QJsonDocument::fromJson(words.out.toUtf8()).object();
        QCOMPARE(worded["keyGroups"].toArray(), QJsonArray({QJsonArray({"Ctrl", "X"}), QJsonArray({"Ctrl", "S"})}));
        QCOMPARE(worded["id"], only["id"]);
        QCOMPARE(worded["searchText"], only["searchText"]);
    }

    void statsCountsAndNamesFailures()
    {
        DataFolder folder;
        folder.write("editor.json", editorJson);
        folder.write("broken.json", "{");
        const Run run = runTool({"stats", folder.path(), "--platform", "macos"});
        QCOMPARE(run.code, 1);
        QVERIFY(run.out.contains("total: 1 applications, 2 shortcuts on macos"));
        QVERIFY(run.out.contains("failed: broken.json"));
    }

    void panelPreviewsSectionsAndSelection()
    {
        DataFolder folder;
        folder.write("editor.json", editorJson);
        folder.write("notes.json", R"({"name":"Notes","slug":"notes","bundleId":"org.notes","keymaps":[{"title":"k","sections":[
            {"title":"General","shortcuts":[{"title":"New note","key":"ctrl+n"},{"title":"Copy note"}]}]}]})");
        Run run = runTool({"panel", folder.path(), "--platform", "macos", "--active", "AB.CD.EDITOR",
                           "--favorites", "notes|General|New note|ctrl+n", "--collapse", "notes"});
        QCOMPARE(run.code, 0);
        QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 4);
        QCOMPARE(QJsonDocument::fromJson(lines[0].toUtf8())["id"].toString(), "__favorites__");
        const QJsonObject editor = QJsonDocument::fromJson(lines[1].toUtf8()).object();
        QCOMPARE(editor["id"].toString(), "editor");
        QVERIFY(editor["isActive"].toBool());
        QCOMPARE(editor["entries"].toArray().size(), 2);
        QVERIFY(QJsonDocument::fromJson(lines[2].toUtf8())["collapsed"].toBool());
        const QJsonObject nav = QJsonDocument::fromJson(lines[3].toUtf8()).object();
        QCOMPARE(nav["navigable"].toArray().first().toString(), "__favorites__#notes|General|New note|ctrl+n");
        QCOMPARE(nav["navigable"].toArray().size(), 3);
        QCOMPARE(nav["selectionIndex"].toInt(), 0);

        run = runTool({"panel", folder.path(), "--search", "copy", "--only-installed", "--installed", "org.notes"});
        lines = run.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        QCOMPARE(QJsonDocument::fromJson(lines[0].toUtf8())["entries"].toArray(), QJsonArray{"notes|General|Copy note|"});
        QCOMPARE(runTool({"panel", folder.path(), "--search"}).code, 2);
    }

    // The catalogue as the program shows it with the user's key bindings, read from the folders the
    // environment names (GSettings on its memory backend: nothing of this machine's settings).
    void userBindingsMarkCustomisedEntries()
    {
        DataFolder folder;
        folder.write("code.json", R"({"name":"Code","slug":"vscode","bundleId":"code","keymaps":[{"title":"k","sections":[
            {"title":"General","shortcuts":[{"title":"Quick open","key":"ctrl+p","action":"workbench.action.quickOpen"},
                                             {"title":"Save","key":"ctrl+s","action":"workbench.action.files.save"}]}]}]})");
        DataFolder home;
        QVERIFY(QDir(home.path()).mkpath("config/Code/User"));
        home.write("config/Code/User/keybindings.json",
                   "// mine\n[{\"key\": \"ctrl+alt+p\", \"command\": \"workbench.action.quickOpen\"},\n"
                   " {\"key\": \"ctrl+p\", \"command\": \"-workbench.action.quickOpen\"},]\n");
        qputenv("HOME", home.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
        qputenv("XDG_DATA_HOME", (home.path() + "/data").toUtf8());
        qputenv("GSETTINGS_BACKEND", "memory");

        Run run = runTool({"entries", folder.path(), "--user-bindings"});
        QCOMPARE(run.code, 0);
        QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        const QJsonObject quickOpen = QJsonDocument::fromJson(lines[0].toUtf8()).object();
        QCOMPARE(quickOpen["rawKey"].toString(), "ctrl+alt+p");
        QVERIFY(quickOpen["customised"].toBool());
        QCOMPARE(quickOpen["origin"].toString(), home.path() + "/config/Code/User/keybindings.json");
        QCOMPARE(quickOpen["action"].toString(), "workbench.action.quickOpen");
        QVERIFY(!QJsonDocument::fromJson(lines[1].toUtf8()).object().contains("customised"));
        // Without the switch, the data file's keys.
        QVERIFY(runTool({"entries", folder.path()}).out.contains("\"rawKey\":\"ctrl+p\""));

        run = runTool({"panel", folder.path(), "--user-bindings", "--search", "quick"});
        lines = run.out.split('\n', Qt::SkipEmptyParts);
        const QJsonArray customised = QJsonDocument::fromJson(lines[0].toUtf8())["customised"].toArray();
        QCOMPARE(customised.size(), 1);
        QCOMPARE(customised[0]["rawKey"].toString(), "ctrl+alt+p");
        QVERIFY(customised[0]["customised"].toBool());
    }

    void badArgumentsGiveUsage()
    {
        const QList<QStringList> bad{{},
                                     {"frobnicate"},
                                     {"check"},
                                     {"check", "--fast", "x"},
                                     {"entries", "x", "--platform"},
                                     {"stats", "x", "y"},
                                     {"entries", "x", "--labels", "glyphs"},
                                     {"entries", "x", "--labels"}};
        for (const QStringList &args : bad) {
            const Run run = runTool(args);
            QVERIFY2(run.code == 2 && run.err.contains("Usage:"), qPrintable(args.join(' ')));
        }
    }
};

QTEST_GUILESS_MAIN(TestDataTool)
#include "tst_datatool.moc"
