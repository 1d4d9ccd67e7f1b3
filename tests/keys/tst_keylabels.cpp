#include "keys/KeyLabels.h"
#include "keys/KeyNotation.h"

#include <QCoreApplication>
#include <QTest>
#include <QTranslator>

using KeyNotation::parseKeyGroups;

// What a Linux user reads on the caps, from what the data files write.
class TestKeyLabels : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void wordsFromKeyText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<KeyGroups>("words");
        // Modifiers in the order Ctrl, Alt, Shift, Super whatever the file wrote.
        QTest::newRow("ordered") << "shift+ctrl+t" << KeyGroups{{"Ctrl", "Shift", "T"}};
        QTest::newRow("all four") << "super+shift+alt+ctrl+x" << KeyGroups{{"Ctrl", "Alt", "Shift", "Super", "X"}};
        QTest::newRow("key stays after modifiers") << "k+shift" << KeyGroups{{"Shift", "K"}};
        QTest::newRow("sequence") << "ctrl+k ctrl+s" << KeyGroups{{"Ctrl", "K"}, {"Ctrl", "S"}};
        QTest::newRow("arrows stay arrows") << "alt+left" << KeyGroups{{"Alt", QStringLiteral("\u2190")}};
        QTest::newRow("meta and win are Super") << "meta+win" << KeyGroups{{"Super", "Super"}};
        QTest::newRow("numpad") << "numpad5 numpadplus numpaddivide ctrl+numpadminus"
                                << KeyGroups{{"Num 5"}, {"Num +"}, {"Num /"}, {"Ctrl", QStringLiteral("Num \u2212")}};
        QTest::newRow("mouse") << "ctrl+middleclick shift+doubleclick rightclick"
                               << KeyGroups{{"Ctrl", "Middle-click"}, {"Shift", "Double-click"}, {"Right-click"}};
        QTest::newRow("unknown name kept") << "ctrl+hyper" << KeyGroups{{"Ctrl", "Hyper"}};
        QTest::newRow("punctuation kept") << "ctrl+minus ctrl+comma"
                                          << KeyGroups{{"Ctrl", QStringLiteral("\u2212")}, {"Ctrl", ","}};
    }
    void wordsFromKeyText()
    {
        QFETCH(QString, text);
        QFETCH(KeyGroups, words);
        const KeyGroups stored = parseKeyGroups(text);
        QCOMPARE(KeyLabels::groups(stored, KeyLabelStyle::Words), words);
        // The symbols style shows the stored labels as they are.
        QCOMPARE(KeyLabels::groups(stored, KeyLabelStyle::Symbols), stored);
    }

    void textForms()
    {
        const KeyGroups keys = parseKeyGroups("shift+ctrl+t");
        QCOMPARE(KeyLabels::sequenceText(keys, KeyLabelStyle::Words), "Ctrl+Shift+T");
        QCOMPARE(KeyLabels::sequenceText(keys, KeyLabelStyle::Symbols), QStringLiteral("\u21E7\u2303T"));
        QCOMPARE(KeyLabels::sequenceText(parseKeyGroups("ctrl+k ctrl+s"), KeyLabelStyle::Words), "Ctrl+K Ctrl+S");
        QCOMPARE(KeyLabels::spokenText(keys), "Ctrl Shift T");
        QCOMPARE(KeyLabels::spokenText(parseKeyGroups("ctrl+k ctrl+up")), "Ctrl K, then Ctrl Up");
        QCOMPARE(KeyLabels::spokenText({}), "");
    }

    // In German the caps read as German desktops write them, through the program's translation;
    // what goes to the log stays English.
    void wordsFollowTheLanguage()
    {
        QTranslator german;
        QVERIFY(german.load(QStringLiteral(CORVANE_TRANSLATIONS "/corvane_de.qm")));
        QCoreApplication::installTranslator(&german);
        const KeyGroups keys = parseKeyGroups("shift+ctrl+pageup delete");
        QCOMPARE(KeyLabels::sequenceText(keys, KeyLabelStyle::Words), QStringLiteral("Strg+Umschalt+Bild\u2191 Entf"));
        QCOMPARE(KeyLabels::sequenceText(keys, KeyLabelStyle::Words, KeyWords::English), "Ctrl+Shift+PgUp Del");
        QCOMPARE(KeyLabels::sequenceText(keys, KeyLabelStyle::Symbols), KeyLabels::sequenceText(keys, KeyLabelStyle::Symbols, KeyWords::English));
        QCOMPARE(KeyLabels::spokenText(parseKeyGroups("ctrl+k ctrl+up")), "Strg K, dann Strg Hoch");
        QCOMPARE(KeyLabels::hotKeyText(QStringLiteral("\u2303\u2756Space"), KeyLabelStyle::Words), "Strg+Super+Leertaste");
        QCOMPARE(KeyLabels::hotKeyText(QStringLiteral("\u2303\u2756Space"), KeyLabelStyle::Words, KeyWords::English),
                 "Ctrl+Super+Space");
        // A mouse action stays one in its German word, and says which button.
        QCOMPARE(KeyLabels::word(QStringLiteral("Rightclick")), QStringLiteral("Rechtsklick"));
        QCOMPARE(KeyLabels::mouseAction(KeyLabels::word(QStringLiteral("Rightclick"))), QStringLiteral("rightclick"));
        QVERIFY(!KeyLabels::isMouseAction(KeyLabels::word(QStringLiteral("\u2303"))));
        QCoreApplication::removeTranslator(&german);
        QCOMPARE(KeyLabels::sequenceText(keys, KeyLabelStyle::Words), "Ctrl+Shift+PgUp Del");
    }

    // Also the style names and mouse actions.
    void hotKeyTextHasOneOrder()
    {
        // A display as earlier versions stored it and a recorded one read alike, in either style.
        const QString defaultDisplay = QStringLiteral("\u2756\u21E7Space");
        const QString recorded = QStringLiteral("\u21E7\u2756Space");
        QCOMPARE(KeyLabels::hotKeyText(defaultDisplay, KeyLabelStyle::Words), "Shift+Super+Space");
        QCOMPARE(KeyLabels::hotKeyText(recorded, KeyLabelStyle::Words), "Shift+Super+Space");
        QCOMPARE(KeyLabels::hotKeyText(defaultDisplay, KeyLabelStyle::Symbols), recorded);
        QCOMPARE(KeyLabels::hotKeyText(QStringLiteral("\u2303\u2325\u23CE"), KeyLabelStyle::Words), "Ctrl+Alt+Enter");
        QCOMPARE(KeyLabels::hotKeyText(QStringLiteral("\u2303\u2325Key105"), KeyLabelStyle::Words), "Ctrl+Alt+Key105");
        QCOMPARE(KeyLabels::hotKeyText("", KeyLabelStyle::Words), "");
        QCOMPARE(KeyLabels::hotKeyText("x", KeyLabelStyle::Words), "x");

        QCOMPARE(KeyLabels::styleNamed("words"), KeyLabelStyle::Words);
        QCOMPARE(KeyLabels::styleNamed("symbols"), KeyLabelStyle::Symbols);
        QVERIFY(!KeyLabels::styleNamed("Words"));
        QVERIFY(!KeyLabels::styleNamed(""));
        QVERIFY(KeyLabels::isMouseAction("Middleclick"));
        QVERIFY(KeyLabels::isMouseAction("Middle-click"));
        QVERIFY(!KeyLabels::isMouseAction("Ctrl"));
    }
};

QTEST_GUILESS_MAIN(TestKeyLabels)
#include "tst_keylabels.moc"
