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
#include "platform/WindowSystem.h"
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
    // Qt would spend the launcher's token on an activation of its own, before the panel exists; the
    // request below hands it to the panel instead.
    qunsetenv("XDG_ACTIVATION_TOKEN");
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
                          IconLoader::shared(), &backends.windowSystem()},
                         ResourcePaths::folder(QStringLiteral("ShortcutData")),
                         QLatin1String(PlatformProfile::keymapPlatform), arguments);

    MenuModel menuModel(backends.loginItem());
    TrayMenu tray(menuModel, preferences,
                  {[&delegate] {
                       if (delegate.panelController())
                           delegate.panelController()->show();
                   },
                   [] { SettingsWindowController::shared().open(); }, [] { QApplication::quit(); }});

    WindowSystem &windowSystem = backends.windowSystem();
    auto perform = [&delegate, &windowSystem](const QString &request, const QString &activationToken = QString()) {
        // On Wayland the panel takes the keyboard with the token of the launch that asked for it.
        windowSystem.setActivationToken(activationToken);
        PanelController *panel = delegate.panelController();
        if (request == QLatin1String("toggle") && panel)
            panel->toggle();
        else if (request == QLatin1String("show") && panel)
            panel->show();
        else if (request == QLatin1String("settings") || request == QLatin1String("open"))
            SettingsWindowController::shared().open();
        windowSystem.setActivationToken(QString());
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
            perform(command, activationToken);
    });
    return app.exec();
}
