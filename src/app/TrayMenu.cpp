#include "app/TrayMenu.h"

#include "app/MenuModel.h"
#include "app/TrayMenuStyle.h"
#include "ui/PanelStyle.h"
#include "platform/freedesktop/TrayHostWatcher.h"
#include "settings/HotKeyManager.h"
#include "settings/Preferences.h"

#include <QAction>
#include <QMenu>
#include <QPainter>
#include <QSystemTrayIcon>

TrayMenu::TrayMenu(MenuModel &menuModel, Preferences &preferences, Actions actions, QObject *parent)
    : QObject(parent), menuModel_(menuModel), preferences_(preferences), style_(std::make_unique<TrayMenuStyle>()),
      menu_(std::make_unique<QMenu>())
{
    menu_->setStyle(style_.get());
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
    refresh();

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

QString TrayMenu::showTitle(const QString &hotKeyText)
{
    // After a tab the menu shows the text in its shortcut column, like the settings item's Ctrl+,.
    return tr("Show Shortcuts") + QLatin1Char('\t') + hotKeyText;
}

QIcon TrayMenu::icon()
{
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        // The tray's colour is unknown here (an XEmbed tray shows its own background through the
        // icon): a dark glyph on a light halo reads on light and dark trays alike.
        const qreal inset = size * 0.06;
        const QRectF glyph(inset, inset, size - 2 * inset, size - 2 * inset);
        const qreal halo = qMax<qreal>(1, size / 16.0);
        for (const QPointF &offset : {QPointF(-halo, 0), QPointF(halo, 0), QPointF(0, -halo), QPointF(0, halo)})
            PanelStyle::drawSymbol(painter, QStringLiteral("keyboard"), glyph.translated(offset), QColor(246, 246, 248, 230));
        PanelStyle::drawSymbol(painter, QStringLiteral("keyboard"), glyph, QColor(34, 36, 40));
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
