#include "keys/KeyCodes.h"
#include "services/MemoryDefaultsStore.h"
#include "platform/x11/X11Display.h"
#include "platform/x11/X11KeyboardLayout.h"
#include "settings/HotKeyRecorder.h"
#include "settings/Preferences.h"
#include "settings/ui/HotKeyRecorderView.h"

#include <QApplication>
#include <QKeyEvent>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <memory>
#include <xcb/xcb_keysyms.h>

namespace {

// The keycode that carries a keysym on the server's current keymap; 0 when none does.
quint32 keycodeOf(quint32 keysym)
{
    const auto display = X11Display::ofApplication();
    std::unique_ptr<xcb_key_symbols_t, void (*)(xcb_key_symbols_t *)> symbols(
        xcb_key_symbols_alloc(display->connection()), xcb_key_symbols_free);
    xcb_keycode_t *codes = xcb_key_symbols_get_keycode(symbols.get(), keysym);
    const quint32 code = codes ? codes[0] : 0;
    std::free(codes);
    return code;
}

bool setLayout(const QString &layout)
{
    return QProcess::execute(QStringLiteral("setxkbmap"), {layout}) == 0;
}

// A key press as the X server reports it: Qt's key for the shifted symbol, the physical key's code.
void press(QWidget *target, int qtKey, Qt::KeyboardModifiers modifiers, quint32 scanCode, const QString &text)
{
    QKeyEvent event(QEvent::KeyPress, qtKey, modifiers, scanCode, 0, 0, text);
    QApplication::sendEvent(target, &event);
}

} // namespace

// The recorder names a key by what it prints without Shift, on the layout in use.
class TestX11KeyboardLayout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        if (!X11Display::ofApplication())
            QSKIP("needs an X11 display");
        QVERIFY(setLayout("us"));
    }
    void cleanupTestCase() { setLayout("us"); }

    void usLayout()
    {
        const X11KeyboardLayout layout;
        const quint32 one = keycodeOf('1'), slash = keycodeOf('/'), keypad5 = keycodeOf(0xffb5);
        QVERIFY(one && slash);
        QCOMPARE(layout.baseKey(one)->qtKey, int(Qt::Key_1));
        QCOMPARE(layout.baseKey(slash)->qtKey, int(Qt::Key_Slash));
        QCOMPARE(layout.baseKey(keycodeOf('a'))->qtKey, int(Qt::Key_A));
        QCOMPARE(layout.baseKey(keycodeOf(0xffc2))->qtKey, int(Qt::Key_F5));
        if (keypad5) {
            QVERIFY(layout.baseKey(keypad5)->keypad);
        }
        QVERIFY(!layout.baseKey(0));
        QVERIFY(!layout.baseKey(300));
    }

    void recorderTakesShiftedDigitsAndPunctuation()
    {
        MemoryDefaultsStore defaults;
        Preferences preferences(defaults);
        const X11KeyboardLayout layout;
        HotKeyRecorderView view(preferences);
        view.setKeyboardLayout(&layout);
        view.show();
        view.recorder().start();
        // Ctrl+Shift+1 arrives as "!" and Super+Shift+/ as "?".
        press(&view, Qt::Key_Exclam, Qt::ControlModifier | Qt::ShiftModifier, keycodeOf('1'), "!");
        QVERIFY(!view.recorder().isRecording());
        QCOMPARE(preferences.hotKeyCode(), qint64(KeyCodes::Digit1));
        QCOMPARE(preferences.hotKeyModifiers(), quint32(KeyCodes::ControlMask | KeyCodes::ShiftMask));
        QCOMPARE(preferences.hotKeyText(), "Ctrl+Shift+1");
        view.recorder().start();
        press(&view, Qt::Key_Question, Qt::MetaModifier | Qt::ShiftModifier, keycodeOf('/'), "?");
        QCOMPARE(preferences.hotKeyCode(), qint64(KeyCodes::Slash));
        QCOMPARE(preferences.hotKeyText(), "Shift+Super+/");
    }

    void germanLayout()
    {
        // Keycodes of the US layout's keys, then the same physical keys on a German layout.
        const quint32 y = keycodeOf('y'), seven = keycodeOf('7'), bracket = keycodeOf('[');
        if (!setLayout("de"))
            QSKIP("setxkbmap de failed");
        QTRY_VERIFY_WITH_TIMEOUT(keycodeOf(0xfc /* udiaeresis */) != 0, 3000);
        const X11KeyboardLayout layout;
        QCOMPARE(layout.baseKey(y)->qtKey, int(Qt::Key_Z));      // QWERTZ
        QCOMPARE(layout.baseKey(seven)->qtKey, int(Qt::Key_7));  // Shift+7 prints "/"
        QVERIFY(!layout.baseKey(bracket));                      // ü: no key the program can store

        MemoryDefaultsStore defaults;
        Preferences preferences(defaults);
        HotKeyRecorderView view(preferences);
        view.setKeyboardLayout(&layout);
        view.show();
        QSignalSpy messages(&view, &HotKeyRecorderView::message);
        view.recorder().start();
        press(&view, Qt::Key_Slash, Qt::ControlModifier | Qt::ShiftModifier, seven, "/");
        QCOMPARE(preferences.hotKeyCode(), qint64(KeyCodes::Digit7));
        QCOMPARE(preferences.hotKeyText(), "Ctrl+Shift+7");
        view.recorder().start();
        press(&view, Qt::Key_Udiaeresis, Qt::ControlModifier, bracket, QStringLiteral("\u00FC"));
        QVERIFY(view.recorder().isRecording());  // not taken, and said so
        QVERIFY(!messages.isEmpty() && !messages.last().first().toString().isEmpty());
        QCOMPARE(preferences.hotKeyCode(), qint64(KeyCodes::Digit7));
        press(&view, Qt::Key_Z, Qt::ControlModifier | Qt::AltModifier, y, "z");
        QCOMPARE(preferences.hotKeyCode(), qint64(KeyCodes::Z));
    }
};

QTEST_MAIN(TestX11KeyboardLayout)
#include "tst_x11keyboardlayout.moc"
