#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// GTK's accelerator text: the one reader of it, for GNOME's keyboard settings and for the shortcuts
// windows of GTK programs.
//
// A single accelerator is modifiers in angle brackets and an XKB keysym name ("<Primary><Shift>t",
// "<ctrl>question", "KP_Add"), read as gtk_accelerator_parse() reads it. Beyond that, a shortcuts
// window lists alternatives separated by spaces ("<ctrl>y <ctrl><shift>z"), ranges
// ("<alt>1...<alt>9"), sequences ("<ctrl>c+<ctrl>x") and keys pressed together
// ("Control_L&Control_R"). A "+" after a modifier key named alone ("Control_L+Alt_L") is read as keys
// held together, as programs mean it. Keypad keys keep the keypad ("KP_Up" to "numpadup"); "Above_Tab"
// is the key above Tab.
class GtkAccelerator {
public:
    // GTK's modifiers. <Primary> is Control on Linux; Mod4 is Super. <Release> changes when the
    // shortcut fires, not which keys it is.
    enum Modifier : unsigned { Ctrl = 1, Alt = 2, Shift = 4, Super = 8, Meta = 16, Hyper = 32, Release = 64 };

    // One accelerator as written: its modifiers, the key name after them (empty when there is none)
    // and that name's keysym (none when xkbcommon does not know the name).
    struct Accelerator {
        unsigned modifiers = 0;
        QString keyName;
        std::optional<quint32> keysym;
    };
    // Nothing when the modifiers cannot be read (unclosed or unknown), with the reason in `error`.
    static std::optional<Accelerator> parse(QStringView text, QString *error = nullptr);

    // The data format's modifiers (KeyTokens::Modifier) of GTK's: Meta and Hyper are the Super key
    // there, Release is dropped.
    static unsigned notationModifiers(unsigned gtkModifiers);

    // One alternative: a key text of the data format, and for a range, a comment naming it whole.
    struct Key {
        QString key;
        std::optional<QString> comment;
    };
    struct Result {
        QList<Key> keys;
        // The alternatives that could not be read, each with the reason.
        QStringList malformed;
    };

    // A shortcuts window's accelerator text in the key notation of the data files.
    static Result convert(const QString &text);

    // One chord: "<Primary><Shift>Page_Up" to "ctrl+shift+pageup"; nothing when it is malformed, with
    // the reason in `error`.
    static std::optional<QString> convertChord(QStringView text, QString *error = nullptr);

    // A key text as people read it, for comments: "alt+1" to "Alt+1".
    static QString readable(const QString &key);
};
