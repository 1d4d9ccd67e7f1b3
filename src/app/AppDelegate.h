#pragma once

#include "catalogue/ShortcutDiscovery.h"
#include "catalogue/ShortcutStore.h"
#include "panel/FavoritesStore.h"

#include <QObject>
#include <QStringList>
#include <future>
#include <memory>
#include <optional>

class ActivationSource;
class DiscoveryRunner;
class DefaultsStore;
class IconLoader;
class KeyBindingSettings;
class UserBindings;
class PanelController;
class PanelViewModel;
class Preferences;
class WindowSystem;
class Workspace;

// Creates the long-lived objects once the program has started, in a fixed order, and wires them
// together: catalogue, view model, panel controller, active-application tracking, the global hot key
// and the observer that registers a newly recorded hot key.
class AppDelegate : public QObject {
    Q_OBJECT
public:
    struct Services {
        Preferences &preferences;
        DefaultsStore &defaults;
        Workspace &workspace;
        ActivationSource &activations;
        IconLoader &icons;
        WindowSystem *windowSystem = nullptr;
        // GNOME's key bindings; null where the session has no settings database.
        KeyBindingSettings *keyBindingSettings = nullptr;
    };

    AppDelegate(Services services, std::optional<QString> shortcutData, QString platform, QStringList arguments,
                QObject *parent = nullptr);
    ~AppDelegate() override;

    // The launch steps; runs once, when the event loop has started. The data files are read from
    // construction on, on a thread of their own, while the window system and the tray start; the
    // launch steps wait for them.
    void applicationDidFinishLaunching();

    FavoritesStore &favorites() { return favorites_; }
    PanelViewModel *viewModel() const { return viewModel_.get(); }
    PanelController *panelController() const { return panelController_.get(); }

Q_SIGNALS:
    // The stored hot key could not be taken (another program holds it, or the desktop refused it).
    void hotKeyRefused(const QString &display);

private:
    void hotKeyStatusChanged();
    // Reads the shortcuts windows of installed applications in the background, when the setting
    // asks for it; turning the setting off takes their sections out again.
    void readInstalledAppsChanged();
    void discoveryFinished(const ShortcutDiscovery::Outcome &outcome, qint64 milliseconds);
    // Reads the user's key bindings for the first time, applies them and follows their changes.
    void readUserBindings();
    // Applies changed bindings and tells the panel and the hot key.
    void userBindingsChanged();
    // Applies the user's current key bindings to the shipped catalogue; false when nothing changed.
    bool applyUserBindings();

    Services services_;
    QStringList arguments_;
    ShortcutStore store_;
    std::future<void> loading_;  // store_ is the loader's until this is done
    FavoritesStore favorites_;
    std::unique_ptr<PanelViewModel> viewModel_;
    std::unique_ptr<PanelController> panelController_;
    std::unique_ptr<DiscoveryRunner> discovery_;
    QList<AppShortcuts> shipped_;
    std::unique_ptr<UserBindings> userBindings_;
    bool customised_ = false;
};
