#include "app/AppDelegate.h"
#include "app/MenuModel.h"
#include "app/SessionBackends.h"
#include "app/TrayMenu.h"
#include "catalogue/ui/IconLoader.h"
#include "panel/ui/PanelController.h"
#include "platform/freedesktop/DesktopNotifier.h"
#include "platform/PlatformProfile.h"
#include "platform/ResourcePaths.h"
#include "app/SingleInstance.h"
#include "platform/StandardDefaults.h"
#include "settings/HotKeyManager.h"
#include "settings/Preferences.h"
#include "settings/ui/SettingsWindowController.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("corvane"));
    QApplication::setDesktopFileName(QLatin1String(PlatformProfile::applicationId));
    QApplication::setQuitOnLastWindowClosed(false);

    // One program per session: a later launch passes its request on and ends.
    const QStringList arguments = QApplication::arguments();
    const QString command = SingleInstance::commandFor(arguments);
    const QString activationToken = SingleInstance::activationTokenFromEnvironment();
    SingleInstance instance;
    if (instance.sendToRunning(command, activationToken))
        return 0;
    if (!instance.listen())
        return instance.sendToRunning(command, activationToken) ? 0 : 1;

    SessionBackends backends;
    LinuxWorkspace &workspace = backends.workspace();
    Preferences &preferences = Preferences::shared();
    IconLoader::createShared(&workspace);
    SettingsWindowController::createShared(preferences, &backends.windowSystem());
    HotKeyManager::shared().setBackend(backends.takeHotKeyBackend());

    AppDelegate delegate({preferences, StandardDefaults::shared(), workspace, backends.activations(),
                          IconLoader::shared(), &backends.windowSystem(), &backends.keyBindingSettings()},
                         ResourcePaths::folder(QStringLiteral("ShortcutData")),
                         QLatin1String(PlatformProfile::keymapPlatform), arguments);

    MenuModel menuModel(backends.loginItem());
    TrayMenu tray(menuModel, preferences,
                  {[&delegate] {
                       if (delegate.panelController())
                           delegate.panelController()->show();
                   },
                   [] { SettingsWindowController::shared().open(); }, [] { QApplication::quit(); }});

    auto perform = [&delegate](const QString &request, const QString &activationToken = QString()) {
        Q_UNUSED(activationToken);  // used by window systems that hand focus with a token
        PanelController *panel = delegate.panelController();
        if (request == QLatin1String("toggle") && panel)
            panel->toggle();
        else if (request == QLatin1String("show") && panel)
            panel->show();
        else if (request == QLatin1String("settings") || request == QLatin1String("open"))
            SettingsWindowController::shared().open();
    };
    QObject::connect(&instance, &SingleInstance::commandReceived, &delegate, perform);

    // A hot key that another program holds: say so, and offer the recorder at once.
    QObject::connect(&delegate, &AppDelegate::hotKeyRefused, &delegate, [](const QString &display) {
        DesktopNotifier::notify(QApplication::translate("main", "Hot key unavailable"),
                                QApplication::translate("main", "%1 is in use by another program. Choose another "
                                                                "shortcut in the settings.")
                                    .arg(display));
        SettingsWindowController::shared().open(true);
    });

    QTimer::singleShot(0, &delegate, [&] {
        delegate.applicationDidFinishLaunching();
        // Launched with a request (a desktop shortcut bound to --toggle, say): carry it out.
        if (command != QLatin1String("open"))
            perform(command);
    });
    return app.exec();
}
