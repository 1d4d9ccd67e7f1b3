#pragma once

#include <QList>
#include <QWidget>

class AccentSwatch;
class HotKeyDesktopNote;
class HotKeyRecorderView;
class Preferences;
class ToggleSwitch;

// The settings form: the hot key, the accent colour, the installed-applications filter, and the
// credit line of the shortcut catalogue.
class SettingsView : public QWidget {
    Q_OBJECT
public:
    static constexpr int formWidth = 460;
    static constexpr int formHeight = 400;

    explicit SettingsView(Preferences &preferences, QWidget *parent = nullptr);

    HotKeyRecorderView *recorderView() const { return recorder_; }
    HotKeyDesktopNote *desktopNote() const { return desktopNote_; }
    const QList<AccentSwatch *> &swatches() const { return swatchList_; }
    ToggleSwitch *installedSwitch() const { return onlyInstalled_; }
    // The credit line for the catalogue that ships with the program.
    static QString creditLine();

private:
    void syncFromPreferences();
    void syncHotKeyOwner();

    Preferences &preferences_;
    HotKeyRecorderView *recorder_;
    HotKeyDesktopNote *desktopNote_;
    QList<AccentSwatch *> swatchList_;
    ToggleSwitch *onlyInstalled_;
};
