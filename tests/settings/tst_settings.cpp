#include "keys/KeyCodes.h"
#include "services/MemoryDefaultsStore.h"
#include "platform/NotificationCenter.h"
#include "settings/HotKeyRecorder.h"
#include "settings/Preferences.h"
#include "settings/ui/AccentSwatch.h"
#include "settings/ui/HotKeyRecorderView.h"
#include "settings/ui/SettingsView.h"
#include "settings/ui/SettingsWindowController.h"
#include "settings/ui/ToggleSwitch.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

using KeyCodes::CommandMask;
using KeyCodes::ControlMask;
using KeyCodes::OptionMask;
using KeyCodes::ShiftMask;

class TestSettings : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void recorderStoresTheCombination()
    {
        MemoryDefaultsStore defaults;
        Preferences preferences(defaults);
        HotKeyRecorder recorder(preferences);
        QSignalSpy posted(&NotificationCenter::shared(), &NotificationCenter::posted);

        // Not recording: keys do nothing.
        QCOMPARE(recorder.handleKey(KeyCodes::K, CommandMask, "k"), HotKeyRecorder::Outcome::Ignored);
        recorder.start();
        // A plain letter is ignored and recording goes on; Escape alone cancels without a change.
        QCOMPARE(recorder.handleKey(KeyCodes::K, 0, "k"), HotKeyRecorder::Outcome::Ignored);
        QVERIFY(recorder.isRecording());
        QCOMPARE(recorder.handleKey(KeyCodes::Escape, 0, ""), HotKeyRecorder::Outcome::Cancelled);
        QVERIFY(!recorder.isRecording());
        QVERIFY(defaults.values().isEmpty());
        QCOMPARE(posted.count(), 0);

        // Shift alone with a key that types would take that character from every application: refused
        // with a message, recording goes on. Shift with a function key is no typing.
        recorder.start();
        for (const auto &[code, characters] : {std::pair{KeyCodes::K, "k"}, {KeyCodes::Space, " "}, {KeyCodes::Digit1, "1"},
                                                {KeyCodes::Slash, "/"}, {KeyCodes::Keypad5, "5"}}) {
            QCOMPARE(recorder.handleKey(code, ShiftMask, characters), HotKeyRecorder::Outcome::Refused);
            QVERIFY(recorder.refusalMessage().contains("Ctrl, Alt or Super"));
            QVERIFY(recorder.isRecording());
        }
        QVERIFY(defaults.values().isEmpty());
        QCOMPARE(recorder.handleKey(KeyCodes::F5, ShiftMask, "F5"), HotKeyRecorder::Outcome::Recorded);
        QVERIFY(recorder.refusalMessage().isEmpty());
        QCOMPARE(posted.count(), 1);

        recorder.start();
        QCOMPARE(recorder.handleKey(KeyCodes::K, CommandMask | ShiftMask, "k"), HotKeyRecorder::Outcome::Recorded);
        QVERIFY(!recorder.isRecording());
        QCOMPARE(preferences.hotKeyCode(), 40);
        QCOMPARE(preferences.hotKeyModifiers(), 768u);
        QCOMPARE(preferences.hotKeyDisplay(), QStringLiteral("\u21E7\u2756K"));
        QCOMPARE(posted.count(), 2);
        QCOMPARE(posted.last().first().toString(), "CorvaneHotKeyChanged");
    }

    // Modifiers in a fixed order, keys by their symbol or their name, a key without characters by number.
    void displayText()
    {
        const struct {
            quint32 code, mask;
            QString characters, display;
        } cases[] = {
            {KeyCodes::Space, ControlMask | OptionMask, " ", QStringLiteral("\u2303\u2325Space")},
            {KeyCodes::A, CommandMask | ShiftMask | OptionMask | ControlMask, "a", QStringLiteral("\u2303\u2325\u21E7\u2756A")},
            {KeyCodes::F5, OptionMask, "F5", QStringLiteral("\u2325F5")},
            {105u, OptionMask, "", QStringLiteral("\u2325Key105")},
            {KeyCodes::Escape, ShiftMask, "", QStringLiteral("\u21E7\u238B")},
            {KeyCodes::KeypadEnter, ControlMask, "", QStringLiteral("\u2303\u23CE")},
            {KeyCodes::ForwardDelete, ControlMask, "", QStringLiteral("\u2303\u2326")},
        };
        for (const auto &c : cases)
            QCOMPARE(HotKeyRecorder::displayText(c.code, c.mask, c.characters), c.display);
    }

    void recorderViewTakesEveryKeyWhileRecording()
    {
        MemoryDefaultsStore defaults;
        Preferences preferences(defaults);
        SettingsView view(preferences);
        QLineEdit other;
        view.show();
        other.show();
        HotKeyRecorderView *button = view.recorderView();
        QCOMPARE(button->text(), "Ctrl+Super+Space");
        const int width = button->width();
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(button->text(), HotKeyRecorderView::prompt());
        QCOMPARE(button->width(), width);

        // Keys typed anywhere in the program are swallowed while recording.
        QTest::keyClick(&other, Qt::Key_X);
        QCOMPARE(other.text(), "");
        QTest::keyClick(&other, Qt::Key_Shift, Qt::ShiftModifier);
        QVERIFY(button->recorder().isRecording());
        QTest::keyClick(&other, Qt::Key_J, Qt::ControlModifier | Qt::AltModifier);
        QVERIFY(!button->recorder().isRecording());
        QCOMPARE(preferences.hotKeyCode(), qint64(KeyCodes::J));
        QCOMPARE(preferences.hotKeyModifiers(), quint32(ControlMask | OptionMask));
        QCOMPARE(preferences.hotKeyDisplay(), QStringLiteral("\u2303\u2325J"));
        QCOMPARE(button->text(), "Ctrl+Alt+J");
        preferences.setKeyLabelStyle(KeyLabelStyle::Symbols);
        QCOMPARE(button->text(), QStringLiteral("\u2303\u2325J"));
        QTest::keyClick(&other, Qt::Key_X);
        QCOMPARE(other.text(), "x");

        // A second click stops recording; hiding the form stops it too.
        QTest::mouseClick(button, Qt::LeftButton);
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(!button->recorder().isRecording());
        QTest::mouseClick(button, Qt::LeftButton);
        view.hide();
        QVERIFY(!button->recorder().isRecording());
        QCOMPARE(preferences.hotKeyCode(), qint64(KeyCodes::J));
    }

    void swatchesAndSwitch()
    {
        MemoryDefaultsStore defaults;
        defaults.setValue("accentName", "yellow");
        Preferences preferences(defaults);
        SettingsView view(preferences);
        for (AccentSwatch *swatch : view.swatches())
            QVERIFY(!swatch->isSelected());  // an unknown name rings nothing
        QTest::mouseClick(view.swatches().last(), Qt::LeftButton);
        QCOMPARE(defaults.value("accentName"), QVariant("teal"));
        QVERIFY(view.swatches().last()->isSelected());
        QVERIFY(!view.swatches().first()->isSelected());

        QVERIFY(!view.installedSwitch()->isChecked());
        QTest::mouseClick(view.installedSwitch(), Qt::LeftButton);
        QCOMPARE(defaults.value("onlyInstalledApps"), QVariant(true));
        QTest::mouseClick(view.installedSwitch(), Qt::LeftButton);
        QCOMPARE(defaults.value("onlyInstalledApps"), QVariant(false));

        QStringList texts;
        for (QLabel *label : view.findChildren<QLabel *>())
            texts << label->text();
        QVERIFY(texts.contains(SettingsView::creditLine()));
        QVERIFY(SettingsView::creditLine().contains("CC BY-SA 4.0"));
    }

    void oneWindowKeptAcrossOpenings()
    {
        MemoryDefaultsStore defaults;
        Preferences preferences(defaults);
        SettingsWindowController controller(preferences, nullptr);
        QVERIFY(!controller.window());
        controller.open();
        QWidget *window = controller.window();
        QVERIFY(window && window->isVisible());
        // As tall as the form needs: nothing empty under the last line.
        QCOMPARE(window->height(), controller.view()->height());
        QVERIFY(window->height() < 400);
        QCOMPARE(window->minimumSize(), window->maximumSize());
        QVERIFY(!window->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        window->move(40, 50);
        window->close();
        QVERIFY(!window->isVisible());
        controller.open(true);
        QCOMPARE(controller.window(), window);
        QCOMPARE(window->pos(), QPoint(40, 50));
        QVERIFY(controller.view()->recorderView()->recorder().isRecording());
        window->close();  // closing while recording ends the recording without a change
        QVERIFY(!controller.view()->recorderView()->recorder().isRecording());
        QCOMPARE(preferences.hotKeyCode(), 49);
    }
};

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
