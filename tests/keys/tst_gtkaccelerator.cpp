// GTK's accelerator text, read by one parser for two readers: GNOME's keyboard settings (the hot
// key read back) and GTK programs' shortcuts windows (key texts of the data files).
#include "keys/DesktopKeyNames.h"
#include "keys/GtkAccelerator.h"
#include "keys/KeyCodes.h"

#include <QTest>

namespace {

QStringList keysOf(const GtkAccelerator::Result &result)
{
    QStringList keys;
    for (const auto &key : result.keys)
        keys << key.key;
    return keys;
}

} // namespace

class TestGtkAccelerator : public QObject {
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
        add("keypad keeps the keypad", "KP_Add KP_Subtract KP_0 KP_Enter KP_Left <ctrl>KP_Up KP_Page_Down KP_Divide",
            {"numpadplus", "numpadminus", "numpad0", "numpadenter", "numpadleft", "ctrl+numpadup", "numpadpagedown",
             "numpaddivide"});
        add("above tab", "<Alt>Above_Tab", {"alt+backtick"});
        add("function and media keys", "F1 <shift>F10 F24 XF86AudioMute", {"f1", "shift+f10", "f24", "mute"});
        add("upper-case letter", "<ctrl>N", {"ctrl+n"});
        add("keysym names in any case, and their other names", "<ctrl>page_up Prior KP_Prior kp_next",
            {"ctrl+pageup", "pageup", "numpadpageup", "numpadpagedown"});
        add("every ASCII punctuation name", "colon less bar braceleft quotedbl asciitilde",
            {":", "<", "|", "{", "\"", "tilde"});
        add("left tab carries shift", "<ctrl>ISO_Left_Tab", {"ctrl+shift+tab"});
        add("sequence", "<ctrl>x+<ctrl>v", {"ctrl+x ctrl+v"});
        add("keys together", "Control_L&Control_R Shift_L&a", {"ctrl", "shift+a"});
        // A modifier key alone is no step of a sequence: the program means the keys held together.
        add("modifier keys joined by plus are held", "Control_L+Alt_L Shift_L+Super_L+a <ctrl>x+Alt_L",
            {"ctrl+alt", "shift+super+a", "ctrl+x alt"});
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

    void gnomeBindingsReadBack_data()
    {
        QTest::addColumn<QString>("accelerator");
        QTest::addColumn<int>("code");  // -1: not a key the program can hold
        QTest::addColumn<quint32>("modifiers");
        using namespace KeyCodes;
        auto add = [](const char *name, const char *text, int code, quint32 modifiers = 0) {
            QTest::newRow(name) << QString::fromLatin1(text) << code << modifiers;
        };
        add("as written by us", "<Super><Control>j", J, CommandMask | ControlMask);
        add("capital letter", "<Super>K", K, CommandMask);
        // GNOME's settings write GTK's names, which are not always the names we write.
        add("page up by GTK's name", "<Super>Page_Up", PageUp, CommandMask);
        add("page up by ours", "<Shift>Prior", PageUp, ShiftMask);
        add("primary and keypad", "<Primary><Alt>KP_Add", KeypadPlus, ControlMask | OptionMask);
        add("insert is the help key", "<Control>Insert", Help, ControlMask);
        add("mod4 is super", "<Mod4>space", Space, CommandMask);
        add("key above tab", "<Alt>Above_Tab", Grave, OptionMask);
        add("surrounding spaces", "  <Super>F5 ", F5, CommandMask);
        // Another binding than any the program could hold: not claimed as the hot key.
        add("hyper", "<Hyper>k", -1);
        add("meta", "<Meta>k", -1);
        add("release", "<Release><Super>k", -1);
        add("modifiers only", "<Super><Shift>", -1);
        add("unclosed", "<Super", -1);
        add("unknown modifier", "<Wibble>k", -1);
        add("key without a code", "<Super>eacute", -1);
        add("unknown key name", "<Super>NotAKey", -1);
        add("empty", "", -1);
    }

    void gnomeBindingsReadBack()
    {
        QFETCH(QString, accelerator);
        QFETCH(int, code);
        QFETCH(quint32, modifiers);
        const auto read = DesktopKeyNames::fromGtkAccelerator(accelerator);
        if (code < 0) {
            QVERIFY2(!read, qPrintable(QStringLiteral("read as code %1").arg(read ? read->first : 0)));
            return;
        }
        QVERIFY(read);
        QCOMPARE(read->first, quint32(code));
        QCOMPARE(read->second, modifiers);
    }
};

QTEST_GUILESS_MAIN(TestGtkAccelerator)
#include "tst_gtkaccelerator.moc"
