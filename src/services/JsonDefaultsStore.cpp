#include "services/JsonDefaultsStore.h"

#include "services/AtomicFileWriter.h"
#include "services/BoundedFileReader.h"
#include "services/FileLock.h"
#include "services/SettingsJson.h"
#include "services/SystemLog.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// How long a write waits for another process's lock on the file before it goes ahead without it.
constexpr int lockWaitMs = 2000;

void apply(QVariantMap &values, const QString &key, const std::optional<QVariant> &value)
{
    if (value)
        values.insert(key, *value);
    else
        values.remove(key);
}

bool isBlank(const QByteArray &bytes)
{
    return bytes.trimmed().isEmpty();
}

} // namespace

JsonDefaultsStore::JsonDefaultsStore(const QString &path, QObject *parent) : QObject(parent), filePath_(path)
{
    load();
}

JsonDefaultsStore::~JsonDefaultsStore()
{
    flush(true);
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    if (writer_.joinable())
        writer_.join();
}

QString JsonDefaultsStore::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/corvane/corvane.json");
}

QVariant JsonDefaultsStore::value(const QString &key) const
{
    const std::lock_guard<std::mutex> lock(mutex_);
    return values_.value(key);
}

void JsonDefaultsStore::setValue(const QString &key, const QVariant &value)
{
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (value.isValid()) {
            values_.insert(key, value);
            pending_[key] = value;
        } else {
            values_.remove(key);
            pending_[key] = std::nullopt;
        }
        ++requested_;
        if (!writer_.joinable())
            writer_ = std::thread(&JsonDefaultsStore::writerLoop, this);
    }
    wake_.notify_one();
}

bool JsonDefaultsStore::flush(bool retryFailed)
{
    std::unique_lock<std::mutex> lock(mutex_);
    if (!writer_.joinable())
        return pending_.empty();
    // Wait for the write under way or asked for; when there is none, try once more what is still
    // pending (a write that failed before) if asked to.
    if (retryFailed && requested_ == finished_ && !pending_.empty()) {
        ++requested_;
        wake_.notify_one();
    }
    const quint64 target = requested_;
    done_.wait(lock, [&] { return finished_ >= target; });
    return pending_.empty();
}

// Start-up: what the file holds, or, when it cannot be used, defaults and a note of what has to be
// kept aside before the first write.
void JsonDefaultsStore::load()
{
    const QString path = SystemLog::escaped(QDir::toNativeSeparators(filePath_));
    BoundedFileReader::Result file = BoundedFileReader::read(filePath_, maxFileSize);
    stamp_ = file.stamp;
    QString problem;
    switch (file.outcome) {
    case BoundedFileReader::Outcome::Absent:
        return; // the first run
    case BoundedFileReader::Outcome::Read:
        if (auto decoded = SettingsJson::decode(file.bytes)) {
            values_ = onDisk_ = std::move(*decoded);
            return;
        }
        problem = QStringLiteral("is damaged");
        break;
    case BoundedFileReader::Outcome::TooLarge:
    case BoundedFileReader::Outcome::NotRegular:
    case BoundedFileReader::Outcome::Unreadable:
        // Nothing to copy (or too much): it is moved aside when the first change is written.
        keepAsideBeforeWriting(false, QStringLiteral("cannot be read (%1)").arg(file.reason));
        SystemLog::shared().write(
            QStringLiteral("Corvane: cannot read settings file %1 (%2); started from defaults").arg(path, file.reason));
        return;
    }
    // A damaged file: copy what the user had next to it before anything replaces it.
    keepAsideBeforeWriting(true, problem);
    if (const auto error = keepAside(true); !error) {
        problem_.clear();
        mustKeepAside_ = false;
        SystemLog::shared().write(QStringLiteral("Corvane: settings file %1 %2; kept it as %3 and started from defaults")
                                      .arg(path, problem, keptName(lastKept_)));
    } else {
        SystemLog::shared().write(
            QStringLiteral("Corvane: settings file %1 %2 and could not be copied aside (%3); started from defaults "
                           "and will not write over it")
                .arg(path, problem, *error));
    }
}

void JsonDefaultsStore::writerLoop()
{
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        wake_.wait(lock, [&] { return stopping_ || requested_ > finished_; });
        if (requested_ == finished_)
            return; // stopping, nothing left
        const quint64 target = requested_;
        Changes changes;
        changes.swap(pending_);
        lock.unlock();
        const bool written = changes.empty() || writeChanges(changes);
        lock.lock();
        if (!written) {
            // Not on disk: the changes go into the next write, under any newer ones.
            for (auto &change : changes)
                pending_.emplace(change.first, std::move(change.second));
        }
        // The values now are what the file holds (another program's edits merged in) plus what is
        // still to be written.
        QVariantMap values = onDisk_;
        for (const auto &change : pending_)
            apply(values, change.first, change.second);
        values_ = std::move(values);
        finished_ = target;
        done_.notify_all();
    }
}

