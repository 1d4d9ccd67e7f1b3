#include "app/AppDelegate.h"
#include "app/MenuModel.h"
#include "app/TrayMenu.h"
#include "catalogue/IconLoader.h"
#include "panel/ui/PanelController.h"
#include "platform/DesktopNotifier.h"
#include "platform/PlatformProfile.h"
#include "platform/ResourcePaths.h"
#include "platform/SingleInstance.h"
#include "platform/StandardDefaults.h"
#include "platform/linux/LinuxWorkspace.h"
#include "platform/linux/X11ActivationSource.h"
#include "platform/linux/X11HotKeyBackend.h"
#include "platform/linux/X11WindowSystem.h"
#include "platform/linux/XdgAutostartItem.h"
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
    SingleInstance instance;
    if (instance.sendToRunning(command))
        return 0;
    if (!instance.listen())
        return instance.sendToRunning(command) ? 0 : 1;

    LinuxWorkspace workspace;
    X11ActivationSource activations(workspace.x11Windows());
    X11WindowSystem windowSystem;
    XdgAutostartItem autostart;
    Preferences &preferences = Preferences::shared();
    IconLoader::createShared(&workspace);
    SettingsWindowController::createShared(preferences, &windowSystem);
    auto hotKeyBackend = std::make_unique<X11HotKeyBackend>();
    // Windows the hot key shows are activated with the time of its press.
    windowSystem.setUserTimeSource([backend = hotKeyBackend.get()] { return backend->lastPressTime(); });
    HotKeyManager::shared().setBackend(std::move(hotKeyBackend));

    AppDelegate delegate({preferences, StandardDefaults::shared(), workspace, activations, IconLoader::shared(),
                          &windowSystem},
                         ResourcePaths::folder(QStringLiteral("ShortcutData")),
                         QLatin1String(PlatformProfile::keymapPlatform), arguments);

    MenuModel menuModel(autostart);
    TrayMenu tray(menuModel, preferences,
                  {[&delegate] {
                       if (delegate.panelController())
                           delegate.panelController()->show();
                   },
                   [] { SettingsWindowController::shared().open(); }, [] { QApplication::quit(); }});

    auto perform = [&delegate](const QString &request) {
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
