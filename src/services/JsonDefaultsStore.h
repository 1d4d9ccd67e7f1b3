#pragma once

#include "services/DefaultsStore.h"
#include "services/FileStamp.h"

#include <QObject>
#include <QSet>
#include <QString>
#include <QVariantMap>

#include <condition_variable>
#include <map>
#include <mutex>
#include <optional>
#include <thread>

// The user's preferences in a JSON object file (see SettingsJson for the types it keeps).
//
// Reading: the file is read once, when the store opens it, and only when it is a regular file of at
// most maxFileSize bytes. Anything else there (a damaged file, a FIFO, a device, a directory, a link
// to nothing) reads as no values, is logged, and is kept aside before anything is written over it:
// a damaged file is copied to <name>.corrupt (then .corrupt.1, ... up to maxKeptCopies), anything that
// is not a regular file is renamed so. What cannot be kept aside is never written over: the store
// then keeps the settings in memory and says so.
//
// Writing: setValue changes the values at once and hands the write to a thread of the store, so a
// large file never blocks the caller; changes made while a write is under way go into the next one.
// Each write replaces the whole file through a temporary file that is flushed and synced before it is
// renamed over the old one, so the file on disk is always one complete write and a failed write (a
// full disk) leaves the previous file as it was. When the file changed on disk since the store last
// read or wrote it, it is read again first and the changes are merged into what it holds, or, when it
// is damaged now, it is kept aside and the changes are merged into the values in memory. Keys this
// program does not know are written back unchanged. A change that could not be written stays pending
// and goes into the next write; flush() waits for the writes and tells whether everything is on disk.
//
// Every failure is logged; failureReported is emitted for the first failure of each kind in the
// store's life, so that the user can be told once.
class JsonDefaultsStore : public QObject, public DefaultsStore {
    Q_OBJECT
public:
    explicit JsonDefaultsStore(const QString &path, QObject *parent = nullptr);
    // Writes what is still pending (retrying what failed), then stops the writing thread.
    ~JsonDefaultsStore() override;
    JsonDefaultsStore(const JsonDefaultsStore &) = delete;
    JsonDefaultsStore &operator=(const JsonDefaultsStore &) = delete;

    static constexpr qint64 maxFileSize = qint64(256) * 1024 * 1024;
    static constexpr int maxKeptCopies = 5;

    // $XDG_CONFIG_HOME/corvane/corvane.json
    static QString defaultPath();

    QString path() const { return filePath_; }

    QVariant value(const QString &key) const override;
    // An invalid value removes the key.
    void setValue(const QString &key, const QVariant &value) override;

    // Waits until every change made so far has been written or has failed; true when all of them are
    // on disk. With `retryFailed`, changes whose write failed before are tried once more (at quit).
    bool flush(bool retryFailed = false);

Q_SIGNALS:
    // A write (or keeping a damaged file aside) failed for a reason not reported before; `message`
    // names the file and the reason, in words for the user. Emitted on the store's writing thread.
    void failureReported(const QString &message);

private:
    using Changes = std::map<QString, std::optional<QVariant>>;

    enum class Damage { None, Damaged, Refused };

    void load();
    void writerLoop();
    bool writeChanges(const Changes &changes);
    bool checkFileOnDisk();
    std::optional<QString> keepAside(bool copyContent);
    // What is at the path is moved (or copied, when `copyContent`) aside before the next write.
    void keepAsideBeforeWriting(bool copyContent, const QString &problem);
    QString keptName(const QString &keptPath) const;
    QString writeTarget() const;
    void reportFailure(const QString &logLine, const QString &reason);

    const QString filePath_;

    // Shared between the caller's thread and the writing thread, under mutex_.
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;
    QVariantMap values_;
    Changes pending_;
    quint64 requested_ = 0;
    quint64 finished_ = 0;
    bool lastWriteFailed_ = false;
    bool stopping_ = false;
    std::thread writer_;

    // The writing thread's own (and the constructor's, before the thread starts).
    QVariantMap onDisk_;          // what the file held when last read or written
    FileStamp stamp_;             // the file as it was then
    bool mustKeepAside_ = false;  // what is at the path now has to be kept aside before a write
    bool asideCopiesContent_ = true;
    QString problem_;             // what is wrong with it, for the log line
    QString lastKept_;            // where keepAside put it
    QSet<QString> reportedReasons_;
    bool lockFailureLogged_ = false;
};