bool JsonDefaultsStore::writeChanges(const Changes &changes)
{
    const QString path = SystemLog::escaped(QDir::toNativeSeparators(filePath_));
    const QString folder = QFileInfo(filePath_).absolutePath();
    if (!QDir().mkpath(folder)) {
        reportFailure(QStringLiteral("Corvane: could not save settings to %1: cannot create the folder").arg(path),
                      QStringLiteral("cannot create the folder %1").arg(SystemLog::escaped(folder)));
        return false;
    }
    // Another program writing the same file (an older Corvane, a second copy) waits for this lock. A
    // lock file that no live process holds is no obstacle, whatever it contains.
    QString lockReason;
    FileLock fileLock;
    const FileLock::Outcome locked = fileLock.acquire(filePath_ + QStringLiteral(".lock"), lockWaitMs, &lockReason);
    if (locked != FileLock::Outcome::Acquired && !lockFailureLogged_) {
        lockFailureLogged_ = true;
        SystemLog::shared().write(
            locked == FileLock::Outcome::Busy
                ? QStringLiteral("Corvane: another process holds %1.lock; writing the settings without waiting longer").arg(path)
                : QStringLiteral("Corvane: cannot lock %1.lock (%2); writing the settings without the lock").arg(path, lockReason));
    }
    if (!checkFileOnDisk())
        return false;
    QVariantMap next = onDisk_;
    for (const auto &change : changes)
        apply(next, change.first, change.second);
    if (const auto error = AtomicFileWriter::write(writeTarget(), SettingsJson::encode(next))) {
        reportFailure(QStringLiteral("Corvane: could not save settings to %1: %2").arg(path, *error), *error);
        return false;
    }
    onDisk_ = std::move(next);
    stamp_ = FileStamp::of(filePath_);
    return true;
}

// Before a write: when the file is no longer the one last read or written, read it again. Its values
// become the base of the write; a damaged file, or anything else at its place, is kept aside first.
// False when the write must not happen, because what is there could not be kept aside.
bool JsonDefaultsStore::checkFileOnDisk()
{
    const QString path = SystemLog::escaped(QDir::toNativeSeparators(filePath_));
    if (FileStamp::of(filePath_) != stamp_) {
        BoundedFileReader::Result file = BoundedFileReader::read(filePath_, maxFileSize);
        stamp_ = file.stamp;
        mustKeepAside_ = false;
        switch (file.outcome) {
        case BoundedFileReader::Outcome::Absent:
            break; // removed: the values in memory are written anew
        case BoundedFileReader::Outcome::Read:
            if (auto decoded = SettingsJson::decode(file.bytes); decoded && !isBlank(file.bytes)) {
                onDisk_ = std::move(*decoded);
            } else if (decoded) {
                SystemLog::shared().write(
                    QStringLiteral("Corvane: settings file %1 was emptied; writing the settings in memory").arg(path));
            } else {
                keepAsideBeforeWriting(true, QStringLiteral("was damaged"));
            }
            break;
        case BoundedFileReader::Outcome::TooLarge:
        case BoundedFileReader::Outcome::NotRegular:
        case BoundedFileReader::Outcome::Unreadable:
            keepAsideBeforeWriting(false, QStringLiteral("cannot be read (%1)").arg(file.reason));
            break;
        }
    }
    if (!mustKeepAside_)
        return true;
    if (const auto error = keepAside(asideCopiesContent_)) {
        reportFailure(QStringLiteral("Corvane: could not save settings to %1: the file there %2 and could not be kept "
                                     "aside (%3); the settings stay in memory")
                          .arg(path, problem_, *error),
                      QStringLiteral("the file there could not be kept aside (%1)").arg(*error));
        return false;
    }
    SystemLog::shared().write(QStringLiteral("Corvane: settings file %1 %2; kept it as %3 and merged the changes into "
                                             "the settings in memory")
                                  .arg(path, problem_, keptName(lastKept_)));
    mustKeepAside_ = false;
    problem_.clear();
    stamp_ = FileStamp::of(filePath_);
    return true;
}

// Copies (or, for what has no content to copy or too much, renames) what is at the path to the first free name of
// <name>.corrupt, <name>.corrupt.1, ...; an error when that fails or every name is taken.
std::optional<QString> JsonDefaultsStore::keepAside(bool copyContent)
{
    QStringList taken;
    for (int n = 0; n < maxKeptCopies; ++n) {
        const QString kept = filePath_ + QStringLiteral(".corrupt") + (n == 0 ? QString() : QStringLiteral(".%1").arg(n));
        const QFileInfo info(kept);
        if (info.exists() || info.isSymLink()) {
            taken << info.fileName();
            continue;
        }
        const auto error = copyContent ? AtomicFileWriter::copy(filePath_, kept) : AtomicFileWriter::moveAside(filePath_, kept);
        if (!error)
            lastKept_ = kept;
        return error;
    }
    return QStringLiteral("%1 damaged copies are kept already, %2 to %3; remove some")
        .arg(maxKeptCopies)
        .arg(taken.constFirst(), taken.constLast());
}

QString JsonDefaultsStore::keptName(const QString &keptPath) const
{
    return SystemLog::escaped(QFileInfo(keptPath).fileName());
}

// A settings file that is a link to a file elsewhere (a folder of dotfiles) is written there, and the
// link stays.
QString JsonDefaultsStore::writeTarget() const
{
    const QFileInfo info(filePath_);
    if (info.isSymLink() && info.isFile())
        return info.canonicalFilePath();
    return filePath_;
}

void JsonDefaultsStore::reportFailure(const QString &logLine, const QString &reason)
{
    SystemLog::shared().write(logLine);
    if (reportedReasons_.contains(reason))
        return;
    reportedReasons_.insert(reason);
    Q_EMIT failureReported(tr("Corvane could not save its settings to %1: %2. Your changes are kept while Corvane "
                              "runs.")
                               .arg(SystemLog::escaped(QDir::toNativeSeparators(filePath_)), reason));
}

void JsonDefaultsStore::keepAsideBeforeWriting(bool copyContent, const QString &problem)
{
    mustKeepAside_ = true;
    asideCopiesContent_ = copyContent;
    problem_ = problem;
}
