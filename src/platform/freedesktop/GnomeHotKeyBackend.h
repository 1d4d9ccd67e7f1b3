#pragma once

#include "platform/HotKeyBackend.h"
#include "platform/freedesktop/GnomeCustomKeybinding.h"

#include <QString>

// The global hot key on GNOME without the shortcuts portal: GNOME itself runs `command` (the
// installed `corvane --toggle`, which hands the request to the running instance) when the user
// presses the combination, through our entry among its custom keyboard shortcuts. Presses
// therefore never come through this backend.
//
// Releasing the combination leaves the entry in place: GNOME keeps running it between sessions,
// and only the uninstall path (`corvane --unregister-desktop`) takes it away.
class GnomeHotKeyBackend : public HotKeyBackend {
public:
    explicit GnomeHotKeyBackend(QString command, GnomeCustomKeybinding entry = GnomeCustomKeybinding());

    static QString entryName();

    // Writes the combination into our entry: Grabbed, NoSuchKey when it has no GTK name, Refused
    // when GSettings did not take it.
    Result grab(quint32 keyCode, quint32 modifiers) override;
    void ungrab() override {}
    void setHandlers(std::function<void()>, std::function<void(Result)>) override {}

    Owner owner() const override { return Owner::DesktopSettings; }
    QString failureReason() const override { return failureReason_; }

private:
    QString command_;
    GnomeCustomKeybinding entry_;
    QString failureReason_;
};
