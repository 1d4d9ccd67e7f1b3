#include "app/MenuModel.h"

#include "platform/LoginItem.h"

MenuModel::MenuModel(LoginItem &loginItem, QObject *parent)
    : QObject(parent), loginItem_(loginItem), launchAtLogin_(readState())
{
}

bool MenuModel::readState() const
{
    return loginItem_.status() == LoginItem::Status::Enabled;
}

void MenuModel::setLaunchAtLogin(bool on)
{
    const std::optional<QString> error = loginItem_.applyLaunchAtLogin(on);
    launchAtLogin_ = readState();
    // Announced also when unchanged: a menu item that ticked itself on the click must untick.
    Q_EMIT launchAtLoginChanged();
    if (error)
        Q_EMIT launchAtLoginFailed(*error);
}

void MenuModel::refresh()
{
    const bool state = readState();
    if (state == launchAtLogin_)
        return;
    launchAtLogin_ = state;
    Q_EMIT launchAtLoginChanged();
}
