#include "keys/KeyNotation.h"

#include <QTest>

using KeyNotation::keySymbol;
using KeyNotation::parseKeyGroups;

class TestKeyNotation : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void groups()
    {
        const QString cmd = QStringLiteral("\u2318");
        const QString ctrl = QStringLiteral("\u2303");
        const QList<QPair<QString, KeyGroups>> cases{
            {"cmd+shift+p", KeyGroups{{cmd, QStringLiteral("\u21E7"), "P"}}},
            {"ctrl+x ctrl+s", KeyGroups{{ctrl, "X"}, {ctrl, "S"}}},
            {"  cmd+k   ", KeyGroups{{cmd, "K"}}},
            {"ctrl+x   ctrl+s", KeyGroups{{ctrl, "X"}, {ctrl, "S"}}},
            {"CMD+Option+Left", KeyGroups{{cmd, QStringLiteral("\u2325"), QStringLiteral("\u2190")}}},
            {"cmd++", KeyGroups{{cmd}}},
            {"cmd+plus", KeyGroups{{cmd, "+"}}},
            {"+", KeyGroups{{}}},
            {"+ cmd+k", KeyGroups{{}, {cmd, "K"}}},
            {"", KeyGroups{}},
            {"   ", KeyGroups{}},
            {"a\tb", KeyGroups{{"A\tb"}}},  // only U+0020 separates chords
        };
        for (const auto &[text, expected] : cases)
            QCOMPARE(parseKeyGroups(text), expected);
    }

    void symbols()
    {
        const QList<QPair<QString, QString>> cases{
            {"a", "A"}, {"=", "="}, {"f5", "F5"}, {"F12", "F12"}, {"f", "F"}, {"fx", "Fx"}, {"f-1", "F-1"},
            {"f99999999999999999999", "F99999999999999999999"},  // too big for any integer
            {"f9223372036854775807", "F9223372036854775807"},
            {"fn", "fn"}, {"FN", "fn"}, {"backslash", "\\"}, {"grave", "`"}, {"numpad5", "Numpad5"}, {"click", "Click"},
            {"delete", QStringLiteral("\u2326")},  // forward delete
            {"backspace", QStringLiteral("\u232B")}, {"minus", QStringLiteral("\u2212")}, {"super", QStringLiteral("\u2756")},
            {"mouseWheel", "Mousewheel"}, {"pgup", "Pgup"},  // not a name of Page Up
            // One user-perceived character, however many code points.
            {QStringLiteral("e\u0301"), QStringLiteral("E\u0301")},
            {QStringLiteral("\U00010428"), QStringLiteral("\U00010400")},
            {QStringLiteral("\U0001F1E9\U0001F1EA"), QStringLiteral("\U0001F1E9\U0001F1EA")},
            {"ab", "Ab"},
        };
        for (const auto &[token, label] : cases)
            QCOMPARE(keySymbol(token), label);
    }
};

QTEST_APPLESS_MAIN(TestKeyNotation)
#include "tst_keynotation.moc"
