#include "keys/KeyNotation.h"

#include <QTest>

using KeyNotation::keySymbol;
using KeyNotation::parseKeyGroups;

class TestKeyNotation : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void groups_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<KeyGroups>("expected");
        const QString cmd = QStringLiteral("\u2318");
        const QString ctrl = QStringLiteral("\u2303");
        QTest::newRow("chord") << "cmd+shift+p" << KeyGroups{{cmd, QStringLiteral("\u21E7"), "P"}};
        QTest::newRow("sequence") << "ctrl+x ctrl+s" << KeyGroups{{ctrl, "X"}, {ctrl, "S"}};
        QTest::newRow("outer spaces") << "  cmd+k   " << KeyGroups{{cmd, "K"}};
        QTest::newRow("repeated spaces") << "ctrl+x   ctrl+s" << KeyGroups{{ctrl, "X"}, {ctrl, "S"}};
        QTest::newRow("names in any case") << "CMD+Option+Left"
                                           << KeyGroups{{cmd, QStringLiteral("\u2325"), QStringLiteral("\u2190")}};
        QTest::newRow("trailing plus") << "cmd++" << KeyGroups{{cmd}};
        QTest::newRow("plus by name") << "cmd+plus" << KeyGroups{{cmd, "+"}};
        QTest::newRow("lone plus") << "+" << KeyGroups{{}};
        QTest::newRow("lone plus then chord") << "+ cmd+k" << KeyGroups{{}, {cmd, "K"}};
        QTest::newRow("empty") << "" << KeyGroups{};
        QTest::newRow("spaces only") << "   " << KeyGroups{};
        // Only U+0020 separates chords: a tab is part of a token.
        QTest::newRow("tab is not a separator") << "a\tb" << KeyGroups{{"A\tb"}};
    }
    void groups()
    {
        QFETCH(QString, text);
        QFETCH(KeyGroups, expected);
        QCOMPARE(parseKeyGroups(text), expected);
    }

    void symbols_data()
    {
        QTest::addColumn<QString>("token");
        QTest::addColumn<QString>("label");
        QTest::newRow("letter") << "a" << "A";
        QTest::newRow("punctuation") << "=" << "=";
        QTest::newRow("f5") << "f5" << "F5";
        QTest::newRow("F12") << "F12" << "F12";
        QTest::newRow("f alone") << "f" << "F";
        QTest::newRow("fx") << "fx" << "Fx";
        QTest::newRow("negative f number") << "f-1" << "F-1";
        QTest::newRow("f with huge number") << "f99999999999999999999" << "F99999999999999999999";
        QTest::newRow("f at int64 max") << "f9223372036854775807" << "F9223372036854775807";
        QTest::newRow("fn") << "fn" << "fn";
        QTest::newRow("FN") << "FN" << "fn";
        QTest::newRow("delete is forward delete") << "delete" << QStringLiteral("\u2326");
        QTest::newRow("backspace") << "backspace" << QStringLiteral("\u232B");
        QTest::newRow("minus sign") << "minus" << QStringLiteral("\u2212");
        QTest::newRow("super") << "super" << QStringLiteral("\u2756");
        QTest::newRow("backslash") << "backslash" << "\\";
        QTest::newRow("grave") << "grave" << "`";
        QTest::newRow("numpad5") << "numpad5" << "Numpad5";
        QTest::newRow("click") << "click" << "Click";
        QTest::newRow("mixed case word") << "mouseWheel" << "Mousewheel";
        QTest::newRow("pgup is not pageup") << "pgup" << "Pgup";
        // One user-perceived character, however many code points.
        QTest::newRow("combining mark") << QStringLiteral("e\u0301") << QStringLiteral("E\u0301");
        QTest::newRow("astral letter") << QStringLiteral("\U00010428") << QStringLiteral("\U00010400");
        QTest::newRow("emoji flag") << QStringLiteral("\U0001F1E9\U0001F1EA") << QStringLiteral("\U0001F1E9\U0001F1EA");
        QTest::newRow("two letters") << "ab" << "Ab";
    }
    void symbols()
    {
        QFETCH(QString, token);
        QFETCH(QString, label);
        QCOMPARE(keySymbol(token), label);
    }

    void everyTableNameHasItsLabel()
    {
        const QStringList names{"cmd", "command", "shift", "opt", "option", "alt", "ctrl", "control", "win",
                                "super", "meta", "fn", "up", "down", "left", "right", "enter", "return", "esc",
                                "escape", "backspace", "delete", "del", "forwarddelete", "tab", "space",
                                "capslock", "pageup", "pagedown", "home", "end", "plus", "minus", "dash",
                                "equal", "equals", "comma", "period", "dot", "slash", "backslash", "semicolon",
                                "quote", "apostrophe", "backtick", "grave", "tilde", "leftbracket", "rightbracket"};
        QCOMPARE(names.size(), 49);
        QSet<QString> labels;
        for (const QString &name : names) {
            QVERIFY2(KeyNotation::isNamedKey(name.toUpper()), qPrintable(name));
            const QString label = keySymbol(name);
            QVERIFY(!label.isEmpty());
            labels.insert(label);
        }
        QCOMPARE(labels.size(), 34);
    }
};

QTEST_APPLESS_MAIN(TestKeyNotation)
#include "tst_keynotation.moc"
