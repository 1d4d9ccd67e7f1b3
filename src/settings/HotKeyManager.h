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

Q_SIGNALS:
    // After every registration and whenever the status changes by itself (a new keyboard layout);
    // status() tells whether the hot key works and, if not, why.
    void statusChanged();

private:
    void pressed();
    void update(HotKeyBackend::Result result, bool reportAgain);

    Preferences &preferences_;
    std::unique_ptr<HotKeyBackend> backend_;
    std::function<void()> onTrigger_;
    Status status_ = Status::NotRegistered;
    bool handlersInstalled_ = false;
    bool unavailableLogged_ = false;
};
