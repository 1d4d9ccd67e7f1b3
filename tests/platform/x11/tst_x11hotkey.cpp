// The global hot key against a real X server: presses made with xdotool, a second client holding
// the combination, a keyboard mapping changed with xmodmap.

#include "LinuxTestSupport.h"
#include "StandIns.h"
#include "keys/KeyCodes.h"
#include "services/MemoryDefaultsStore.h"
#include "services/SystemLog.h"
#include "platform/x11/X11Display.h"
#include "platform/x11/X11HotKeyBackend.h"
#include "settings/HotKeyManager.h"
#include "settings/Preferences.h"

#include <QSignalSpy>

namespace {

// X modifier bits of the default server keymap: Shift, NumLock on Mod2, Super on Mod4.
constexpr unsigned xShift = 0x01, xControl = 0x04, xNumLock = 0x10, xSuper = 0x40;
const QString spaceKeysym = QStringLiteral("0x20");

// Counts the key presses the server delivers to the root window, that is, to a key grab.
class RootKeyPresses : private QAbstractNativeEventFilter {
public:
    explicit RootKeyPresses(xcb_window_t root) : root(root) { QCoreApplication::instance()->installNativeEventFilter(this); }
    ~RootKeyPresses() override { QCoreApplication::instance()->removeNativeEventFilter(this); }
    int count = 0;

private:
    bool nativeEventFilter(const QByteArray &, void *message, qintptr *) override
    {
        const auto *event = static_cast<const xcb_generic_event_t *>(message);
        if ((event->response_type & 0x7f) == XCB_KEY_PRESS
            && reinterpret_cast<const xcb_key_press_event_t *>(event)->event == root)
            ++count;
        return false;
    }
    xcb_window_t root;
};

} // namespace

class TestX11HotKey : public QObject {
    Q_OBJECT

    MemoryDefaultsStore defaults;
    std::unique_ptr<Preferences> preferences;
    std::unique_ptr<HotKeyManager> manager;
    std::optional<X11Display> x11;
    std::unique_ptr<X11Barrier> barrier;
    int triggers = 0;
    quint32 lastPressTime = 0;

    // Presses the keys (xdotool names) and waits until every resulting event has been handled.
    void press(const QStringList &keys)
    {
        QCOMPARE(run(QStringLiteral("xdotool"), QStringList{QStringLiteral("key")} + keys), 0);
        QVERIFY(barrier->pass());
    }
    void useHotKey(quint32 code, quint32 modifiers, const QString &display)
    {
        preferences->setHotKeyCode(code);
        preferences->setHotKeyModifiers(modifiers);
        preferences->setHotKeyDisplay(display);
    }
    static QString helper() { return QStringLiteral(GRAB_HOLDER); }

private Q_SLOTS:
    void initTestCase()
    {
        x11 = X11Display::ofApplication();
        QVERIFY2(x11, "needs an X11 display (run through tests/x11/with-x11.sh)");
        barrier = std::make_unique<X11Barrier>(x11->connection(), x11->root());
        preferences = std::make_unique<Preferences>(defaults);
        manager = std::make_unique<HotKeyManager>(*preferences, std::make_unique<X11HotKeyBackend>());
        manager->setOnTrigger([this](const ActivationRequest &press) {
            ++triggers;
            lastPressTime = press.x11Time;
        });
        manager->start();
        QCOMPARE(manager->status(), HotKeyManager::Status::Registered);
    }

    void init() { triggers = 0; }

    // The default Ctrl+Super+Space, whatever the lock keys; each press brings its own server time.
    void triggersOncePerPress()
    {
        const QString hotKey = QStringLiteral("ctrl+super+space");
        press({hotKey});
        QCOMPARE(triggers, 1);
        QVERIFY(lastPressTime != 0);
        const quint32 first = lastPressTime;
        press({hotKey, hotKey});
        QCOMPARE(triggers, 3);
        QVERIFY(lastPressTime > first);
        for (const QString &lock : {QStringLiteral("Num_Lock"), QStringLiteral("Caps_Lock")}) {
            press({lock, hotKey, lock});
            QCOMPARE(triggers, 4);
            triggers = 3;
        }
        press({QStringLiteral("ctrl+space"), QStringLiteral("super+space")});
        QCOMPARE(triggers, 3);
    }

    void holdingTheKeyTriggersOnce()
    {
        QCOMPARE(run(QStringLiteral("xset"), {QStringLiteral("r"), QStringLiteral("rate"), QStringLiteral("100"),
                                              QStringLiteral("50")}),
                 0);
        RootKeyPresses presses(x11->root());
        QCOMPARE(run(QStringLiteral("xdotool"), {QStringLiteral("keydown"), QStringLiteral("ctrl+super+space")}), 0);
        // Holding the key is what is tested; the server repeats it meanwhile.
        QTest::qWait(500);
        QCOMPARE(run(QStringLiteral("xdotool"), {QStringLiteral("keyup"), QStringLiteral("ctrl+super+space")}), 0);
        QVERIFY(barrier->pass());
        QVERIFY2(presses.count > 3, "the server did not repeat the key");
        QCOMPARE(triggers, 1);
    }

