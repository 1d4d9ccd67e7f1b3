// Shortcuts windows to sections, and the data files made of them.
#include "../../tools/corvane-data/CatalogueLint.h"
#include "catalogue/ActionAccelerators.h"
#include "catalogue/AppShortcutsDecoder.h"
#include "catalogue/AppShortcutsEncoder.h"
#include "catalogue/ShortcutsWindowReader.h"

#include <QTest>

namespace {

QByteArray window(const QByteArray &groups)
{
    return "<?xml version=\"1.0\"?><interface><object class=\"GtkShortcutsWindow\"><child>"
           "<object class=\"GtkShortcutsSection\"><property name=\"title\">Main</property>"
        + groups + "</object></child></object></interface>";
}

QByteArray group(const QByteArray &title, const QByteArray &rows)
{
    return "<child><object class=\"GtkShortcutsGroup\"><property name=\"title\">" + title + "</property>" + rows
        + "</object></child>";
}

QByteArray row(const QByteArray &title, const QByteArray &accelerator)
{
    return "<child><object class=\"GtkShortcutsShortcut\"><property name=\"title\">" + title
        + "</property><property name=\"accelerator\">" + accelerator + "</property></object></child>";
}

} // namespace

class TestShortcutsWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void windowBecomesSections()
    {
        const QByteArray xml = window(
            group("Tabs", row("New tab", "&lt;Primary&gt;t") + row("Close tab", "&lt;Primary&gt;w"))
            + group("Empty", "")
            + group("View", row("Zoom in", "&lt;ctrl&gt;plus &lt;ctrl&gt;KP_Add")
                                + "<child><object class=\"GtkShortcutsShortcut\"><property name=\"title\">Pinch</property>"
                                  "<property name=\"shortcut-type\">gesture-pinch</property></object></child>"
                                + row("Broken", "&lt;nope&gt;x") + row("", "&lt;ctrl&gt;u")
                                + row("New tab", "&lt;Primary&gt;t")));
        const auto result = ShortcutsWindowReader::read(xml);
        QVERIFY2(result.error.isEmpty(), qPrintable(result.error));
        QCOMPARE(result.sections.size(), 2);  // the empty group is left out
        QCOMPARE(result.sections[0].title, QStringLiteral("Tabs"));
        QCOMPARE(result.sections[0].shortcuts[1].key(), QStringLiteral("ctrl+w"));
        QCOMPARE(result.sections[1].title, QStringLiteral("View"));
        QCOMPARE(result.sections[1].shortcuts.size(), 3);  // zoom twice, and the title repeated from Tabs
        QCOMPARE(result.sections[1].shortcuts[1].key(), QStringLiteral("ctrl+numpadplus"));
        QCOMPARE(result.warnings.size(), 3);  // the gesture, the malformed one, the untitled one
        QVERIFY(result.warnings[0].contains(QLatin1String("gesture")));
        QVERIFY(result.warnings[1].contains(QLatin1String("malformed")));
    }

    void severalSectionsNameTheirGroupsAndLibadwaitaIsRead()
    {
        const QByteArray gtk =
            "<interface><template class=\"MyShortcuts\" parent=\"GtkShortcutsWindow\">"
            "<child><object class=\"GtkShortcutsSection\"><property name=\"title\">Editor</property>"
            + group("Files", row("Save", "&lt;ctrl&gt;s")) + "</object></child>"
            "<child><object class=\"GtkShortcutsSection\"><property name=\"title\">Terminal</property>"
            + group("Files", row("Copy", "&lt;ctrl&gt;&lt;shift&gt;c")) + "</object></child></template></interface>";
        auto result = ShortcutsWindowReader::read(gtk);
        QCOMPARE(result.sections.size(), 2);
        QCOMPARE(result.sections[0].title, QStringLiteral("Editor: Files"));
        QCOMPARE(result.sections[1].title, QStringLiteral("Terminal: Files"));

        const QByteArray adw =
            "<interface><object class=\"AdwShortcutsDialog\"><child><object class=\"AdwShortcutsSection\">"
            "<property name=\"title\">General</property><child><object class=\"AdwShortcutsItem\">"
            "<property name=\"title\">Quit</property><property name=\"accelerator\">&lt;ctrl&gt;q</property>"
            "</object></child><child><object class=\"AdwShortcutsItem\"><property name=\"title\">Open</property>"
            "<property name=\"action-name\">app.open</property></object></child></object></child></object></interface>";
        result = ShortcutsWindowReader::read(adw);
        QCOMPARE(result.sections.size(), 1);
        QCOMPARE(result.sections[0].title, QStringLiteral("General"));
        // A row whose keys the program sets is listed with its action, not dropped.
        QCOMPARE(result.sections[0].shortcuts.size(), 2);
        QCOMPARE(result.sections[0].shortcuts[1].key(), std::nullopt);
        QCOMPARE(result.sections[0].shortcuts[1].action(), QStringLiteral("app.open"));
        QCOMPARE(result.sections[0].shortcuts[1].comment(), ShortcutsWindowReader::keySetByProgram());
        QVERIFY(result.warnings.isEmpty());
    }

    // Keys a program sets in code, from the string literals of its file: only layouts that pair an
    // action with its key without doubt.
    void runtimeKeysComeFromTheProgramsStrings()
    {
        auto program = [](std::initializer_list<const char *> strings) {
            QByteArray bytes("\x7f" "ELF\x01\x02", 6);
            bytes += '\0';
            for (const char *s : strings)
                bytes += QByteArray(s) + '\0';
            return bytes + QByteArray("\x01\x02\x03", 3);
        };
        // A C program's arrays: accelerators, then as many actions.
        const QByteArray c = program({"KgxApplication", "<shift><primary>n", "<shift><primary>t", "<shift><primary>c",
                                      "win.new-window", "win.new-tab", "term.copy", "Failed to start %s"});
        QCOMPARE(ActionAccelerators::find(c, "win.new-tab"), QStringList{"<shift><primary>t"});
        QCOMPARE(ActionAccelerators::find(c, "term.copy"), QStringList{"<shift><primary>c"});
        QCOMPARE(ActionAccelerators::find(c, "win.missing"), QStringList());
        // Vala: each key before its action; an action without one in between gets none.
        const QByteArray vala = program({"/SearchProvider", "<Control>n", "win.new", "F10", "win.show-primary-menu",
                                         "win.help", "<Control>q", "app.quit", "resource-base-path"});
        QCOMPARE(ActionAccelerators::find(vala, "win.new"), QStringList{"<Control>n"});
        QCOMPARE(ActionAccelerators::find(vala, "win.show-primary-menu"), QStringList{"F10"});
        QCOMPARE(ActionAccelerators::find(vala, "app.quit"), QStringList{"<Control>q"});
        QCOMPARE(ActionAccelerators::find(vala, "win.help"), QStringList());
        // Which side a key belongs to cannot be told; a plain word is no key; unequal arrays.
        QCOMPARE(ActionAccelerators::find(program({"x y", "win.a", "<ctrl>a", "win.b", "z w"}), "win.a"), QStringList());
        QCOMPARE(ActionAccelerators::find(program({"x y", "n", "win.new", "quit", "app.quit"}), "win.new"), QStringList());
        QCOMPARE(ActionAccelerators::find(program({"<ctrl>a", "<ctrl>b", "win.a", "win.b", "win.c"}), "win.a"), QStringList());
        // The same action found twice with different keys gives none.
        QCOMPARE(ActionAccelerators::find(program({"<ctrl>a", "win.a", "??", "<ctrl>b", "win.a", "??"}), "win.a"),
                 QStringList());
    }

    // What the window never shows is no shortcut: right-to-left twins, hidden rows and hidden groups.
    void hiddenAndRightToLeftRowsAreLeftOut()
    {
        auto property = [](const QByteArray &name, const QByteArray &value) {
            return "<property name=\"" + name + "\">" + value + "</property>";
        };
        auto shortcut = [&](const QByteArray &title, const QByteArray &accelerator, const QByteArray &extra) {
            return "<child><object class=\"GtkShortcutsShortcut\">" + property("title", title)
                + property("accelerator", accelerator) + extra + "</object></child>";
        };
        const QByteArray xml = window(
            group("Pages", shortcut("Next page", "&lt;alt&gt;Right", property("direction", "ltr"))
                               + shortcut("Next page", "&lt;alt&gt;Left", property("direction", "rtl"))
                               + shortcut("Back", "&lt;alt&gt;Left", property("direction", "ltr"))
                               + shortcut("Back", "&lt;alt&gt;Right", property("direction", "rtl"))
                               + shortcut("Debug", "&lt;ctrl&gt;d", property("visible", "False"))
                               + shortcut("Shown", "&lt;ctrl&gt;e", property("visible", "yes")))
            + "<child><object class=\"GtkShortcutsGroup\">" + property("title", "Secret") + property("visible", "0")
            + shortcut("Hidden by its group", "&lt;ctrl&gt;h", "") + "</object></child>");
        const auto result = ShortcutsWindowReader::read(xml);
        QVERIFY2(result.error.isEmpty(), qPrintable(result.error));
        QCOMPARE(result.sections.size(), 1);
        QStringList rows;
        for (const RawShortcut &r : result.sections[0].shortcuts)
            rows << r.title() + QLatin1Char('=') + r.key().value_or(QString());
        QCOMPARE(rows, (QStringList{"Next page=alt+right", "Back=alt+left", "Shown=ctrl+e"}));
        QCOMPARE(result.warnings.size(), 2);  // the hidden row and the hidden group, not the twins
        QVERIFY(result.warnings[0].contains(QLatin1String("Debug")));
    }

    void brokenXmlSaysWhereItBroke()
    {
        const auto result = ShortcutsWindowReader::read("<interface>\n<object class=\"GtkShortcutsWindow\">\n  <child></object>");
        QVERIFY2(result.error.contains(QLatin1String("line 3, column")), qPrintable(result.error));
        QVERIFY(result.sections.isEmpty());
    }

    // Untrusted files: no entity declarations at all, no external references, bounded size and depth.
    void hostileDocumentsAreRefused()
    {
        QByteArray laughs = "<?xml version=\"1.0\"?><!DOCTYPE lolz [<!ENTITY lol0 \"lol\">";
        for (int i = 1; i < 10; ++i)
            laughs += "<!ENTITY lol" + QByteArray::number(i) + " \"" + ("&lol" + QByteArray::number(i - 1) + ";").repeated(10) + "\">";
        laughs += "]><interface><object class=\"GtkShortcutsWindow\"><property name=\"title\">&lol9;</property></object></interface>";
        for (const QByteArray &xml : {laughs,
                                      QByteArray("<?xml version=\"1.0\"?><!DOCTYPE x [<!ENTITY e SYSTEM \"file:///etc/passwd\">]>"
                                                 "<interface>&e;</interface>"),
                                      window(group("G", row("A", "&nothing;"))),
                                      QByteArray("<a>").repeated(1000) + QByteArray("</a>").repeated(1000),
                                      window(group("G", row("A", "a"))) + QByteArray(ShortcutsWindowReader::maxBytes, ' ')}) {
            const auto result = ShortcutsWindowReader::read(xml);
            QVERIFY2(!result.error.isEmpty() && result.sections.isEmpty(), xml.left(80).constData());
        }
    }

    void importedRecordIsAStrictDataFile()
    {
        const auto read = ShortcutsWindowReader::read(window(
            group("Quotes \"and\" \\ back", row("Tab\there", "&lt;ctrl&gt;backslash") + row("Range", "&lt;alt&gt;1...&lt;alt&gt;9"))));
        AppShortcuts app = ShortcutsWindowReader::makeApp(QStringLiteral("example"), QStringLiteral("Exämple"),
                                                          QStringLiteral("org.example.App"), QStringLiteral("test"),
                                                          read.sections);
        // An action id, which links a shortcut to the user's own bindings, survives the round trip.
        app.keymaps[0].sections[0].shortcuts[0].setAction(QStringLiteral("win.tab"));
        app.terminal = true;
        const QByteArray json = AppShortcutsEncoder::encode(app);
        AppShortcutsDecoder decoder;
        const auto decoded = decoder.decode(json);
        QVERIFY2(decoded.app, qPrintable(decoded.error));
        QCOMPARE(decoded.app->name, app.name);
        QCOMPARE(decoded.app->terminal, true);
        QCOMPARE(decoded.app->keymaps[0].platforms, QStringList{QStringLiteral("linux")});
        QCOMPARE(decoded.app->keymaps[0].sections[0].title, app.keymaps[0].sections[0].title);
        QCOMPARE(decoded.app->keymaps[0].sections[0].shortcuts[0].title(), QStringLiteral("Tab here"));
        QCOMPARE(decoded.app->keymaps[0].sections[0].shortcuts[1].comment(), QStringLiteral("Alt+1 to Alt+9"));
        QCOMPARE(decoded.app->keymaps[0].sections[0].shortcuts[0].action(), QStringLiteral("win.tab"));
        QCOMPARE(decoded.app->keymaps[0].sections[0].shortcuts[1].action(), std::nullopt);
        QCOMPARE(CatalogueLint::lintApp(*decoded.app), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestShortcutsWindow)
#include "tst_shortcutswindow.moc"
