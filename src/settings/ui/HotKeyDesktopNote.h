#pragma once

#include <QWidget>

class HotKeyManager;
class Preferences;
class QLabel;
class QPushButton;

// Below the hot-key recorder, what the desktop does with the hot key when this program does not
// grab it itself: the trigger a portal bound, GNOME's custom shortcut that runs Corvane, or the
// exact line to add to the compositor's configuration, with a Copy button. Hidden on X11.
class HotKeyDesktopNote : public QWidget {
    Q_OBJECT
public:
    HotKeyDesktopNote(HotKeyManager &hotKeys, Preferences &preferences, QWidget *parent = nullptr);

    QString text() const;
    // The configuration line or command shown for copying; empty when none is shown.
    QString copyText() const;
    QPushButton *copyButton() const { return copy_; }

    void refresh();

private:
    HotKeyManager &hotKeys_;
    Preferences &preferences_;
    QLabel *text_;
    QLabel *line_;
    QPushButton *copy_;
};