    void registeringAnotherKeyReleasesTheOld()
    {
        useHotKey(KeyCodes::K, KeyCodes::ControlMask | KeyCodes::OptionMask, QStringLiteral("\u2303\u2325K"));
        manager->registerHotKey();
        QCOMPARE(manager->status(), HotKeyManager::Status::Registered);
        press({QStringLiteral("ctrl+super+space")});
        QCOMPARE(triggers, 0);
        press({QStringLiteral("ctrl+alt+k")});
        QCOMPARE(triggers, 1);
        // The old combination is free again for other programs.
        QCOMPARE(run(helper(), {QStringLiteral("probe"), spaceKeysym, QString::number(xSuper | xControl)}), 0);
    }

    void combinationHeldElsewhereIsReported()
    {
        useHotKey(49, 768, QStringLiteral("\u2756\u21E7Space"));
        // The other program holds only the NumLock variant, so our first grabs succeed before one fails.
        ChildProcess holder;
        holder.process->start(helper(), {QStringLiteral("hold"), spaceKeysym, QString::number(xSuper | xShift | xNumLock)});
        QVERIFY(holder.process->waitForReadyRead(10000));
        QCOMPARE(holder.process->readLine().trimmed(), QByteArray("grabbed"));

        SystemLog::Capture log;
        QSignalSpy statusChanged(manager.get(), &HotKeyManager::statusChanged);
        manager->registerHotKey();
        QCOMPARE(manager->status(), HotKeyManager::Status::InUse);
        QCOMPARE(statusChanged.count(), 1);
        QCOMPARE(log.lines(), QStringList{QStringLiteral("Corvane: hot key \u2756\u21E7Space is in use by another program")});
        // What was grabbed before the refusal has been given back.
        QCOMPARE(run(helper(), {QStringLiteral("probe"), spaceKeysym, QString::number(xSuper | xShift)}), 0);
        press({QStringLiteral("super+shift+space")});
        QCOMPARE(triggers, 0);

        holder.process->closeWriteChannel();
        QVERIFY(holder.process->waitForFinished(10000));
        manager->registerHotKey();
        QCOMPARE(manager->status(), HotKeyManager::Status::Registered);
        press({QStringLiteral("super+shift+space")});
        QCOMPARE(triggers, 1);
    }

    void keyAppearingInTheKeymapIsGrabbed()
    {
        // F19 is not on the server's default keymap until xmodmap puts it on a free key code.
        useHotKey(KeyCodes::F19, KeyCodes::ControlMask, QStringLiteral("\u2303F19"));
        SystemLog::Capture log;
        manager->registerHotKey();
        QCOMPARE(manager->status(), HotKeyManager::Status::NoSuchKey);
        QCOMPARE(log.lines(), QStringList{QStringLiteral("Corvane: hot key \u2303F19 is not on this keyboard")});

        QCOMPARE(run(QStringLiteral("xmodmap"), {QStringLiteral("-e"), QStringLiteral("keycode 202 = F19")}), 0);
        QTRY_COMPARE(manager->status(), HotKeyManager::Status::Registered);
        press({QStringLiteral("ctrl+F19")});
        QCOMPARE(triggers, 1);
    }

    void managerRules()
    {
        // No backend (no X11 connection): unavailable, said once however often it is asked.
        SystemLog::Capture log;
        HotKeyManager none(*preferences, nullptr);
        none.start();
        none.registerHotKey();
        QCOMPARE(none.status(), HotKeyManager::Status::Unavailable);
        QCOMPARE(log.lines().size(), 1);
        QVERIFY(log.lines().first().startsWith(QLatin1String("Corvane: global hot keys are not available")));

        // The action runs after the press has been handled, and a press without one does nothing.
        auto fake = std::make_unique<StandInHotKeyBackend>();
        StandInHotKeyBackend *backend = fake.get();
        HotKeyManager manager(*preferences, std::move(fake));
        manager.start();
        backend->press();
        QCoreApplication::processEvents();
        int calls = 0;
        manager.setOnTrigger([&](const ActivationRequest &) { ++calls; });
        backend->press();
        QCOMPARE(calls, 0);
        QCoreApplication::processEvents();
        QCOMPARE(calls, 1);
    }
};

QTEST_MAIN(TestX11HotKey)
#include "tst_x11hotkey.moc"
