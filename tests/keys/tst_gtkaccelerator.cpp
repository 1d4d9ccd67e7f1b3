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
    void acceleratorsBecomeKeyTexts()
    {
        // Accelerator, key texts, how many parts are malformed.
        const QList<std::tuple<QString, QStringList, int>> cases{
            {"<Primary><Shift>t", {"ctrl+shift+t"}, 0},  // primary is ctrl
            {"<Control>a <ctrl>b <ctl>c <CONTROL>d", {"ctrl+a", "ctrl+b", "ctrl+c", "ctrl+d"}, 0},  // every ctrl spelling
            {"<alt>Left <Mod1>Right", {"alt+left", "alt+right"}, 0},  // alt spellings
            {"<shft><super><ctrl><alt>x", {"ctrl+alt+shift+super+x"}, 0},  // shift spellings and order
            {"<Meta>a <Hyper>b", {"super+a", "super+b"}, 0},  // meta and hyper are super
            {"<Release>Super_L", {"super"}, 0},  // release does not change the keys
            {"<ctrl>question <ctrl>exclam bracketleft apostrophe", {"ctrl+?", "ctrl+!", "leftbracket", "quote"}, 0},  // by name
            {"KP_Add KP_Subtract KP_0 KP_Enter KP_Left <ctrl>KP_Up KP_Page_Down KP_Divide",  // keypad keeps the keypad
             {"numpadplus", "numpadminus", "numpad0", "numpadenter", "numpadleft", "ctrl+numpadup", "numpadpagedown", "numpaddivide"}, 0},
            {"<Alt>Above_Tab", {"alt+backtick"}, 0},  // above tab
            {"<ctrl>N", {"ctrl+n"}, 0},  // upper-case letter
            // Keysym names in any case, and their other names; every ASCII punctuation name.
            {"<ctrl>page_up Prior KP_Prior kp_next", {"ctrl+pageup", "pageup", "numpadpageup", "numpadpagedown"}, 0},
            {"colon less bar braceleft quotedbl asciitilde", {":", "<", "|", "{", "\"", "tilde"}, 0},
            {"<ctrl>ISO_Left_Tab", {"ctrl+shift+tab"}, 0},  // left tab carries shift
            {"<ctrl>x+<ctrl>v", {"ctrl+x ctrl+v"}, 0},  // sequence
            {"Control_L&Control_R Shift_L&a", {"ctrl", "shift+a"}, 0},  // keys together
            // A modifier key alone is no step of a sequence: the program means the keys held together.
            {"Control_L+Alt_L Shift_L+Super_L+a <ctrl>x+Alt_L", {"ctrl+alt", "shift+super+a", "ctrl+x alt"}, 0},
            {"  <ctrl>a\n\t<ctrl>b ", {"ctrl+a", "ctrl+b"}, 0},  // extra spaces
            {"<wibble>a <ctrl>b", {"ctrl+b"}, 1},  // unknown modifier skipped
            {"<ctrl", {}, 1},  // unclosed modifier
            {"<ctrl><shift>", {}, 1},  // modifiers without a key
            {"<ctrl>NotAKey eacute", {}, 2},  // unknown key name
            {"a&b", {}, 1},  // two keys in a chord
            {"", {}, 0},  // empty
        };
        for (const auto &[accelerator, keys, malformed] : cases) {
            const GtkAccelerator::Result result = GtkAccelerator::convert(accelerator);
            QCOMPARE(keysOf(result), keys);
            QVERIFY2(result.malformed.size() == malformed, qPrintable(accelerator));
        }
    }

    void rangesKeepTheFirstKeyAndNameTheRange()
    {
        const auto result = GtkAccelerator::convert(QStringLiteral("<alt>1...<alt>9"));
        QCOMPARE(result.keys.size(), 1);
        QCOMPARE(result.keys[0].key, QStringLiteral("alt+1"));
        QCOMPARE(result.keys[0].comment, QStringLiteral("Alt+1 to Alt+9"));
        QCOMPARE(GtkAccelerator::convert(QStringLiteral("<alt>1...<alt>wibble")).malformed.size(), 1);
    }

    // Read back from GNOME's settings as the hot key; another binding than any the program could hold
    // is not claimed as the hot key.
    void gnomeBindingsReadBack()
    {
        using namespace KeyCodes;
        const QList<std::tuple<QString, quint32, quint32>> held{
            {"<Super><Control>j", J, CommandMask | ControlMask},
            {"<Super>K", K, CommandMask},
            // GNOME's settings write GTK's names, which are not always the names we write.
            {"<Super>Page_Up", PageUp, CommandMask},
            {"<Shift>Prior", PageUp, ShiftMask},
            {"<Primary><Alt>KP_Add", KeypadPlus, ControlMask | OptionMask},
            {"<Control>Insert", Help, ControlMask},
            {"<Mod4>space", Space, CommandMask},
            {"<Alt>Above_Tab", Grave, OptionMask},
            {"  <Super>F5 ", F5, CommandMask},
        };
        for (const auto &[accelerator, code, modifiers] : held)
            QCOMPARE(DesktopKeyNames::fromGtkAccelerator(accelerator), std::make_optional(std::make_pair(code, modifiers)));
        for (const char *accelerator : {"<Hyper>k", "<Meta>k", "<Release><Super>k", "<Super><Shift>", "<Super", "<Wibble>k",
                                        "<Super>eacute", "<Super>NotAKey", ""})
            QVERIFY2(!DesktopKeyNames::fromGtkAccelerator(QString::fromLatin1(accelerator)), accelerator);
    }
};

QTEST_GUILESS_MAIN(TestGtkAccelerator)
#include "tst_gtkaccelerator.moc"
