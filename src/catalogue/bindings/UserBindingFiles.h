#pragma once

#include "platform/AppBindings.h"

#include <QList>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// Finds and reads the configuration files that hold the user's own key bindings: KDE's global
// shortcuts and kxmlgui files, sway's and i3's configs, Openbox's rc.xml, VS Code's and VSCodium's
// keybindings.json and Inkscape's key file, under XDG_CONFIG_HOME, XDG_DATA_HOME and HOME as `env`
// gives them. Reads only; a file that cannot be read or parsed gives no bindings and one log line.
class UserBindingFiles {
public:
    // A file's keys beyond this many (counted over all its bindings) are ignored, with a log line.
    static constexpr qsizetype maxBindingsPerFile = 10000;

    explicit UserBindingFiles(QProcessEnvironment env) : env_(std::move(env)) {}

    QList<AppBindings> read();

    // What to watch for changes: the files read (or looked for) and the folders that hold them, so
    // that a file replaced by a rename, created or deleted is noticed. Filled by read().
    const QStringList &watchedPaths() const { return watched_; }

private:
    QString configHome() const;
    QString dataHome() const;
    void failed(const QString &path);
    static void cap(AppBindings &set, const QString &path);
    void look(const QString &path);
    void watchFolder(const QString &folder);

    QProcessEnvironment env_;
    QStringList watched_;
};
