#include "catalogue/bindings/UserBindings.h"

#include "platform/KeyBindingSettings.h"

#include <QFileInfo>
#include <QPointer>

#include <utility>

UserBindings::UserBindings(QProcessEnvironment env, KeyBindingSettings *settings, QObject *parent)
    : QObject(parent), files_(std::move(env)), settings_(settings)
{
    pending_.setSingleShot(true);
    connect(&pending_, &QTimer::timeout, this, &UserBindings::reloadInBackground);
}

UserBindings::~UserBindings()
{
    // The readers read regular files of bounded size only, and end.
    if (reader_)
        reader_->wait();
}

void UserBindings::reloadInBackground()
{
    if (reader_) {
        again_ = true;
        return;
    }
    sinceReload_.start();
    // The files are read on a thread of their own, so that the event loop (and the panel) never
    // waits on another program's config; the settings database is read here, where its objects live.
    reader_.reset(QThread::create([this, files = files_]() mutable {
        QList<AppBindings> read = files.read();
        QMetaObject::invokeMethod(
            this,
            [this, files = std::move(files), read = std::move(read)]() mutable {
                reader_->wait();
                reader_.reset();
                files_ = std::move(files);
                take(std::move(read));
                if (std::exchange(again_, false))
                    somethingChanged();
            },
            Qt::QueuedConnection);
    }));
    reader_->start(QThread::LowPriority);
}

void UserBindings::take(QList<AppBindings> all)
{
    const QList<AppBindings> before = current_;
    if (settings_)
        all << settings_->read();
    current_ = std::move(all);
    if (watcher_)
        rewatch();
    // A folder that holds a watched file changes for many other reasons.
    if (current_ != before)
        Q_EMIT changed();
}

void UserBindings::reload()
{
    sinceReload_.start();
    QList<AppBindings> all = files_.read();
    if (settings_)
        all << settings_->read();
    current_ = std::move(all);
    if (watcher_)
        rewatch();
}

void UserBindings::startWatching()
{
    if (watcher_)
        return;
    watcher_ = new QFileSystemWatcher(this);
    connect(watcher_, &QFileSystemWatcher::fileChanged, this, &UserBindings::somethingChanged);
    connect(watcher_, &QFileSystemWatcher::directoryChanged, this, &UserBindings::somethingChanged);
    if (settings_) {
        QPointer<UserBindings> self(this);
        settings_->setChangeHandler([self] {
            if (self)
                self->somethingChanged();
        });
    }
    rewatch();
}

void UserBindings::rewatch()
{
    // Only what exists can be watched; a folder that appears later is found by its parent's watch
    // only when that parent is watched, so the nearest existing ancestor stands in for it.
    QStringList wanted;
    QStringList paths = files_.watchedPaths();
    if (settings_)
        paths += settings_->watchedPaths();
    for (QString path : std::as_const(paths)) {
        while (!path.isEmpty() && !QFileInfo::exists(path) && path != QLatin1String("/"))
            path = QFileInfo(path).absolutePath();
        if (!path.isEmpty() && path != QLatin1String("/") && !wanted.contains(path))
            wanted << path;
    }
    QStringList stale = watcher_->files() + watcher_->directories();
    stale.removeIf([&wanted](const QString &p) { return wanted.contains(p); });
    if (!stale.isEmpty())
        watcher_->removePaths(stale);
    QStringList fresh = wanted;
    const QStringList present = watcher_->files() + watcher_->directories();
    fresh.removeIf([&present](const QString &p) { return present.contains(p); });
    if (!fresh.isEmpty())
        watcher_->addPaths(fresh);
}

void UserBindings::somethingChanged()
{
    if (pending_.isActive())
        return;
    // At most one reload a second: a burst of changes (an editor saving through a temporary file)
    // is read once, when it has settled.
    const qint64 since = sinceReload_.isValid() ? sinceReload_.elapsed() : minimumInterval;
    pending_.start(int(qBound<qint64>(100, qint64(minimumInterval) - since, qint64(minimumInterval))));
}
