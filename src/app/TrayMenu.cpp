#include "app/TrayMenu.h"

#include "app/MenuModel.h"
#include "ui/PanelStyle.h"
#include "platform/freedesktop/TrayHostWatcher.h"
#include "settings/HotKeyManager.h"
#include "settings/Preferences.h"

#include <QAction>
#include <QMenu>
#include <QPainter>
#include <QSystemTrayIcon>

TrayMenu::TrayMenu(MenuModel &menuModel, Preferences &preferences, Actions actions, QObject *parent)
    : QObject(parent), menuModel_(menuModel), preferences_(preferences), menu_(std::make_unique<QMenu>())
{
    show_ = menu_->addAction(showTitle(HotKeyManager::shared().displayText()));
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

    connect(menu_.get(), &QMenu::aboutToShow, this, &TrayMenu::refresh);
    connect(&preferences, &Preferences::hotKeyDisplayChanged, this, &TrayMenu::refresh);
    // Where the desktop owns the binding, the trigger it reports is the one shown.
    connect(&HotKeyManager::shared(), &HotKeyManager::statusChanged, this, &TrayMenu::refresh);
    connect(&menuModel, &MenuModel::launchAtLoginChanged, this, &TrayMenu::refresh);

    tray_ = std::make_unique<QSystemTrayIcon>(icon());
    tray_->setToolTip(QStringLiteral("Corvane"));
    tray_->setContextMenu(menu_.get());
    // A left click opens the menu too, as a menu-bar item would.
    connect(tray_.get(), &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger)
            menu_->popup(QCursor::pos());
    });
    hostWatcher_ = std::make_unique<TrayHostWatcher>();
    connect(hostWatcher_.get(), &TrayHostWatcher::trayHostAppeared, this, &TrayMenu::showIcon);
    tray_->show();
}

TrayMenu::~TrayMenu() = default;

QString TrayMenu::showTitle(const QString &hotKeyDisplay)
{
    return tr("Show Shortcuts  (%1)").arg(hotKeyDisplay);
}

QIcon TrayMenu::icon()
{
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        // A light glyph with a soft dark edge reads on dark and light panels alike.
        const qreal inset = size * 0.08;
        const QRectF glyph(inset, inset, size - 2 * inset, size - 2 * inset);
        PanelStyle::drawSymbol(painter, QStringLiteral("command"), glyph.translated(0, size / 32.0), QColor(0, 0, 0, 110));
        PanelStyle::drawSymbol(painter, QStringLiteral("command"), glyph, QColor(236, 236, 240));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

void TrayMenu::refresh()
{
    show_->setText(showTitle(HotKeyManager::shared().displayText()));
    launchAtLogin_->setChecked(menuModel_.launchAtLogin());
}

void TrayMenu::showIcon()
{
    // The tray host started after us: announce the icon again so it is picked up.
    tray_->hide();
    tray_->show();
}
