#include "keys/KeyCodes.h"
#include "panel/PanelKeyTable.h"
#include "panel/PanelPlacement.h"

#include <QTest>

using PanelKeyTable::Action;
using PanelPlacement::Screen;

class TestPanelKeysAndPlacement : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // What the keyboard does with each key is the panel controller's test (tst_panelui); here, that
    // extra modifiers do not change a list key, and that keys editing the search field stay with it,
    // Home and End without Ctrl included.
    void keyTable()
    {
        QCOMPARE(PanelKeyTable::action(KeyCodes::PageUp, KeyCodes::ShiftMask), Action::PageUp);
        QCOMPARE(PanelKeyTable::action(KeyCodes::End, KeyCodes::ControlMask | KeyCodes::ShiftMask), Action::Last);
        for (quint32 passed : {quint32(KeyCodes::LeftArrow), quint32(KeyCodes::RightArrow), quint32(KeyCodes::Home),
                               quint32(KeyCodes::End), quint32(KeyCodes::Backspace), quint32(KeyCodes::A),
                               quint32(KeyCodes::Space)}) {
            QCOMPARE(PanelKeyTable::action(passed), Action::PassOn);
            QCOMPARE(PanelKeyTable::action(passed, KeyCodes::ShiftMask), Action::PassOn);
            QVERIFY(!PanelKeyTable::swallows(PanelKeyTable::action(passed)));
        }
    }

    void qtKeysMapToVirtualCodes()
    {
        QCOMPARE(KeyCodes::fromQtKey(Qt::Key_Enter), KeyCodes::fromQtKey(Qt::Key_Enter, true));
        QCOMPARE(KeyCodes::fromQtKey(Qt::Key_5, true), quint32(KeyCodes::Keypad5));
        QCOMPARE(KeyCodes::fromQtKey(Qt::Key_5), quint32(KeyCodes::Digit5));
        QVERIFY(!KeyCodes::fromQtKey(Qt::Key_Shift));
        // Every code that has a Qt key converts back to itself.
        for (quint32 code = 0; code < 128; ++code) {
            bool keypad = false;
            const auto qtKey = KeyCodes::toQtKey(code, &keypad);
            if (qtKey)
                QCOMPARE(KeyCodes::fromQtKey(*qtKey, keypad), code);
        }
    }

    void modifierMask()
    {
        QCOMPARE(KeyCodes::fromQtModifiers(Qt::MetaModifier | Qt::ShiftModifier), 768u);
        QCOMPARE(KeyCodes::fromQtModifiers(Qt::AltModifier | Qt::ControlModifier | Qt::KeypadModifier), 0x1800u);
        QCOMPARE(KeyCodes::toQtModifiers(768), Qt::MetaModifier | Qt::ShiftModifier);
        QCOMPARE(KeyCodes::toQtModifiers(0x1000 | 0x800 | 0x1), Qt::ControlModifier | Qt::AltModifier);
    }

    void placement()
    {
        // Two screens side by side; the left one has a 27-pixel top bar.
        const QList<Screen> screens{{QRect(0, 0, 1920, 1080), QRect(0, 27, 1920, 1053)},
                                    {QRect(1920, 0, 1280, 1024), QRect(1920, 0, 1280, 1024)}};
        // Centred horizontally; raised by a tenth of the usable height above the centre.
        // Left: midY = 27 + 526.5 = 553.5; top = 553.5 - 270 - 105.3 = 178.2.
        QCOMPARE(PanelPlacement::panelOrigin(screens, 0, QPoint(100, 100)), QPoint(600, 178));
        // Right: midX = 2560, midY = 512; top = 512 - 270 - 102.4 = 139.6.
        QCOMPARE(PanelPlacement::panelOrigin(screens, 0, QPoint(3000, 1000)), QPoint(2200, 140));
        // Borders belong to the screen that starts there.
        QCOMPARE(PanelPlacement::screenUnder(screens, QPoint(1920, 0)), 1);
        QCOMPARE(PanelPlacement::screenUnder(screens, QPoint(1919, 1079)), 0);
        // Off every screen: the primary one; without screens: nowhere.
        QCOMPARE(PanelPlacement::panelOrigin(screens, 1, QPoint(-50, -50)), QPoint(2200, 140));
        QVERIFY(!PanelPlacement::panelOrigin(screens, std::nullopt, QPoint(-50, -50)));
        QVERIFY(!PanelPlacement::panelOrigin({}, 0, QPoint(0, 0)));
        // A small screen is not clamped: the panel runs past its edges.
        const QList<Screen> small{{QRect(0, 0, 640, 480), QRect(0, 0, 640, 480)}};
        QCOMPARE(PanelPlacement::panelOrigin(small, 0, QPoint(1, 1)), QPoint(-40, -78));
    }
};

QTEST_APPLESS_MAIN(TestPanelKeysAndPlacement)
#include "tst_panelkeysandplacement.moc"
