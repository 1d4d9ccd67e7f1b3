#include "TestSupport.h"
#include "catalogue/AppShortcutsDecoder.h"

#include <QTest>

#include <sys/stat.h>

class TestDecoder : public QObject {
    Q_OBJECT

    AppShortcutsDecoder decoder;

    AppShortcutsDecoder::Result decode(const QByteArray &json) { return decoder.decode(json); }

private Q_SLOTS:
    void acceptsUnknownKeysAndNullOptionals()
    {
        const auto result = decode(R"({"url":"x","name":"Editor","slug":"editor","bundleId":null,"icon":"a/b.png",
            "keymaps":[{"title":"Mac","os":1,"platforms":null,"sections":[{"title":"Edit","extra":[],
              "shortcuts":[{"title":"Copy","key":"cmd+c","os":"mac"},{"title":"Only title"},
                           {"title":"Null key","key":null,"comment":null}]}]}]})");
        QVERIFY2(result.app, qPrintable(result.error));
        const AppShortcuts &app = *result.app;
        QCOMPARE(app.name, "Editor");
        QVERIFY(!app.bundleId);
        QCOMPARE(*app.icon, "a/b.png");
        QVERIFY(!app.keymaps[0].platforms);
        const auto &shortcuts = app.keymaps[0].sections[0].shortcuts;
        QCOMPARE(shortcuts.size(), 3);
        QCOMPARE(*shortcuts[0].key(), "cmd+c");
        QVERIFY(!shortcuts[1].hasKey() && !shortcuts[1].hasComment());
        QVERIFY(!shortcuts[2].hasKey() && !shortcuts[2].hasComment());
    }

    void keepsValuesAsWritten()
    {
        const auto result = decode(R"({"name":" A ","slug":"a","aliases":["X.Y","x.y"],"keymaps":[
            {"title":"t","platforms":[],"sections":[]},
            {"title":"t","platforms":["macos","macos"],"sections":[{"title":"","shortcuts":[]}]}]})");
        QVERIFY2(result.app, qPrintable(result.error));
        QCOMPARE(result.app->name, " A ");
        QCOMPARE(*result.app->aliases, (QStringList{"X.Y", "x.y"}));
        QVERIFY(!result.app->terminal);
        QCOMPARE(decode(R"({"name":"n","slug":"s","terminal":false,"keymaps":[]})").app->terminal, false);
        QCOMPARE(decode(R"({"name":"n","slug":"s","terminal":true,"keymaps":[]})").app->terminal, true);
        QCOMPARE(result.app->keymaps[0].platforms->size(), 0);
        QCOMPARE(*result.app->keymaps[1].platforms, (QStringList{"macos", "macos"}));
        QCOMPARE(decode(R"({"name":"n","slug":"s","keymaps":[]})").app->keymaps.size(), 0);
    }

    void escapesAndUnicode()
    {
        // JSON escapes, including a surrogate pair and NUL; moc cannot read raw strings with \" in them.
        const QByteArray json = "{\"name\":\"Caf\\u00e9 \\\"q\\\" \\ud83d\\ude00 \xe2\x98\x95\",\"slug\":\"s\\u0000\",\"keymaps\":[]}";
        const auto result = decode(json);
        QVERIFY2(result.app, qPrintable(result.error));
        QCOMPARE(result.app->name, QStringLiteral("Caf\u00e9 \"q\" \U0001F600 \u2615"));
        QCOMPARE(result.app->slug.size(), 2);
    }

    // Each file names the first place that does not conform: a wrong type, null where a value is
    // required, a missing member, a key in the wrong case, a top-level array, deep inside.
    void rejectsNonConformingFiles()
    {
        const QList<QPair<QByteArray, QString>> cases{
            {R"({"name":"n","slug":42,"keymaps":[]})", "$.slug"},
            {R"({"name":null,"slug":"s","keymaps":[]})", "$.name"},
            {R"({"name":"n","slug":"s"})", "$.keymaps"},
            {R"({"Name":"n","slug":"s","keymaps":[]})", "$.name"},
            {R"([{"name":"n","slug":"s","keymaps":[]}])", "$"},
            {R"({"name":"n","slug":"s","icon":1,"keymaps":[]})", "$.icon"},
            {R"({"name":"n","slug":"s","aliases":["a",1],"keymaps":[]})", "$.aliases[1]"},
            {R"({"name":"n","slug":"s","terminal":"yes","keymaps":[]})", "$.terminal"},
            {R"({"name":"n","slug":"s","terminal":1,"keymaps":[]})", "$.terminal"},
            {R"({"name":"n","slug":"s","aliases":"a","keymaps":[]})", "$.aliases"},
            {R"({"name":"n","slug":"s","keymaps":[{"title":"t","platforms":[null],"sections":[]}]})",
             "$.keymaps[0].platforms[0]"},
            {R"({"name":"n","slug":"s","keymaps":[{"title":"ok","sections":[]},{"title":"t"}]})",
             "$.keymaps[1].sections"},
            {R"({"name":"n","slug":"s","keymaps":[{"title":"k","sections":[{"title":"s","shortcuts":[{"title":"a"},{"title":null}]}]}]})",
             "$.keymaps[0].sections[0].shortcuts[1].title"},
            {R"({"name":"n","slug":"s","keymaps":[{"title":"k","sections":[{"title":"s","shortcuts":["a"]}]}]})",
             "$.keymaps[0].sections[0].shortcuts[0]"},
            {R"({"name":"n","slug":"s","keymaps":[{"title":"k","sections":[{"title":"s","shortcuts":[{"title":"a","key":true}]}]}]})",
             "$.keymaps[0].sections[0].shortcuts[0].key"},
        };
        for (const auto &[json, errorPath] : cases) {
            const auto result = decode(json);
            QVERIFY(!result.app);
            QVERIFY2(result.error.startsWith(errorPath + QStringLiteral(": ")), qPrintable(result.error));
        }
    }

    // What lenient readers let through must fail here.
    void rejectsInvalidJson()
    {
        const QByteArray head = R"({"slug":"s","keymaps":[],"name":)";
        const QByteArray tail = R"({"name":"n","slug":"s","keymaps":[])";
        const QList<QByteArray> invalid{
            head + "\"a\tb\"}", head + "\"a\nb\"}",                          // raw control characters
            tail + R"(,"x":01})", tail + R"(,"x":1.})", tail + R"(,"x":NaN})", // numbers
            tail + ",}", tail + " /* c */}", "{'name':'n','slug':'s','keymaps':[]}", tail + "} {}",
            R"({"name":"n","slug":"s","keymaps":[)", QByteArray(),
            head + "\"a\xff\"}", head + "\"\xc0\xaf\"}", head + "\"\xed\xa0\x80\"}", head + "\"\xe2\x98\"}", // bad UTF-8
            head + "\"\\x41\"}",                                                 // bad escape
        };
        for (const QByteArray &bytes : invalid) {
            const auto result = decode(bytes);
            QVERIFY2(!result.app, bytes.constData());
            QVERIFY2(result.error.startsWith(QStringLiteral("not valid JSON")), qPrintable(result.error));
        }
        // The decoder is reusable after failures of either kind.
        QVERIFY(decode(R"({"name":"n","slug":"s","keymaps":[]})").app);
    }

    void survivesHostileSizes()
    {
        // Deep nesting is refused by the parser's depth limit rather than overflowing the stack.
        const int depth = 100000;
        QByteArray deep = R"({"name":"n","slug":"s","keymaps":[],"x":)";
        deep += QByteArray(depth, '[') + QByteArray(depth, ']') + "}";
        QVERIFY(!decode(deep).app);

        // A 50 MB file decodes when it is valid and fails cleanly when it is cut short.
        QByteArray big = R"({"name":"n","slug":"s","keymaps":[{"title":"k","sections":[{"title":"s","shortcuts":[)";
        const QByteArray one = R"({"title":"Some shortcut title","key":"ctrl+shift+k","comment":"A comment"},)";
        while (big.size() < 50 * 1024 * 1024)
            big += one;
        big.chop(1);
        big += "]}]}]}";
        DataFolder folder;
        folder.write("big.json", big);
        const auto result = decoder.decodeFile(folder.file("big.json"));
        QVERIFY2(result.app, qPrintable(result.error));
        QVERIFY(result.app->keymaps[0].sections[0].shortcuts.size() > 500000);
        big.chop(3);
        QVERIFY(!decode(big).app);
    }

    void readsOnlyRegularFiles()
    {
        DataFolder folder;
        QVERIFY(QDir(folder.path()).mkdir("x.json"));
        QVERIFY(decoder.decodeFile(folder.file("x.json")).error.contains("directory"));
        QVERIFY(!decoder.decodeFile(folder.file("missing.json")).app);

        // A FIFO would block a reader forever; it is refused without being opened.
        QCOMPARE(mkfifo(QFile::encodeName(folder.file("pipe.json")).constData(), 0600), 0);
        QVERIFY(decoder.decodeFile(folder.file("pipe.json")).error.contains("not a regular file"));

        folder.write("locked.json", R"({"name":"n","slug":"s","keymaps":[]})");
        QFile::setPermissions(folder.file("locked.json"), QFileDevice::Permissions());
        if (QFile(folder.file("locked.json")).open(QIODevice::ReadOnly))
            QSKIP("running with privileges that ignore file permissions");
        QVERIFY(decoder.decodeFile(folder.file("locked.json")).error.startsWith("cannot read"));
    }
};

QTEST_APPLESS_MAIN(TestDecoder)
#include "tst_decoder.moc"
