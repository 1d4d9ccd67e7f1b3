#pragma once

#include <QList>
#include <QWidget>

class AccentSwatch;
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
    const QList<AccentSwatch *> &swatches() const { return swatchList_; }
    ToggleSwitch *installedSwitch() const { return onlyInstalled_; }
    ToggleSwitch *readInstalledSwitch() const { return readInstalled_; }
    // The credit line for the catalogue that ships with the program.
    static QString creditLine();

private:
    void syncFromPreferences();

    Preferences &preferences_;
    HotKeyRecorderView *recorder_;
    QList<AccentSwatch *> swatchList_;
    ToggleSwitch *onlyInstalled_;
    ToggleSwitch *readInstalled_;
};
