#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// GTK's accelerator text, as a shortcuts window writes it, in the key notation of the data files.
// Beyond a single accelerator ("<Primary><Shift>t", "<ctrl>question", "KP_Add"), a shortcuts window
// lists alternatives separated by spaces ("<ctrl>y <ctrl><shift>z"), ranges ("<alt>1...<alt>9"),
// sequences ("<ctrl>c+<ctrl>x") and keys pressed together ("Control_L&Control_R"). A "+" after a
// modifier key named alone ("Control_L+Alt_L") is read as keys held together, as programs mean it.
// Keypad keys keep the keypad ("KP_Up" to "numpadup"); "Above_Tab" is the key above Tab.
class GtkAccelerator {
public:
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

    static Result convert(const QString &text);

    // One chord: "<Primary><Shift>Page_Up" to "ctrl+shift+pageup"; nothing when it is malformed, with
    // the reason in `error`.
    static std::optional<QString> convertChord(QStringView text, QString *error = nullptr);

    // The data format's token for a GDK key name ("Page_Up" to "pageup", "question" to "?",
    // "KP_7" to "numpad7"); nothing for a name it has no token for.
    static std::optional<QString> keyToken(QStringView keyName);

    // A key text as people read it, for comments: "alt+1" to "Alt+1".
    static QString readable(const QString &key);
};
