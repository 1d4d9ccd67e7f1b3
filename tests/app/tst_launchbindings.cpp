// The user's key bindings at launch: the launch steps (after which the tray and the panel are ready)
// do not read them; the next turn of the event loop does, and what they change reaches the catalogue
// and the hot key as a later change would: a desktop binding the user put on Corvane's key is
// reported as a conflict, and the key is registered again once the user frees it.
// The real delegate and hot-key manager on the shipped catalogue; GNOME's settings are a stand-in.
#include "StandIns.h"
#include "app/AppDelegate.h"
#include "catalogue/ui/IconLoader.h"
#include "platform/ActivationSourceChain.h"
#include "platform/HotKeyBackend.h"
#include "platform/KeyBindingSettings.h"
#include "services/StandardDefaults.h"
#include "platform/StaticWorkspace.h"
#include "settings/HotKeyManager.h"
#include "settings/Preferences.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

AppBindings customShortcut(const QString &keys)
{
    UserBinding binding;
    binding.action = QStringLiteral("custom:/org/gnome/settings-daemon/plugins/media-keys/custom-keybindings/custom0/");
    binding.keys = QStringList{keys};
    binding.title = QStringLiteral("Open a terminal");
    binding.section = QStringLiteral("Custom Shortcuts");
    return AppBindings{QStringLiteral("org.gnome.Shell"), AppBindings::Notation::Gtk, false, {binding}};
}

} // namespace

class TestLaunchBindings : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void bindingsArriveAfterTheLaunchSteps()
    {
        auto owned = std::make_unique<StandInHotKeyBackend>();
        StandInHotKeyBackend *backend = owned.get();
        HotKeyManager::shared().setBackend(std::move(owned));
        StaticWorkspace workspace;
        ActivationSourceChain activations;
        IconLoader icons(&workspace, std::nullopt);
        StandInKeyBindingSettings settings;  // GNOME's settings; the test changes them and says so
        // The user gave Corvane's default key to a custom shortcut of GNOME's.
        settings.values = {customShortcut(QStringLiteral("<Primary><Super>space"))};
        AppDelegate delegate(AppDelegate::Services{Preferences::shared(), StandardDefaults::shared(), workspace,
                                                   activations, icons, nullptr, &settings},
                             QStringLiteral(CORVANE_SOURCE_DIR "/data/ShortcutData"), QStringLiteral("linux"),
                             QStringList{QStringLiteral("corvane")});
        delegate.applicationDidFinishLaunching();
        QCOMPARE(settings.reads, 0);
        QCOMPARE(HotKeyManager::shared().status(), HotKeyManager::Status::Registered);
        QCOMPARE(int(backend->grabbed.size()), 1);

        // The next turn: read once, watched from then on, and the conflict is found.
        QSignalSpy refused(&delegate, &AppDelegate::hotKeyRefused);
        QTRY_COMPARE(settings.reads, 1);
        QVERIFY(settings.changed);
        QCOMPARE(HotKeyManager::shared().status(), HotKeyManager::Status::InUse);
        QVERIFY2(HotKeyManager::shared().conflict().contains(QStringLiteral("Open a terminal")),
                 qPrintable(HotKeyManager::shared().conflict()));
        QCOMPARE(refused.size(), 1);

        // The user moves the custom shortcut elsewhere: the key is Corvane's again.
        settings.values = {customShortcut(QStringLiteral("<Primary><Alt>t"))};
        settings.changed();
        QTRY_COMPARE(HotKeyManager::shared().status(), HotKeyManager::Status::Registered);
        QVERIFY(HotKeyManager::shared().conflict().isEmpty());
        QCOMPARE(int(backend->grabbed.size()), 2);
    }
};

int main(int argc, char **argv)
{
    // The shared preferences read and write their file here, not the user's; the desktop is GNOME.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    qputenv("XDG_CURRENT_DESKTOP", "GNOME");
    QApplication app(argc, argv);
    TestLaunchBindings test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_launchbindings.moc"
