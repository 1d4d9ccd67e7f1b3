#include "app/AppDelegate.h"
#include "app/LaunchTiming.h"
#include "app/DesktopHotKeys.h"
#include "app/GraphicalSession.h"
#include "app/MenuModel.h"
#include "app/SessionBackends.h"
#include "app/TrayMenu.h"
#include "app/UiLanguage.h"
#include "catalogue/ui/IconLoader.h"
#include "panel/ui/PanelController.h"
#include "panel/ui/SectionListAccessible.h"
#include "platform/freedesktop/DesktopNotifier.h"
#include "platform/freedesktop/GettextCatalogues.h"
#include "platform/PlatformProfile.h"
#include "services/ResourcePaths.h"
#include "app/SingleInstance.h"
#include "services/StandardDefaults.h"
#include "services/SystemLog.h"
#include "platform/TerminationSignals.h"
#include "platform/WindowSystem.h"
#include "settings/HotKeyManager.h"
#include "settings/Preferences.h"
#include "settings/ui/AccentSwatchAccessible.h"
#include "settings/ui/SettingsWindowController.h"

#include "corvane_version.h"

#include <QAccessible>
#include <QApplication>
#include <QLocale>
#include <QProcessEnvironment>
#include <QScopeGuard>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <optional>

namespace {

// In English here; printed in the user's language.
const char helpText[] = QT_TRANSLATE_NOOP("main",
    "Usage: corvane [OPTION]...\n"
    "Shows the keyboard shortcuts of the application you are working in. Corvane stays in the tray;\n"
    "its hot key (Ctrl+Super+Space unless changed in the settings) opens the panel.\n"
    "Only one Corvane runs per session: a later launch passes its request to the running one.\n"
    "\n"
    "  --toggle              show the panel, or hide it when it is open\n"
    "  --show                show the panel\n"
    "  --settings            open the settings\n"
    "  --quit                quit the running Corvane\n"
    "  --show-on-launch      keep the panel on screen when another window takes the focus\n"
    "  --unregister-desktop  remove what Corvane registered in the desktop's own settings (its\n"
    "                        custom shortcut in GNOME) and exit; the uninstall runs this\n"
    "  -h, --help            print this help and exit\n"
    "  --version             print the version and exit\n"
    "\n"
    "Qt's own options (-platform, -display, ...) are taken too. Corvane needs a graphical session\n"
    "(WAYLAND_DISPLAY or DISPLAY); without one it says so and exits with status 1, but --toggle,\n"
    "--show, --settings and --quit still reach a running Corvane.\n");

// --help and --version are answered before anything needs a display or reaches a running instance.
std::optional<int> answerInformationRequest(int &argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0)
            break;
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            QCoreApplication core(argc, argv);
            UiLanguage::install(core, QLocale());
            std::fputs(QCoreApplication::translate("main", helpText).toUtf8().constData(), stdout);
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
    // The uninstall path: take away what Corvane registered with the desktop, and end. Needs no
    // display and reaches no running instance.
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "--unregister-desktop") == 0) {
            QCoreApplication core(argc, argv);
            DesktopHotKeys::unregisterAll();
            return 0;
        }
    }

    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const QString command = SingleInstance::commandFor(arguments);
    const QString activationToken = SingleInstance::activationTokenFromEnvironment();
    // Qt would spend the launcher's token on an activation of its own, before the panel exists; the
    // request hands it to the panel instead.
    qunsetenv("XDG_ACTIVATION_TOKEN");

    // One program per session: a later launch passes its request on and ends, before it needs a
    // display. Only the first builds the application.
    SingleInstance instance;
    SingleInstance::Role role = instance.claim();
    if (role == SingleInstance::Role::Later) {
        if (instance.sendToRunning(command, activationToken))
            return 0;
        role = instance.claim(); // the instance may have ended meanwhile
        if (role == SingleInstance::Role::Later) {
            SystemLog::shared().write(QStringLiteral("Corvane: ") + instance.errorString());
            return 1;
        }
    }
    if (role == SingleInstance::Role::Failed) {
        SystemLog::shared().write(QStringLiteral("Corvane: cannot start: ") + instance.errorString());
        return 1;
    }
    if (command == QLatin1String("quit"))
        return 0;  // nothing runs that could quit
    // Qt would end the process with an abort and the advice to reinstall; the truth is shorter.
    if (const std::optional<QString> reason = GraphicalSession::missing(
            QProcessEnvironment::systemEnvironment(), arguments, GraphicalSession::systemProbes())) {
        SystemLog::shared().write(QStringLiteral("Corvane needs a graphical session: ") + *reason);
        instance.close();
        return 1;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("corvane"));
    QApplication::setApplicationVersion(QStringLiteral(CORVANE_VERSION));
    QApplication::setDesktopFileName(QLatin1String(PlatformProfile::applicationId));
    QApplication::setQuitOnLastWindowClosed(false);
    UiLanguage::install(app, QLocale());
    // Other programs' message catalogues (their titles) in the same language, also where the locale
    // is not generated: set before any other thread runs.
    GettextCatalogues::useLocale(GettextCatalogues::userLocale());
    // Right to left for Arabic, Hebrew …, whether or not Qt's own translation says so.
    QApplication::setLayoutDirection(QLocale().textDirection());
    instance.listen();

    // What screen readers see of the views Qt does not know.
    QAccessible::installFactory(SectionListAccessible::factory);
    QAccessible::installFactory(AccentSwatchAccessible::factory);

    SessionBackends backends;
    LinuxWorkspace &workspace = backends.workspace();
    Preferences &preferences = Preferences::shared();
    IconLoader::createShared(&workspace);
    // The loader's worker thread ends before the workspace it asks and the application it draws with
    // (a thread that drew text keeps its fonts if it outlives the application).
    const auto iconLoaderEnd = qScopeGuard([] { IconLoader::destroyShared(); });
    SettingsWindowController::createShared(preferences, &backends.windowSystem(), &backends.keyboardLayout());
    SettingsWindowController::shared().setShellExtension(backends.shellExtension());
    HotKeyManager::shared().setBackend(backends.takeHotKeyBackend());

    AppDelegate delegate({preferences, StandardDefaults::shared(), workspace, backends.activations(),
                          IconLoader::shared(), &backends.windowSystem(), &backends.keyBindingSettings()},
                         ResourcePaths::folder(QStringLiteral("ShortcutData")),
                         QLatin1String(PlatformProfile::keymapPlatform), arguments);

    // A settings file that cannot be written: tell the user (once for each reason; the log has every
    // failure), from the main thread.
    QObject::connect(&StandardDefaults::shared(), &JsonDefaultsStore::failureReported, &delegate,
                     [](const QString &message) {
                         DesktopNotifier::notify(QApplication::translate("main", "Settings not saved"), message);
                     });
    // Changes are written in the background: the last ones reach the disk before the program ends,
    // also when the session ends it with a signal.
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &delegate, [] { StandardDefaults::shared().flush(true); });
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::received, &app, &QCoreApplication::quit);

    MenuModel menuModel(backends.loginItem());
    // The item has logged the failure; the user, who just chose the menu item, hears it too.
    QObject::connect(&menuModel, &MenuModel::launchAtLoginFailed, &delegate, [](const QString &reason) {
        DesktopNotifier::notify(QApplication::translate("main", "Launch at login not changed"), reason);
    });
    TrayMenu tray(menuModel, preferences,
                  {[&delegate] {
                       if (delegate.panelController())
                           delegate.panelController()->show();
                   },
                   [] { SettingsWindowController::shared().open(); }, [] { QApplication::quit(); }});

    auto perform = [&delegate](const QString &request, const QString &activationToken = QString()) {
        // On Wayland the window takes the keyboard with the token of the launch that asked for it.
        const ActivationRequest activation{activationToken};
        PanelController *panel = delegate.panelController();
        if (request == QLatin1String("toggle") && panel)
            panel->toggle(activation);
        else if (request == QLatin1String("show") && panel)
            panel->show(activation);
        else if (request == QLatin1String("quit"))
            QApplication::quit();
        else if (request == QLatin1String("settings") || request == QLatin1String("open"))
            SettingsWindowController::shared().open(false, activation);
    };
    QObject::connect(&instance, &SingleInstance::commandReceived, &delegate, perform);

    // A hot key that another program holds: say so, and offer the recorder at once.
    QObject::connect(&delegate, &AppDelegate::hotKeyRefused, &delegate, [](const QString &display) {
        const HotKeyManager &hotKeys = HotKeyManager::shared();
        const bool refused = hotKeys.status() == HotKeyManager::Status::Refused;
        const QString conflict = hotKeys.conflict();
        DesktopNotifier::notify(QApplication::translate("main", "Hot key unavailable"),
                                !conflict.isEmpty()
                                    ? QApplication::translate("main", "%1 is %2. Choose another shortcut in the settings.")
                                          .arg(display, conflict)
                                : refused ? QApplication::translate("main", "The desktop did not bind %1. Choose another "
                                                                            "shortcut in the settings.")
                                                .arg(display)
                                          : QApplication::translate("main", "%1 is in use by another program. Choose "
                                                                            "another shortcut in the settings.")
                                                .arg(display));
        SettingsWindowController::shared().open(true);
    });

    QTimer::singleShot(0, &delegate, [&] {
        delegate.applicationDidFinishLaunching();
        LaunchTiming::reportReady();
        // Launched with a request (a desktop shortcut bound to --toggle, say): carry it out.
        if (command != QLatin1String("open"))
            perform(command, activationToken);
    });
    const int status = app.exec();
    SettingsWindowController::destroyShared();
    instance.close();
    return status;
}
