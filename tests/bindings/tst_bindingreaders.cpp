// The readers of other programs' key-binding files, each against a file written here, and the
// finder that picks the files from the environment.
#include "catalogue/bindings/BindingKeys.h"
#include "catalogue/bindings/InkscapeKeysReader.h"
#include "catalogue/bindings/KGlobalShortcutsReader.h"
#include "catalogue/bindings/KXmlGuiReader.h"
#include "catalogue/bindings/OpenboxConfigReader.h"
#include "catalogue/bindings/SwayConfigReader.h"
#include "catalogue/bindings/UserBindingFiles.h"
#include "catalogue/bindings/VsCodeKeybindingsReader.h"
#include "services/SystemLog.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

void write(const QString &path, const QByteArray &text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
}

const UserBinding *find(const AppBindings &set, const QString &action)
{
    for (const UserBinding &binding : set.bindings) {
        if (binding.action == action)
            return &binding;
    }
    return nullptr;
}

QStringList keyTexts(const AppBindings &set, const UserBinding &binding)
{
    QStringList texts;
    for (const QString &key : binding.keys)
        texts << BindingKeys::toKeyText(set.notation, key).value_or(QStringLiteral("?"));
    return texts;
}

} // namespace

class TestBindingReaders : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Each reader's notation to key text (empty: no key); a GTK keysym no table knows stays as
    // written. Canonical key texts ignore the order of modifiers and case, not that of a sequence.
    void keyNotations()
    {
        using N = AppBindings::Notation;
        const QList<std::tuple<N, QString, QString>> cases{
            {N::Gtk, "<Super><Shift>Page_Up", "shift+super+pageup"},
            {N::Gtk, "<Primary><Alt>Delete", "ctrl+alt+delete"},
            {N::Gtk, "<Control>bracketleft", "ctrl+leftbracket"},
            {N::Gtk, "XF86AudioRaiseVolume", "volumeup"},
            {N::Gtk, "<Control>question", "ctrl+?"},
            {N::Gtk, "<Alt>KP_Home", "alt+numpadhome"},
            {N::Gtk, "<Super>XF86Calculator", "super+xf86calculator"},
            {N::Gtk, "disabled", ""},
            {N::Gtk, "<Super", ""},
            {N::Qt, "Meta+Shift+F1", "shift+super+f1"},
            {N::Qt, "Ctrl++", "ctrl+plus"},
            {N::Qt, "Ctrl+K, Ctrl+S", "ctrl+k ctrl+s"},
            {N::Qt, "Alt+PgUp", "alt+pageup"},
            {N::Qt, "Ctrl+S", "ctrl+s"},
            {N::Sway, "Mod4+Shift+Return", "shift+super+enter"},
            {N::Sway, "Mod4+colon", "super+:"},
            {N::Openbox, "C-A-Left", "ctrl+alt+left"},
            {N::Openbox, "W-a b", "super+a b"},
            {N::Openbox, "Q-x", ""},
            {N::VsCode, "ctrl+k ctrl+[", "ctrl+k ctrl+leftbracket"},
            {N::VsCode, "meta+escape", "super+esc"},
            {N::VsCode, "ctrl+[KeyA]", "ctrl+a"},
        };
        for (const auto &[notation, text, expected] : cases)
            QVERIFY2(BindingKeys::toKeyText(notation, text).value_or(QString()) == expected, qPrintable(text));

        QCOMPARE(BindingKeys::canonical("shift+ctrl+T"), BindingKeys::canonical("ctrl+shift+t"));
        QCOMPARE(BindingKeys::canonical("opt+a"), BindingKeys::canonical("alt+a"));
        QVERIFY(BindingKeys::canonical("ctrl+s") != BindingKeys::canonical("ctrl+shift"));
        QVERIFY(BindingKeys::canonical("ctrl+k ctrl+s") != BindingKeys::canonical("ctrl+s ctrl+k"));
    }

    void kglobalshortcuts()
    {
        const QByteArray text =
            "[kwin]\n"
            "Switch to Desktop 1=Meta+1,Ctrl+F1,Switch to Desktop 1\n"
            "Switch to Desktop 2=Ctrl+F2,Ctrl+F2,Switch to Desktop 2\n"
            "Expose=Ctrl+F9\\tMeta+W,Ctrl+F9,Toggle Present Windows (Current desktop)\n"
            "Kill Window=none,Meta+Ctrl+Esc,Kill a window, now\n"
            "_k_friendly_name=KWin\n"
            "[kwin][nested]\n"
            "Bogus=Meta+B,none,Bogus\n"
            "garbage line without equals\n";
        const AppBindings set = KGlobalShortcutsReader::parse(text, "kglobalshortcutsrc");
        QCOMPARE(set.app, QString("kde-plasma"));
        // Only what differs from the defaults; the friendly name given after the actions still
        // names their section.
        QCOMPARE(set.bindings.size(), 3);
        const UserBinding *desktop1 = find(set, "kwin/Switch to Desktop 1");
        QVERIFY(desktop1);
        QCOMPARE(keyTexts(set, *desktop1), QStringList{"super+1"});
        QCOMPARE(desktop1->section, QString("KWin"));
        const UserBinding *expose = find(set, "kwin/Expose");
        QVERIFY(expose);
        QCOMPARE(keyTexts(set, *expose), (QStringList{"ctrl+f9", "super+w"}));
        const UserBinding *kill = find(set, "kwin/Kill Window");
        QVERIFY(kill);
        QVERIFY(kill->keys.isEmpty());
        QCOMPARE(kill->title, QString("Kill a window, now"));
        QVERIFY(!find(set, "kwin/Switch to Desktop 2"));
        QVERIFY(!find(set, "nested/Bogus"));
    }

    void swayConfigWithIncludesAndLoop()
    {
        QTemporaryDir dir;
        const QString root = dir.path();
        write(root + "/sway/config",
              "# a comment\n"
              "set $mod Mod4\n"
              "set $left h\n"
              "bindsym $mod+Return exec $term\n"
              "bindsym --to-code $mod+$left focus left\n"
              "bindsym $mod+Shift+q \\\n    kill\n"
              "bar {\n    bindsym button4 nop\n}\n"
              "mode \"resize\" {\n    bindsym $left resize shrink width 10px\n    bindsym Escape mode \"default\"\n}\n"
              "include config.d/*\n"
              "include ~/missing-file\n");
        write(root + "/sway/config.d/10-workspaces",
              "bindsym {\n  $mod+1 workspace number 1\n  $mod+Home workspace number 1\n}\n"
              "include ../config\n");  // back to the start: a loop
        write(root + "/sway/config.d/20-self", "include 20-self\nbindsym $mod+d exec wofi\nbindsym $mod+1 workspace number 1\n");
        QProcessEnvironment env;
        env.insert("HOME", root);

        QElapsedTimer timer;
        timer.start();
        const auto set = SwayConfigReader::read(root + "/sway/config", "sway", env);
        QVERIFY(timer.elapsed() < 5000);
        QVERIFY(set);
        QVERIFY(set->complete);
        const UserBinding *terminal = find(*set, "exec $term");
        QVERIFY(terminal);
        QCOMPARE(keyTexts(*set, *terminal), QStringList{"super+enter"});
        QCOMPARE(terminal->origin, QFileInfo(root + "/sway/config").canonicalFilePath());
        QVERIFY(find(*set, "focus left"));
        QCOMPARE(keyTexts(*set, *find(*set, "kill")), QStringList{"shift+super+q"});
        QVERIFY(!find(*set, "nop"));
        const UserBinding *shrink = find(*set, "[resize] resize shrink width 10px");
        QVERIFY(shrink);
        QCOMPARE(keyTexts(*set, *shrink), QStringList{"h"});
        QCOMPARE(shrink->section, QString("Resize mode"));
        // Two keys for one command, from an included file's bindsym block; the same key bound to it
        // again in another file is listed once.
        const UserBinding *first = find(*set, "workspace number 1");
        QVERIFY(first);
        QCOMPARE(keyTexts(*set, *first), (QStringList{"super+1", "super+home"}));
        QVERIFY(find(*set, "exec wofi"));
        // The loop read nothing twice.
        QCOMPARE(set->bindings.size(), 7);

        QVERIFY(!SwayConfigReader::read(root + "/nothing-here", "sway", env));
    }

    void openboxRcXml()
    {
        const QByteArray xml = "<?xml version=\"1.0\"?>\n"
            "<openbox_config xmlns=\"http://openbox.org/3.4/rc\">\n"
            "  <mouse><mousebind button=\"A-Left\" action=\"Press\"><action name=\"Focus\"/></mousebind></mouse>\n"
            "  <keyboard>\n"
            "    <keybind key=\"C-A-Left\"><action name=\"GoToDesktop\"><to>left</to><wrap>no</wrap></action></keybind>\n"
            "    <keybind key=\"W-Left\"><action name=\"GoToDesktop\"><to>left</to><wrap>no</wrap></action></keybind>\n"
            "    <keybind key=\"W-e\"><action name=\"Execute\"><command>kfmclient openProfile filemanagement</command></action></keybind>\n"
            "    <keybind key=\"C-a\"><keybind key=\"b\"><action name=\"Close\"/></keybind></keybind>\n"
            "  </keyboard>\n"
            "</openbox_config>";
        const auto set = OpenboxConfigReader::parse(xml, "rc.xml");
        QVERIFY(set);
        QCOMPARE(set->bindings.size(), 3);
        const UserBinding *left = find(*set, "GoToDesktop to=left wrap=no");
        QVERIFY(left);
        QCOMPARE(keyTexts(*set, *left), (QStringList{"ctrl+alt+left", "super+left"}));
        QVERIFY(find(*set, "Execute command=kfmclient openProfile filemanagement"));
        QCOMPARE(keyTexts(*set, *find(*set, "Close")), QStringList{"ctrl+a b"});
        QVERIFY(!find(*set, "Focus"));

        QVERIFY(!OpenboxConfigReader::parse("<openbox_config><keyboard><keybind key=", "rc.xml"));
    }

    void vscodeKeybindings()
    {
        const QByteArray json = "// Place your key bindings in this file\n"
            "[\n"
            "    /* a block\n"
            "       comment */\n"
            "    { \"key\": \"ctrl+shift+t\", \"command\": \"workbench.action.terminal.new\", },\n"
            "    { \"key\": \"ctrl+p\", \"command\": \"-workbench.action.quickOpen\" }, // removed\n"
            "    { \"command\": \"-editor.action.commentLine\" },\n"
            "    { \"key\": \"ctrl+k ctrl+x\", \"command\": \"a.b\", \"when\": \"editorTextFocus && x == 'http://a//b'\" },\n"
            "    { \"key\": \"ctrl+q\" },\n"
            "]\n"
            "";
        const auto set = VsCodeKeybindingsReader::parse(json, "keybindings.json", "vscode");
        QVERIFY(set);
        QCOMPARE(set->bindings.size(), 4);
        QCOMPARE(set->bindings[0].mode, UserBinding::Mode::Add);
        QCOMPARE(set->bindings[0].action, QString("workbench.action.terminal.new"));
        QCOMPARE(set->bindings[1].mode, UserBinding::Mode::Remove);
        QCOMPARE(set->bindings[1].keys, QStringList{"ctrl+p"});
        QCOMPARE(set->bindings[2].mode, UserBinding::Mode::Remove);
        QVERIFY(set->bindings[2].keys.isEmpty());
        // "//" inside a string is not a comment.
        QCOMPARE(set->bindings[3].keys, QStringList{"ctrl+k ctrl+x"});

        QVERIFY(!VsCodeKeybindingsReader::parse("[ { \"key\": ", "k.json", "vscode"));
        QVERIFY(!VsCodeKeybindingsReader::parse("{}", "k.json", "vscode"));
        QCOMPARE(VsCodeKeybindingsReader::parse("  \n", "k.json", "vscode")->bindings.size(), 0);
    }

    void kxmlguiRc()
    {
        const QByteArray xml = "<!DOCTYPE gui SYSTEM \"kpartgui.dtd\">\n"
            "<gui name=\"kate\" version=\"93\">\n"
            " <MenuBar/>\n"
            " <Action name=\"file_save\" shortcut=\"Ctrl+Alt+S\"/>\n"
            " <ActionProperties scheme=\"Default\">\n"
            "  <Action name=\"file_save\" shortcut=\"Ctrl+Alt+S; F2\"/>\n"
            "  <Action name=\"file_quit\" shortcut=\"\"/>\n"
            "  <Action name=\"no_shortcut_attribute\" icon=\"x\"/>\n"
            " </ActionProperties>\n"
            "</gui>";
        const auto set = KXmlGuiReader::parse(xml, "katepart5ui.rc", "kate");
        QVERIFY(set);
        QCOMPARE(set->bindings.size(), 2);
        QCOMPARE(keyTexts(*set, set->bindings[0]), (QStringList{"ctrl+alt+s", "f2"}));
        QCOMPARE(set->bindings[1].action, QString("file_quit"));
        QVERIFY(set->bindings[1].keys.isEmpty());
        QVERIFY(!KXmlGuiReader::parse("<gui><ActionProperties>", "x.rc", "kate"));
    }

    void inkscapeKeys()
    {
        const QByteArray xml = "<?xml version=\"1.0\"?>\n"
            "<keys name=\"My keys\">\n"
            "  <bind gaction=\"app.undo\" keys=\"&lt;ctrl&gt;z,&lt;ctrl&gt;&lt;alt&gt;u\"/>\n"
            "  <bind gaction=\"win.canvas-zoom-in\" keys=\"\"/>\n"
            "  <bind key=\"r\" modifiers=\"Ctrl,Shift\" action=\"ToolRect\"/>\n"
            "  <bind key=\"F4\" action=\"ToolRect\"/>\n"
            "</keys>";
        const auto set = InkscapeKeysReader::parse(xml, "default.xml");
        QVERIFY(set);
        QCOMPARE(set->bindings.size(), 3);
        QCOMPARE(keyTexts(*set, *find(*set, "app.undo")), (QStringList{"ctrl+z", "ctrl+alt+u"}));
        QVERIFY(find(*set, "win.canvas-zoom-in")->keys.isEmpty());
        QCOMPARE(keyTexts(*set, *find(*set, "ToolRect")), (QStringList{"ctrl+shift+r", "f4"}));
    }

    // Configs written to blow up a reader: variables that double line by line, a NUL-filled and a
    // garbage config, one command bound to 100k keys, tens of thousands of KDE actions each followed
    // by a friendly name, and Openbox keybinds nested 20k deep. Each ends in bounded time (the
    // unbounded readers took seconds to minutes and gigabytes), keeps what is sound and says what
    // it dropped.
    void hostileConfigsStayBounded()
    {
        QTemporaryDir dir;
        const QString root = dir.path();
        QProcessEnvironment env;
        env.insert("HOME", root + "/home");
        env.insert("XDG_CONFIG_HOME", root + "/config");
        QElapsedTimer timer;
        SystemLog::Capture log;

        // Values that double line by line (2^40 characters in the end) stop growing at the limit per
        // line; uses of the largest add up to the limit per file, and the rest of the file is not read.
        QByteArray doubling = "bindsym Mod4+2 workspace 2\nset $v0x xy\n";
        for (int i = 1; i <= 40; ++i)
            doubling += "set $v" + QByteArray::number(i) + "x $v" + QByteArray::number(i - 1) + "x$v" + QByteArray::number(i - 1) + "x\n";
        doubling += "bindsym Mod4+3 exec $v40x\nbindsym Mod4+4 exec $v12x\n";
        for (int i = 0; i < 1000; ++i)
            doubling += "bindsym Mod4+k" + QByteArray::number(i) + " exec $v14x\n";
        write(root + "/doubling", doubling);
        timer.start();
        const auto doubled = SwayConfigReader::read(root + "/doubling", "sway", env);
        QVERIFY(timer.elapsed() < 5000);
        QVERIFY(doubled);
        QVERIFY(find(*doubled, "workspace 2"));
        QCOMPARE(find(*doubled, "exec $v12x")->title, "exec " + QString("xy").repeated(1 << 12));
        QVERIFY(find(*doubled, "exec $v40x")->title.size() <= SwayConfigReader::maxExpandedLine);
        const qsizetype read = find(*doubled, "exec $v14x")->keys.size();
        QVERIFY2(read > 100 && read < 1000, qPrintable(QString::number(read)));
        QCOMPARE(log.lines().filter("expand to more than").size(), 1);

        // Not a config: ignored, so that the shipped bindings stay. A config of comments only is a
        // config without bindings.
        write(root + "/zeros", QByteArray(4096, '\0'));
        write(root + "/garbage", "\x89PNG\r\n\x1a\n%%%%\n\xff\xfe garbage\n<<>>\n");
        write(root + "/comments", "# nothing bound here\n\n");
        QVERIFY(!SwayConfigReader::read(root + "/zeros", "sway", env));
        QVERIFY(!SwayConfigReader::read(root + "/garbage", "sway", env));
        QCOMPARE(log.lines().filter("unreadable, ignored").size(), 2);
        const auto comments = SwayConfigReader::read(root + "/comments", "sway", env);
        QVERIFY(comments && comments->bindings.isEmpty());

        // One command, 100k keys: merged by hash, then cut at the limit per file.
        QByteArray many;
        for (int i = 0; i < 100000; ++i)
            many += "bindsym Mod4+k" + QByteArray::number(i) + " exec foot\n";
        write(root + "/config/sway/config", many);
        timer.restart();
        const QList<AppBindings> all = UserBindingFiles(env).read();
        QVERIFY2(timer.elapsed() < 10000, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(all.size(), 1);
        QCOMPARE(all.first().bindings.size(), 1);
        QCOMPARE(all.first().bindings.first().keys.size(), UserBindingFiles::maxBindingsPerFile);
        QCOMPARE(log.lines().filter("read the first 10000 key bindings of").size(), 1);

        QByteArray kde = "[kwin]\n";
        for (int i = 0; i < 40000; ++i)
            kde += "Action " + QByteArray::number(i) + "=Meta+F" + QByteArray::number(i) + ",none,Action\n_k_friendly_name=KWin\n";
        timer.restart();
        const AppBindings kwin = KGlobalShortcutsReader::parse(kde, "kglobalshortcutsrc");
        QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(kwin.bindings.size(), 40000);
        QCOMPARE(kwin.bindings.first().section, QString("KWin"));

        QByteArray nested = "<openbox_config><keyboard>";
        for (int i = 0; i < 20000; ++i)
            nested += "<keybind key=\"W-" + QByteArray::number(i % 10) + "\"><action name=\"Nop\"/>";
        nested += QByteArray("</keybind>").repeated(20000) + "</keyboard></openbox_config>";
        timer.restart();
        const auto openbox = OpenboxConfigReader::parse(nested, "rc.xml");
        QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
        QVERIFY(openbox);
        QCOMPARE(openbox->bindings.size(), 1);  // one action; chains of up to maxChain keys
        QCOMPARE(openbox->bindings.first().keys.size(), OpenboxConfigReader::maxChain);
    }

    // The files come from XDG_CONFIG_HOME and XDG_DATA_HOME; one that cannot be parsed gives one log
    // line and no bindings; special files and oversized files are refused without hanging.
    void filesFromTheEnvironment()
    {
        QTemporaryDir dir;
        const QString root = dir.path();
        write(root + "/config/Code/User/keybindings.json", "[{ \"key\": \"ctrl+alt+n\", \"command\": \"x.y\" }]");
        write(root + "/config/VSCodium/User/keybindings.json", "[ { broken");
        write(root + "/config/openbox/rc.xml", QByteArray(5 * 1024 * 1024, ' '));
        write(root + "/data/kxmlgui5/katepart/katepart5ui.rc",
              "<gui><ActionProperties><Action name=\"file_save\" shortcut=\"F2\"/></ActionProperties></gui>");
        QVERIFY(::mkfifo(QFile::encodeName(root + "/config/kglobalshortcutsrc").constData(), 0600) == 0);
        QDir().mkpath(root + "/home/.i3");
        QVERIFY(QFile::link(root + "/home/.i3/config", root + "/home/.i3/config"));  // a symlink loop

        QProcessEnvironment env;
        env.insert("HOME", root + "/home");
        env.insert("XDG_CONFIG_HOME", root + "/config");
        env.insert("XDG_DATA_HOME", root + "/data");
        SystemLog::Capture log;
        UserBindingFiles files(env);
        QElapsedTimer timer;
        timer.start();
        const QList<AppBindings> all = files.read();
        QVERIFY(timer.elapsed() < 5000);

        QStringList apps;
        for (const AppBindings &set : all)
            apps << set.app;
        QCOMPARE(apps, (QStringList{"vscode", "kate"}));
        QCOMPARE(log.lines().size(), 3);
        for (const char *name : {"VSCodium/User/keybindings.json", "openbox/rc.xml", "kglobalshortcutsrc"})
            QVERIFY2(log.lines().filter(QString::fromLatin1(name)).size() == 1, qPrintable(log.lines().join('\n')));
        QVERIFY(log.lines().first().startsWith("Corvane: failed to read key bindings from "));
        QVERIFY(files.watchedPaths().contains(root + "/config/Code/User/keybindings.json"));
        QVERIFY(files.watchedPaths().contains(root + "/config/openbox"));
    }
};

QTEST_GUILESS_MAIN(TestBindingReaders)
#include "tst_bindingreaders.moc"
