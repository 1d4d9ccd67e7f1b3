#pragma once

#include <QString>

// An exclusive flock(2) on a file, held while the object lives. The kernel releases it when the
// holder dies, so a lock file left behind by a dead process is never in the way, whatever it holds:
// only a live holder counts. Two FileLocks on one file exclude each other even within one process.
class FileLock {
public:
    FileLock() = default;
    ~FileLock();
    FileLock(FileLock &&other) noexcept;
    FileLock &operator=(FileLock &&other) noexcept;
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

    enum class Outcome { Acquired, Busy, Failed };

    // Creates the file (mode 0600) if needed and takes the lock, trying for up to `waitMs`
    // milliseconds while another holder has it. On Failed, `reason` says why (for a log line).
    Outcome acquire(const QString &path, int waitMs, QString *reason = nullptr);

    bool isHeld() const { return fd_ >= 0; }
    void release();

private:
    int fd_ = -1;
};
