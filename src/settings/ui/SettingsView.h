#pragma once

#include <QList>
#include <QWidget>

class AccentSwatch;
class ExtensionStateView;
class HotKeyDesktopNote;
class QComboBox;
class HotKeyRecorderView;
class Preferences;
class QVBoxLayout;
class ShellExtension;
class ToggleSwitch;

// The settings form: the hot key, the accent colour, the installed-applications filter, and the
// credit line of the shortcut catalogue.
class SettingsView : public QWidget {
    Q_OBJECT
public:
    static constexpr int formWidth = 460;
    static constexpr int formHeight = 400;
    static constexpr int extensionHeight = 44;  // more, with the extension's line

    explicit SettingsView(Preferences &preferences, QWidget *parent = nullptr);

    HotKeyRecorderView *recorderView() const { return recorder_; }
    HotKeyDesktopNote *desktopNote() const { return desktopNote_; }
    const QList<AccentSwatch *> &swatches() const { return swatchList_; }
    ToggleSwitch *installedSwitch() const { return onlyInstalled_; }
    ToggleSwitch *readInstalledSwitch() const { return readInstalled_; }
    // Adds the line on our desktop-shell extension (GNOME) under the shortcut, and makes room for it.
    void showExtension(ShellExtension &extension);
    ExtensionStateView *extensionView() const { return extensionView_; }
    QComboBox *keyLabelsBox() const { return keyLabels_; }
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
    ToggleSwitch *readInstalled_;
    QVBoxLayout *activationRows_ = nullptr;
    ExtensionStateView *extensionView_ = nullptr;
    QComboBox *keyLabels_;
};
