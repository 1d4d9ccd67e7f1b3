#pragma once

#include <QObject>

class LoginItem;

// What the tray menu shows beyond the preferences: whether the program starts at login. Read from
// the desktop once, at creation; afterwards it holds the user's last choice.
class MenuModel : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool launchAtLogin READ launchAtLogin WRITE setLaunchAtLogin NOTIFY launchAtLoginChanged)
public:
    explicit MenuModel(LoginItem &loginItem, QObject *parent = nullptr);

    bool launchAtLogin() const { return launchAtLogin_; }
    // Stores and announces the value, then brings the login item to it (also when unchanged).
    void setLaunchAtLogin(bool on);

Q_SIGNALS:
    void launchAtLoginChanged();

private:
    LoginItem &loginItem_;
    bool launchAtLogin_;
};
