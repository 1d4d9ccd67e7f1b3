#pragma once

#include <QString>
#include <optional>

// Corvane's own entry among GNOME's custom keyboard shortcuts (Settings → Keyboard → Custom
// Shortcuts), kept through GIO's GSettings: the relocatable schema
// org.gnome.settings-daemon.plugins.media-keys.custom-keybinding at `path`, listed in the
// media-keys "custom-keybindings" list. The user's other entries and their order are never touched.
class GnomeCustomKeybinding {
public:
    static constexpr const char *defaultPath = "/org/gnome/settings-daemon/plugins/media-keys/custom-keybindings/corvane/";

    explicit GnomeCustomKeybinding(QString path = QString::fromLatin1(defaultPath));

    // Whether GNOME's keyboard settings are installed (both schemas are known to GSettings).
    static bool isAvailable();

    // Writes name, command and binding (GTK accelerator notation, "<Super><Shift>space") of our
    // entry, then lists it once, at the end unless it is listed already. A half-written entry (some
    // keys missing, listed twice) comes out whole. False, with `error` set, when GSettings refused.
    bool write(const QString &name, const QString &command, const QString &binding, QString *error = nullptr);
    // Takes our entry out of the list and resets its keys; true when there was something to remove.
    bool remove();
    // Whether the list names our entry.
    bool isListed() const;
    // The binding our entry holds, when the list names it and the binding is set; whoever set it,
    // this program or the user in GNOME's keyboard settings.
    std::optional<QString> binding() const;

    QString path() const { return path_; }

private:
    QString path_;
};
