#pragma once

#include "platform/freedesktop/DeferredKeyBindingSettings.h"
#include "platform/freedesktop/LinuxWorkspace.h"
#include "platform/freedesktop/XdgAutostartItem.h"

#include <QString>
#include <memory>
#include <optional>

class ActivationSource;
class HotKeyBackend;
class ShellExtension;
class KeyboardLayout;
class WindowSystem;
class X11WindowIdentity;

// Picks the platform backends for this session, once, at start-up, and keeps them: the desktop
// entries and autostart of every freedesktop session, plus the window-system backend (X11 or Wayland)
// for the active application, the global hot key and the panel's window calls. Logs its choice.
class SessionBackends {
public:
    SessionBackends();
    ~SessionBackends();
    SessionBackends(const SessionBackends &) = delete;
    SessionBackends &operator=(const SessionBackends &) = delete;

    // "x11", "wayland" or "none": what the window-system backend is.
    const QString &windowSystemName() const { return windowSystemName_; }

    LinuxWorkspace &workspace() { return workspace_; }
    XdgAutostartItem &loginItem() { return autostart_; }
    ActivationSource &activations() { return *activations_; }
    WindowSystem &windowSystem() { return *windowSystem_; }
    // Our desktop-shell extension where the desktop needs one (GNOME), else null.
    ShellExtension *shellExtension() { return shellExtension_.get(); }
    // Names the physical key of a press for the hot-key recorder.
    const KeyboardLayout &keyboardLayout() const { return *keyboardLayout_; }
    // The key bindings GNOME keeps in GSettings, read through the GIO module when first asked for.
    KeyBindingSettings &keyBindingSettings() { return keyBindingSettings_; }
    // The hot-key backend, handed over once to its manager.
    std::unique_ptr<HotKeyBackend> takeHotKeyBackend();

private:
    QString windowSystemName_;
    LinuxWorkspace workspace_;
    XdgAutostartItem autostart_;
    DeferredKeyBindingSettings keyBindingSettings_{GioModule::shared()};
    std::unique_ptr<X11WindowIdentity> x11Windows_;
    std::unique_ptr<ActivationSource> activations_;
    std::unique_ptr<WindowSystem> windowSystem_;
    std::unique_ptr<HotKeyBackend> hotKeyBackend_;
    std::unique_ptr<ShellExtension> shellExtension_;
    std::unique_ptr<KeyboardLayout> keyboardLayout_;
};
