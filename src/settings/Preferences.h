#pragma once

#include "keys/KeyLabels.h"
#include "settings/AccentPalette.h"

#include <QObject>
#include <QString>

class DefaultsStore;

// The user's settings, loaded from the defaults store and written back on every assignment.
// Every assignment notifies, even when the value does not change.
class Preferences : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString accentName READ accentName WRITE setAccentName NOTIFY accentNameChanged)
    Q_PROPERTY(bool onlyInstalledApps READ onlyInstalledApps WRITE setOnlyInstalledApps NOTIFY onlyInstalledAppsChanged)
    Q_PROPERTY(bool readInstalledApps READ readInstalledApps WRITE setReadInstalledApps NOTIFY readInstalledAppsChanged)
    Q_PROPERTY(qint64 hotKeyCode READ hotKeyCode WRITE setHotKeyCode NOTIFY hotKeyCodeChanged)
    Q_PROPERTY(quint32 hotKeyModifiers READ hotKeyModifiers WRITE setHotKeyModifiers NOTIFY hotKeyModifiersChanged)
    Q_PROPERTY(QString hotKeyDisplay READ hotKeyDisplay WRITE setHotKeyDisplay NOTIFY hotKeyDisplayChanged)
    Q_PROPERTY(quint32 accentColor READ accentColor NOTIFY accentNameChanged)
    Q_PROPERTY(QString keyLabels READ keyLabels NOTIFY keyLabelStyleChanged)

public:
    // Posted on the notification centre after a new hot key has been stored.
    static constexpr const char *hotKeyChangedNotification = "CorvaneHotKeyChanged";

    static constexpr qint64 defaultHotKeyCode = 49;          // the space bar
    #if defined(Q_OS_MACOS) || defined(__APPLE__)
    static constexpr quint32 defaultHotKeyModifiers = 768;   // command + shift
#else
    static constexpr quint32 defaultHotKeyModifiers = 4352;  // control + command (Super)
#endif
    static QString defaultHotKeyDisplay();

    // The process-wide preferences over the user's defaults.
    static Preferences &shared();

    explicit Preferences(DefaultsStore &defaults, QObject *parent = nullptr);

    QString accentName() const { return accentName_; }
    bool onlyInstalledApps() const { return onlyInstalledApps_; }
    // "Read shortcuts from installed applications": on unless the user turned it off.
    bool readInstalledApps() const { return readInstalledApps_; }
    qint64 hotKeyCode() const { return hotKeyCode_; }
    quint32 hotKeyModifiers() const { return hotKeyModifiers_; }
    QString hotKeyDisplay() const { return hotKeyDisplay_; }
    quint32 accentColor() const { return AccentPalette::colorNamed(accentName_); }
    static const QList<AccentColor> &accentPalette() { return AccentPalette::colors(); }
    // How key caps read, stored under "keyLabels" as "words" or "symbols"; any other stored value
    // reads as the platform's own style and stays stored as it is until the user chooses.
    KeyLabelStyle keyLabelStyle() const;
    QString keyLabels() const { return keyLabels_; }
    // The hot key as the user reads it everywhere: `hotKeyDisplay` in the key-label style.
    QString hotKeyText() const { return KeyLabels::hotKeyText(hotKeyDisplay_, keyLabelStyle()); }

    void setAccentName(const QString &name);
    void setOnlyInstalledApps(bool only);
    void setReadInstalledApps(bool read);
    void setHotKeyCode(qint64 code);
    void setHotKeyModifiers(quint32 modifiers);
    void setHotKeyDisplay(const QString &display);
    void setKeyLabelStyle(KeyLabelStyle style);

Q_SIGNALS:
    void accentNameChanged();
    void onlyInstalledAppsChanged();
    void readInstalledAppsChanged();
    void hotKeyCodeChanged();
    void hotKeyModifiersChanged();
    void hotKeyDisplayChanged();
    void keyLabelStyleChanged();

private:
    DefaultsStore &defaults_;
    QString accentName_;
    bool onlyInstalledApps_;
    bool readInstalledApps_;
    qint64 hotKeyCode_;
    quint32 hotKeyModifiers_;
    QString hotKeyDisplay_;
    QString keyLabels_;
};
