#pragma once

#include "platform/ActivationRequest.h"

#include <QObject>
#include <memory>

class KeyboardLayout;
class Preferences;
class ShellExtension;
class SettingsView;
class WindowSystem;
class QWidget;

// Owns the one settings window: created on the first opening, hidden (not destroyed) on close, and
// brought to the front on every opening.
class SettingsWindowController : public QObject {
    Q_OBJECT
public:
    static SettingsWindowController &shared();
    // Sets up the process-wide controller; main() calls it once before anything opens the window.
    static void createShared(Preferences &preferences, WindowSystem *windowSystem,
                             const KeyboardLayout *keyboardLayout = nullptr);
    // Closes the window and lets go of the process-wide controller: its widgets must go while the
    // application object still exists, not with the program's static objects after it.
    static void destroyShared();

    SettingsWindowController(Preferences &preferences, WindowSystem *windowSystem,
                             const KeyboardLayout *keyboardLayout = nullptr, QObject *parent = nullptr);
    ~SettingsWindowController() override;

    // Shows the window; with `startRecording` the hot-key recorder is already listening.
    // `request`: what came with the user's request to open it (an activation token).
    void open(bool startRecording = false, const ActivationRequest &request = {});
    QWidget *window() const { return window_.get(); }
    // Our desktop-shell extension, whose state the window shows; null for none. It must outlive
    // this controller's window.
    void setShellExtension(ShellExtension *extension) { shellExtension_ = extension; }
    SettingsView *view() const { return view_; }

private:
    Preferences &preferences_;
    WindowSystem *windowSystem_;
    const KeyboardLayout *keyboardLayout_;
    std::unique_ptr<QWidget> window_;
    SettingsView *view_ = nullptr;
    ShellExtension *shellExtension_ = nullptr;
};
