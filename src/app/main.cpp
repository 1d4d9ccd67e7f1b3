#include "app/AppDelegate.h"
#include "app/MenuModel.h"
#include "app/SessionBackends.h"
#include "app/TrayMenu.h"
#include "catalogue/ui/IconLoader.h"
#include "panel/ui/PanelController.h"
#include "panel/ui/SectionListAccessible.h"
#include "platform/freedesktop/DesktopNotifier.h"
#include "platform/PlatformProfile.h"
#include "platform/ResourcePaths.h"
#include "app/SingleInstance.h"
#include "platform/StandardDefaults.h"
#include "settings/HotKeyManager.h"
#include "settings/Preferences.h"
#include "settings/ui/AccentSwatchAccessible.h"
#include "settings/ui/SettingsWindowController.h"

#include "corvane_version.h"

#include <QAccessible>
#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <optional>

namespace {

const char helpText[] =
    "Usage: corvane [OPTION]\n"
    "Shows the keyboard shortcuts of the application you are working in. Corvane stays in the tray;\n"
    "its hot key (Super+Shift+Space unless changed in the settings) opens the panel.\n"
    "Only one Corvane runs per session: a later launch passes its request to the running one.\n"
    "\n"
    "  --toggle          show the panel, or hide it when it is open\n"
    "  --show            show the panel\n"
    "  --settings        open the settings\n"
    "  --quit            quit the running Corvane\n"
    "  --show-on-launch  keep the panel on screen when another window takes the focus\n"
    "  -h, --help        print this help and exit\n"
    "  --version         print the version and exit\n";

// --help and --version are answered before anything needs a display or reaches a running instance.
std::optional<int> answerInformationRequest(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0)
            break;
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(helpText, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("corvane %s\n", CORVANE_VERSION);
            return 0;
        }
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char *argv[])
{
    if (const std::optional<int> code = answerInformationRequest(argc, argv))
        return *code;

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("corvane"));
    QApplication::setApplicationVersion(QStringLiteral(CORVANE_VERSION));
    QApplication::setDesktopFileName(QLatin1String(PlatformProfile::applicationId));
    QApplication::setQuitOnLastWindowClosed(false);

    // One program per session: a later launch passes its request on and ends.
    const QStringList arguments = QApplication::arguments();
    const QString command = SingleInstance::commandFor(arguments);
    const QString activationToken = SingleInstance::activationTokenFromEnvironment();
    SingleInstance instance;
    if (instance.sendToRunning(command, activationToken))
        return 0;
    if (command == QLatin1String("quit"))
        return 0;  // nothing runs that could quit
    if (!instance.listen())
        return instance.sendToRunning(command, activationToken) ? 0 : 1;

    // What screen readers see of the views Qt does not know.
    QAccessible::installFactory(SectionListAccessible::factory);
    QAccessible::installFactory(AccentSwatchAccessible::factory);

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
        else if (request == QLatin1String("quit"))
            QApplication::quit();
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
