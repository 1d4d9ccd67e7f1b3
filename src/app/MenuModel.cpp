#include "app/MenuModel.h"

#include "platform/LoginItem.h"

MenuModel::MenuModel(LoginItem &loginItem, QObject *parent)
    : QObject(parent), loginItem_(loginItem), launchAtLogin_(loginItem.status() == LoginItem::Status::Enabled)
{
}

void MenuModel::setLaunchAtLogin(bool on)
{
    launchAtLogin_ = on;
    Q_EMIT launchAtLoginChanged();
    loginItem_.applyLaunchAtLogin(on);
}
