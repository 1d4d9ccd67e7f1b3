#include "app/TrayMenu.h"

#include "app/MenuModel.h"
#include "ui/PanelStyle.h"
#include "platform/freedesktop/TrayHostWatcher.h"
#include "settings/Preferences.h"

#include <QAction>
#include <QMenu>
#include <QPainter>
#include <QSystemTrayIcon>

TrayMenu::TrayMenu(MenuModel &menuModel, Preferences &preferences, Actions actions, QObject *parent)
    : QObject(parent), menuModel(menuModel), preferences(preferences), menu_(std::make_unique<QMenu>())
{
    show = menu_->addAction(showTitle(preferences.hotKeyDisplay()));
    connect(show, &QAction::triggered, this, [f = actions.showPanel] { f(); });
    settings = menu_->addAction(tr("Settings\u2026"));
    settings->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Comma));
    settings->setShortcutVisibleInContextMenu(true);
    connect(settings, &QAction::triggered, this, [f = actions.openSettings] { f(); });
    launchAtLogin = menu_->addAction(tr("Launch at Login"));
    launchAtLogin->setCheckable(true);
    launchAtLogin->setChecked(menuModel.launchAtLogin());
    connect(launchAtLogin, &QAction::triggered, this, [this](bool checked) { this->menuModel.setLaunchAtLogin(checked); });
    menu_->addSeparator();
    quit = menu_->addAction(tr("Quit Corvane"));
    connect(quit, &QAction::triggered, this, [f = actions.quit] { f(); });

    connect(menu_.get(), &QMenu::aboutToShow, this, &TrayMenu::refresh);
    connect(&preferences, &Preferences::hotKeyDisplayChanged, this, &TrayMenu::refresh);
    connect(&menuModel, &MenuModel::launchAtLoginChanged, this, &TrayMenu::refresh);

    tray = std::make_unique<QSystemTrayIcon>(icon());
    tray->setToolTip(QStringLiteral("Corvane"));
    tray->setContextMenu(menu_.get());
    // A left click opens the menu too, as a menu-bar item would.
    connect(tray.get(), &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger)
            menu_->popup(QCursor::pos());
    });
    hostWatcher = std::make_unique<TrayHostWatcher>();
    connect(hostWatcher.get(), &TrayHostWatcher::trayHostAppeared, this, &TrayMenu::showIcon);
    tray->show();
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
    show->setText(showTitle(preferences.hotKeyDisplay()));
    launchAtLogin->setChecked(menuModel.launchAtLogin());
}

void TrayMenu::showIcon()
{
    // The tray host started after us: announce the icon again so it is picked up.
    tray->hide();
    tray->show();
}
