#pragma once

#include "platform/HotKeyBackend.h"
#include "platform/freedesktop/GnomeCustomKeybinding.h"

#include <QString>
#include <memory>

// The global hot key on GNOME without the shortcuts portal: GNOME itself runs `command` (the
// installed `corvane --toggle`, which hands the request to the running instance) when the user
// presses the combination, through our entry among its custom keyboard shortcuts. Presses
// therefore never come through this backend.
//
// GNOME's settings are the truth once the entry exists: the key found there is the hot key
// (desktopKey()), also when the user changes it in GNOME's keyboard settings while this program
// runs (reported through `regrabbed`). Releasing the combination leaves the entry in place: GNOME
// keeps running it between sessions, and only the uninstall path (`corvane --unregister-desktop`)
// takes it away.
class GnomeHotKeyBackend : public HotKeyBackend {
public:
    explicit GnomeHotKeyBackend(QString command, GnomeCustomKeybinding entry = GnomeCustomKeybinding());
    ~GnomeHotKeyBackend() override;

    static QString entryName();

    // Writes the combination into our entry: Grabbed, NoSuchKey when it has no GTK name, Refused
    // when GSettings did not take it.
    Result grab(quint32 keyCode, quint32 modifiers) override;
    void ungrab() override {}
    // Watches our entry: a change made in GNOME's settings is reported as Grabbed through `regrabbed`.
    void setHandlers(std::function<void(const ActivationRequest &)>, std::function<void(Result)> regrabbed) override;

    Owner owner() const override { return Owner::DesktopSettings; }
    std::optional<std::pair<quint32, quint32>> desktopKey() const override;
    QString triggerDescription() const override;
    QString failureReason() const override { return failureReason_; }

private:
    struct Watch;

    QString command_;
    GnomeCustomKeybinding entry_;
    QString failureReason_;
    std::unique_ptr<Watch> watch_;
};
