#pragma once

#include <QObject>

class LoginItem;

// What the tray menu shows beyond the preferences: whether the program starts at login. Always what
// the desktop's autostart entry on disk says: read at creation, again whenever the menu opens (the
// user may change it in the desktop's own settings meanwhile), and after every change, so that a
// change that could not be written never shows as made.
class MenuModel : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool launchAtLogin READ launchAtLogin WRITE setLaunchAtLogin NOTIFY launchAtLoginChanged)
public:
    explicit MenuModel(LoginItem &loginItem, QObject *parent = nullptr);

    bool launchAtLogin() const { return launchAtLogin_; }
    // Brings the login item to the wanted state (also when it seems there already), then reads it
    // back and announces it. A failure is logged by the item and announced with its reason.
    void setLaunchAtLogin(bool on);
    // Reads the login item's state again; announces it when it changed.
    void refresh();

Q_SIGNALS:
    void launchAtLoginChanged();
    // The wanted state could not be written; `reason` says why.
    void launchAtLoginFailed(const QString &reason);

private:
    bool readState() const;

    LoginItem &loginItem_;
    bool launchAtLogin_;
};
