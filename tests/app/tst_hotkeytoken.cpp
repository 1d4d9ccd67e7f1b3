// The activation token a desktop's shortcut service sends with a hot-key press (a version 2
// GlobalShortcuts portal does) reaches the window system with the panel that press shows, and only
// that press's show: a press that hides the panel leaves nothing behind for the tray menu's Show.
// The real delegate, hot-key manager and panel controller; the window system records what it is given.
#include "../TestSupport.h"
#include "StandIns.h"
#include "app/AppDelegate.h"
#include "catalogue/ui/IconLoader.h"
#include "panel/ui/PanelController.h"
#include "platform/ActivationSourceChain.h"
#include "platform/HotKeyBackend.h"
#include "services/StandardDefaults.h"
#include "platform/StaticWorkspace.h"
#include "platform/WindowSystem.h"
#include "settings/HotKeyManager.h"
#include "settings/Preferences.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Records the token each activation carried.
class RecordingWindowSystem : public WindowSystem {
public:
    QStringList activations;

    void activate(QWindow *, const ActivationRequest &request) override { activations << request.token; }
};

} // namespace

class TestHotKeyToken : public QObject {
    Q_OBJECT

    StaticWorkspace workspace;
    ActivationSourceChain activations;
    RecordingWindowSystem windows;
    StandInHotKeyBackend *backend = nullptr;  // owned by the manager: a desktop that reports presses, some with a token
    std::unique_ptr<IconLoader> icons;
    std::unique_ptr<AppDelegate> delegate;

    PanelController &panel() { return *delegate->panelController(); }

private Q_SLOTS:
    void initTestCase()
    {
        auto owned = std::make_unique<StandInHotKeyBackend>();
        backend = owned.get();
        HotKeyManager::shared().setBackend(std::move(owned));
        icons = std::make_unique<IconLoader>(&workspace, std::nullopt);
        delegate = std::make_unique<AppDelegate>(
            AppDelegate::Services{Preferences::shared(), StandardDefaults::shared(), workspace, activations, *icons,
                                  &windows},
            std::nullopt, QStringLiteral("linux"), QStringList{QStringLiteral("corvane")});
        delegate->applicationDidFinishLaunching();
        QCOMPARE(HotKeyManager::shared().status(), HotKeyManager::Status::Registered);
    }

    void cleanupTestCase() { delegate.reset(); }

    void pressesCarryTheirOwnToken()
    {
        // A press with a token shows the panel with that token.
        backend->press(QStringLiteral("first"));
        QTRY_VERIFY(panel().isVisible());
        QCOMPARE(windows.activations, QStringList{QStringLiteral("first")});

        // A press with a token that hides the panel: nothing is activated, and the token is gone
        // before the tray menu shows the panel again.
        backend->press(QStringLiteral("second"));
        QTRY_VERIFY(!panel().isVisible());
        QCOMPARE(windows.activations.size(), 1);
        panel().show();
        QCOMPARE(windows.activations, (QStringList{QStringLiteral("first"), QString()}));

        // A press without a token activates without one.
        panel().hide();
        backend->press(QString());
        QTRY_VERIFY(panel().isVisible());
        QCOMPARE(windows.activations, (QStringList{QStringLiteral("first"), QString(), QString()}));
    }
};

CORVANE_PRIVATE_CONFIG_TEST_MAIN(TestHotKeyToken)
#include "tst_hotkeytoken.moc"
