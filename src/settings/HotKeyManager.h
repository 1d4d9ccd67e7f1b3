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
        InUse,          // another program holds the combination
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
    // The action for a press; replacing it drops the previous one.
    void setOnTrigger(std::function<void()> action);

    // Connects to the backend's presses (once), then registers.
    void start();
    // Releases the current combination and takes the one now stored in the preferences. (The name
    // `register` is a C++ keyword.)
    void registerHotKey();

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
    // The activation token of the press being handled: valid while `onTrigger` runs, empty when
    // the desktop sent none.
    QString activationToken() const { return activationToken_; }

Q_SIGNALS:
    // After every registration and whenever the status or the desktop's trigger description
    // changes by itself (a new keyboard layout, the desktop's answer); status() tells whether the
    // hot key works and, if not, why.
    void statusChanged();

private:
    void pressed();
    void update(HotKeyBackend::Result result, bool reportAgain);

    Preferences &preferences_;
    std::unique_ptr<HotKeyBackend> backend_;
    std::function<void()> onTrigger_;
    Status status_ = Status::NotRegistered;
    QString description_;
    QString activationToken_;
    bool handlersInstalled_ = false;
    bool unavailableLogged_ = false;
};
