#pragma once

#include <QObject>

// A part of ours that runs inside the desktop shell (our GNOME Shell extension), which the user may
// have to turn on: its state as the shell reports it, and the way to turn it on.
class ShellExtension : public QObject {
    Q_OBJECT
public:
    enum class State {
        Unknown,       // not asked yet, or the shell did not answer
        NotInstalled,  // neither the shell nor the extension folders know it
        NeedsLogout,   // installed after the shell started: it is read at the next log-in
        Disabled,
        Active,
        Failed,        // the shell tried and reported an error
    };
    Q_ENUM(State)

    using QObject::QObject;

    virtual State state() const = 0;
    // Asks the shell to turn it on; the state follows when the shell has done so.
    virtual void enable() = 0;

Q_SIGNALS:
    void stateChanged();
};
