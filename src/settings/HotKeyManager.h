#pragma once

#include "platform/HotKeyBackend.h"

#include <QObject>
#include <functional>
#include <memory>

class Preferences;

// Makes the hot key stored in the preferences work from any application: every press calls
// `onTrigger` on the main thread, after the key event has been handled.
class HotKeyManager : public QObject {
    Q_OBJECT
    Q_PROPERTY(Status status READ status NOTIFY statusChanged)
public:
    enum class Status {
        NotRegistered,  // not started yet
        Registered,
        InUse,          // another program holds the combination, or the desktop uses it (conflict())
        NoSuchKey,      // the key is not on this keyboard
        Unavailable,    // no global hot keys in this session
        Refused,        // the desktop declined the binding or failed to make it
    };
    Q_ENUM(Status)

    // The process-wide manager over the shared preferences. It has no backend (hot keys unavailable)
    // until main() gives it the desktop's one with setBackend().
    static HotKeyManager &shared();

    // `backend` may be null: then every registration reports Unavailable.
    HotKeyManager(Preferences &preferences, std::unique_ptr<HotKeyBackend> backend, QObject *parent = nullptr);
    ~HotKeyManager() override;

    // Replaces the backend; whatever the old one held is released. Call before start().
    void setBackend(std::unique_ptr<HotKeyBackend> backend);
    // The action for a press, given what the press brings for activating a window; replacing it
    // drops the previous one.
    void setOnTrigger(std::function<void(const ActivationRequest &)> action);
    // What the desktop already does with a combination, as "GNOME Shell's 'Switch to the previous
    // input source'"; empty when nothing. Asked before every registration: a combination the
    // desktop uses is not registered (status InUse, conflict() says what holds it).
    using ConflictCheck = std::function<QString(quint32 keyCode, quint32 modifiers)>;
    void setConflictCheck(ConflictCheck check);

    // Connects to the backend's presses (once), then registers.
    void start();
    // Releases the current combination and takes the one now stored in the preferences. (The name
    // `register` is a C++ keyword.)
    void registerHotKey();
    // The desktop's bindings changed: registers again when that changes what the desktop does with
    // the stored key (a conflict that came or went), and does nothing otherwise.
    void desktopBindingsChanged();

    Status status() const { return status_; }

    // Who holds the binding; with no backend, nobody does (the user binds `corvane --toggle` in
    // the desktop's settings by hand).
    bool hasBackend() const { return backend_ != nullptr; }
    HotKeyBackend::Owner owner() const;
    // What the menu and the settings show for the hot key: the trigger the desktop reports when the
    // desktop owns the binding and has said, else the stored display text.
    QString displayText() const;
    // The desktop's trigger description alone; empty when it has not given one.
    QString triggerDescription() const;
    // Why the desktop refused the binding, when it said.
    QString failureReason() const;
    // Whether the desktop has its own dialog to change the binding, and opens it.
    bool canConfigure() const;
    void configure();
    // What the desktop does with the stored combination, when the last registration found that it
    // does something (see setConflictCheck); empty otherwise.
    QString conflict() const { return conflict_; }
    // The stored combination, key by key, as the catalogue labels keys ("⌃", "❖", "␣").
    static QStringList chord(quint32 keyCode, quint32 modifiers);
    // The display text ("⌃❖Space") of a combination, as the recorder writes it.
    static QString displayFor(quint32 keyCode, quint32 modifiers);

Q_SIGNALS:
    // After every registration and whenever the status or the desktop's trigger description
    // changes by itself (a new keyboard layout, the desktop's answer); status() tells whether the
    // hot key works and, if not, why.
    void statusChanged();

private:
    void pressed(const ActivationRequest &request);
    void update(HotKeyBackend::Result result, bool reportAgain);
    // Takes the combination the desktop keeps for us into the preferences when it differs from the
    // stored one; true when it did.
    bool adoptDesktopKey();
    QString conflictOfStoredKey() const;

    Preferences &preferences_;
    std::unique_ptr<HotKeyBackend> backend_;
    std::function<void(const ActivationRequest &)> onTrigger_;
    ConflictCheck conflictCheck_;
    QString conflict_;
    Status status_ = Status::NotRegistered;
    QString description_;
    bool handlersInstalled_ = false;
    bool unavailableLogged_ = false;
};
