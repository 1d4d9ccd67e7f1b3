#pragma once

#include "catalogue/bindings/UserBindingFiles.h"
#include "platform/AppBindings.h"

#include <QElapsedTimer>
#include <QFileSystemWatcher>
#include <QList>
#include <QObject>
#include <QProcessEnvironment>
#include <QThread>
#include <QTimer>

#include <memory>

class KeyBindingSettings;

// The user's own key bindings from every place they live: configuration files and, where the
// desktop keeps them there, its settings database. Once watching, a change to any of them reloads
// everything, at most once a second, and announces it; the files are then read on a thread of their
// own and handed over through the event loop.
class UserBindings : public QObject {
    Q_OBJECT
public:
    static constexpr int minimumInterval = 1000;  // ms between two reloads

    // `settings` may be null (no settings database on this desktop); it must outlive this object.
    UserBindings(QProcessEnvironment env, KeyBindingSettings *settings, QObject *parent = nullptr);
    ~UserBindings() override;

    // Reads everything now, on this thread (at start-up).
    void reload();
    // Follows changes from now on.
    void startWatching();

    const QList<AppBindings> &current() const { return current_; }

Q_SIGNALS:
    // current() was read again and differs from before.
    void changed();

private:
    void somethingChanged();
    void reloadInBackground();
    void take(QList<AppBindings> all);
    void rewatch();

    UserBindingFiles files_;
    KeyBindingSettings *settings_;
    QList<AppBindings> current_;
    QFileSystemWatcher *watcher_ = nullptr;
    QTimer pending_;
    QElapsedTimer sinceReload_;
    std::unique_ptr<QThread> reader_;
    bool again_ = false;  // a change came while the files were read
};
