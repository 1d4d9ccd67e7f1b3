#pragma once

#include <QObject>
#include <functional>
#include <memory>

class MenuModel;
class Preferences;
class QAction;
class QMenu;
class QStyle;
class QSystemTrayIcon;
class TrayHostWatcher;

// The tray icon and its menu: show the panel (with the hot key as a reminder), the settings, launch
// at login, quit.
class TrayMenu : public QObject {
    Q_OBJECT
public:
    struct Actions {
        std::function<void()> showPanel;
        std::function<void()> openSettings;
        std::function<void()> quit;
    };

    TrayMenu(MenuModel &menuModel, Preferences &preferences, Actions actions, QObject *parent = nullptr);
    ~TrayMenu() override;

    QMenu *menu() const { return menu_.get(); }
    QAction *showAction() const { return show_; }
    QAction *settingsAction() const { return settings_; }
    QAction *launchAtLoginAction() const { return launchAtLogin_; }
    QAction *quitAction() const { return quit_; }
    // "Show Shortcuts", then the hot key in the menu's shortcut column.
    static QString showTitle(const QString &hotKeyText);
    // The hot key as the menu names it: "no hot key" while none works.
    static QString hotKeyText();
    // Our keyboard glyph at the sizes trays ask for, readable on light and dark trays.
    static QIcon icon();

private:
    void refresh();
    void createIcon();
    void trayHostAppeared();

    MenuModel &menuModel_;
    Preferences &preferences_;
    std::unique_ptr<QStyle> style_;  // outlives the menu that uses it
    std::unique_ptr<QMenu> menu_;
    std::unique_ptr<QSystemTrayIcon> tray_;  // null until a tray can take the icon
    std::unique_ptr<TrayHostWatcher> hostWatcher_;
    QAction *show_;
    QAction *settings_;
    QAction *launchAtLogin_;
    QAction *quit_;
};
