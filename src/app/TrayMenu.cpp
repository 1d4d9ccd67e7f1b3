#include "app/TrayMenu.h"

#include "app/MenuModel.h"
#include "app/TrayIconEngine.h"
#include "app/TrayMenuStyle.h"
#include "platform/freedesktop/TrayHostWatcher.h"
#include "settings/HotKeyManager.h"
#include "services/SystemLog.h"
#include "settings/Preferences.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenu>
#include <QSystemTrayIcon>

TrayMenu::TrayMenu(MenuModel &menuModel, Preferences &preferences, Actions actions, QObject *parent)
    : QObject(parent), menuModel_(menuModel), preferences_(preferences), style_(std::make_unique<TrayMenuStyle>()),
      menu_(std::make_unique<QMenu>())
{
    menu_->setStyle(style_.get());
    show_ = menu_->addAction(showTitle(hotKeyText()));
    connect(show_, &QAction::triggered, this, [f = actions.showPanel] { f(); });
    settings_ = menu_->addAction(tr("Settings\u2026"));
    settings_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Comma));
    settings_->setShortcutVisibleInContextMenu(true);
    connect(settings_, &QAction::triggered, this, [f = actions.openSettings] { f(); });
    launchAtLogin_ = menu_->addAction(tr("Launch at Login"));
    launchAtLogin_->setCheckable(true);
    launchAtLogin_->setChecked(menuModel.launchAtLogin());
    connect(launchAtLogin_, &QAction::triggered, this, [this](bool checked) { this->menuModel_.setLaunchAtLogin(checked); });
    menu_->addSeparator();
    quit_ = menu_->addAction(tr("Quit Corvane"));
    connect(quit_, &QAction::triggered, this, [f = actions.quit] { f(); });

    // The menu shows the autostart entry as it is on disk when it opens.
    connect(menu_.get(), &QMenu::aboutToShow, &menuModel, &MenuModel::refresh);
    connect(menu_.get(), &QMenu::aboutToShow, this, &TrayMenu::refresh);
    connect(&preferences, &Preferences::hotKeyDisplayChanged, this, &TrayMenu::refresh);
    // Where the desktop owns the binding, the trigger it reports is the one shown.
    connect(&HotKeyManager::shared(), &HotKeyManager::statusChanged, this, &TrayMenu::refresh);
    connect(&menuModel, &MenuModel::launchAtLoginChanged, this, &TrayMenu::refresh);
    refresh();

    hostWatcher_ = std::make_unique<TrayHostWatcher>();
    connect(hostWatcher_.get(), &TrayHostWatcher::trayHostAppeared, this, &TrayMenu::trayHostAppeared);
    // Qt settles once per process, with the first tray icon, whether icons go to a StatusNotifier
    // host; without one it falls back on an XEmbed tray, which only X11 has. So on any other
    // platform the icon waits for a host: made before one runs (a panel starting after us at
    // login), it would never show.
    if (QGuiApplication::platformName() == QLatin1String("xcb") || TrayHostWatcher::hostPresent())
        createIcon();
    else
        SystemLog::shared().write(QStringLiteral("Corvane: no tray yet; the icon appears when a tray starts"));
}

TrayMenu::~TrayMenu()
{
    // The icon goes first, then the actions, removed while the menu is still a menu: the tray's
    // menu on D-Bus keeps an item for each action that only its removal from a live menu frees.
    tray_.reset();
    menu_->clear();
}

QString TrayMenu::showTitle(const QString &hotKeyText)
{
    // After a tab the menu shows the text in its shortcut column, like the settings item's Ctrl+,.
    return tr("Show Shortcuts") + QLatin1Char('\t') + hotKeyText;
}

QString TrayMenu::hotKeyText()
{
    // A key the desktop holds or refused opens nothing: the menu says so rather than name it.
    const HotKeyManager &hotKeys = HotKeyManager::shared();
    switch (hotKeys.status()) {
    case HotKeyManager::Status::InUse:
    case HotKeyManager::Status::NoSuchKey:
    case HotKeyManager::Status::Refused:
        return tr("no hot key");
    default:
        return hotKeys.displayText();
    }
}

QIcon TrayMenu::icon()
{
    return QIcon(new TrayIconEngine);
}

void TrayMenu::refresh()
{
    show_->setText(showTitle(hotKeyText()));
    launchAtLogin_->setChecked(menuModel_.launchAtLogin());
}

void TrayMenu::createIcon()
{
    tray_ = std::make_unique<QSystemTrayIcon>(icon());
    tray_->setToolTip(QStringLiteral("Corvane"));
    tray_->setContextMenu(menu_.get());
    // A left click opens the menu too, as a menu-bar item would.
    connect(tray_.get(), &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger)
            menu_->popup(QCursor::pos());
    });
    tray_->show();
}

void TrayMenu::trayHostAppeared()
{
    if (!tray_ && TrayHostWatcher::hostPresent()) {
        SystemLog::shared().write(QStringLiteral("Corvane: a tray started; showing the icon"));
        createIcon();
    }
}
