// GTK accelerators to key texts, shortcuts windows to sections, and the data files made of them.
#include "../../tools/corvane-data/CatalogueLint.h"
#include "catalogue/AppShortcutsDecoder.h"
#include "catalogue/AppShortcutsEncoder.h"
#include "catalogue/GtkAccelerator.h"
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

QStringList keysOf(const GtkAccelerator::Result &result)
{
    QStringList keys;
    for (const auto &key : result.keys)
        keys << key.key;
    return keys;
}

} // namespace

class TestShortcutsWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void acceleratorsBecomeKeyTexts_data()
    {
        QTest::addColumn<QString>("accelerator");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<int>("malformed");
        auto add = [](const char *name, const char *text, QStringList keys, int malformed = 0) {
            QTest::newRow(name) << QString::fromLatin1(text) << keys << malformed;
        };
        add("primary is ctrl", "<Primary><Shift>t", {"ctrl+shift+t"});
        add("every ctrl spelling", "<Control>a <ctrl>b <ctl>c <CONTROL>d", {"ctrl+a", "ctrl+b", "ctrl+c", "ctrl+d"});
        add("alt spellings", "<alt>Left <Mod1>Right", {"alt+left", "alt+right"});
        add("shift spellings and order", "<shft><super><ctrl><alt>x", {"ctrl+alt+shift+super+x"});
        add("meta and hyper are super", "<Meta>a <Hyper>b", {"super+a", "super+b"});
        add("release does not change the keys", "<Release>Super_L", {"super"});
        add("named keys", "Page_Up Page_Down Escape Return BackSpace Delete Home End space Tab",
            {"pageup", "pagedown", "esc", "enter", "backspace", "delete", "home", "end", "space", "tab"});
        add("shifted symbols by name", "<ctrl>question <ctrl>exclam bracketleft apostrophe",
            {"ctrl+?", "ctrl+!", "leftbracket", "quote"});
        add("keypad", "KP_Add KP_Subtract KP_0 KP_Enter KP_Left KP_Divide",
            {"numpadplus", "numpadminus", "numpad0", "numpadenter", "left", "numpaddivide"});
        add("function and media keys", "F1 <shift>F10 F24 XF86AudioMute", {"f1", "shift+f10", "f24", "mute"});
        add("upper-case letter", "<ctrl>N", {"ctrl+n"});
        add("left tab carries shift", "<ctrl>ISO_Left_Tab", {"ctrl+shift+tab"});
        add("sequence", "<ctrl>x+<ctrl>v", {"ctrl+x ctrl+v"});
        add("keys together", "Control_L&Control_R Shift_L&a", {"ctrl", "shift+a"});
        add("extra spaces", "  <ctrl>a\n\t<ctrl>b ", {"ctrl+a", "ctrl+b"});
        add("unknown modifier skipped", "<wibble>a <ctrl>b", {"ctrl+b"}, 1);
        add("unclosed modifier", "<ctrl", {}, 1);
        add("modifiers without a key", "<ctrl><shift>", {}, 1);
        add("unknown key name", "<ctrl>NotAKey eacute", {}, 2);
        add("two keys in a chord", "a&b", {}, 1);
        add("empty", "", {});
    }

    void acceleratorsBecomeKeyTexts()
    {
        QFETCH(QString, accelerator);
        QFETCH(QStringList, keys);
        QFETCH(int, malformed);
        const GtkAccelerator::Result result = GtkAccelerator::convert(accelerator);
        QCOMPARE(keysOf(result), keys);
        QCOMPARE(result.malformed.size(), malformed);
    }

    void rangesKeepTheFirstKeyAndNameTheRange()
    {
        const auto result = GtkAccelerator::convert(QStringLiteral("<alt>1...<alt>9"));
        QCOMPARE(result.keys.size(), 1);
        QCOMPARE(result.keys[0].key, QStringLiteral("alt+1"));
        QCOMPARE(result.keys[0].comment, QStringLiteral("Alt+1 to Alt+9"));
        QCOMPARE(GtkAccelerator::convert(QStringLiteral("<alt>1...<alt>wibble")).malformed.size(), 1);
    }

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
        QCOMPARE(result.sections[0].shortcuts[1].key, QStringLiteral("ctrl+w"));
        QCOMPARE(result.sections[1].title, QStringLiteral("View"));
        QCOMPARE(result.sections[1].shortcuts.size(), 3);  // zoom twice, and the title repeated from Tabs
        QCOMPARE(result.sections[1].shortcuts[1].key, QStringLiteral("ctrl+numpadplus"));
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
        QCOMPARE(result.sections[0].shortcuts.size(), 1);
        QVERIFY(result.warnings.value(0).contains(QLatin1String("app.open")));
    }

    // Untrusted files: no entity declarations at all, no external references, bounded size and depth.
    void hostileDocumentsAreRefused_data()
    {
        QTest::addColumn<QByteArray>("xml");
        QByteArray laughs = "<?xml version=\"1.0\"?><!DOCTYPE lolz [<!ENTITY lol0 \"lol\">";
        for (int i = 1; i < 10; ++i)
            laughs += "<!ENTITY lol" + QByteArray::number(i) + " \"" + ("&lol" + QByteArray::number(i - 1) + ";").repeated(10) + "\">";
        laughs += "]><interface><object class=\"GtkShortcutsWindow\"><property name=\"title\">&lol9;</property></object></interface>";
        QTest::newRow("billion laughs") << laughs;
        QTest::newRow("external entity")
            << QByteArray("<?xml version=\"1.0\"?><!DOCTYPE x [<!ENTITY e SYSTEM \"file:///etc/passwd\">]>"
                          "<interface>&e;</interface>");
        QTest::newRow("undeclared entity") << window(group("G", row("A", "&nothing;")));
        QTest::newRow("not well-formed") << QByteArray("<interface><object class=\"GtkShortcutsWindow\">");
        QTest::newRow("too deep") << QByteArray("<a>").repeated(1000) + QByteArray("</a>").repeated(1000);
        QTest::newRow("too large") << window(group("G", row("A", "a"))) + QByteArray(ShortcutsWindowReader::maxBytes, ' ');
    }

    void hostileDocumentsAreRefused()
    {
        QFETCH(QByteArray, xml);
        const auto result = ShortcutsWindowReader::read(xml);
        QVERIFY(!result.error.isEmpty());
        QVERIFY(result.sections.isEmpty());
    }

    void importedRecordIsAStrictDataFile()
    {
        const auto read = ShortcutsWindowReader::read(window(
            group("Quotes \"and\" \\ back", row("Tab\there", "&lt;ctrl&gt;backslash") + row("Range", "&lt;alt&gt;1...&lt;alt&gt;9"))));
        AppShortcuts app = ShortcutsWindowReader::makeApp(QStringLiteral("example"), QStringLiteral("Exämple"),
                                                          QStringLiteral("org.example.App"), QStringLiteral("test"),
                                                          read.sections);
        // An action id, which links a shortcut to the user's own bindings, survives the round trip.
        app.keymaps[0].sections[0].shortcuts[0].action = QStringLiteral("win.tab");
        app.terminal = true;
        const QByteArray json = AppShortcutsEncoder::encode(app);
        AppShortcutsDecoder decoder;
        const auto decoded = decoder.decode(json);
        QVERIFY2(decoded.app, qPrintable(decoded.error));
        QCOMPARE(decoded.app->name, app.name);
        QCOMPARE(decoded.app->terminal, true);
        QCOMPARE(decoded.app->keymaps[0].platforms, QStringList{QStringLiteral("linux")});
        QCOMPARE(decoded.app->keymaps[0].sections[0].title, app.keymaps[0].sections[0].title);
        QCOMPARE(decoded.app->keymaps[0].sections[0].shortcuts[0].title, QStringLiteral("Tab here"));
        QCOMPARE(decoded.app->keymaps[0].sections[0].shortcuts[1].comment, QStringLiteral("Alt+1 to Alt+9"));
        QCOMPARE(decoded.app->keymaps[0].sections[0].shortcuts[0].action, QStringLiteral("win.tab"));
        QCOMPARE(decoded.app->keymaps[0].sections[0].shortcuts[1].action, std::nullopt);
        QCOMPARE(CatalogueLint::lintApp(*decoded.app), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestShortcutsWindow)
#include "tst_shortcutswindow.moc"
