#pragma once

#include "platform/AppDirectory.h"
#include "platform/InstalledProgram.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QThread>
#include <future>
#include <memory>
#include <optional>

// The applications installed for this user: the desktop entries of the XDG data folders, read by
// DesktopEntryScan (regular files only) and GIO, which applies the rules of the format (the first
// folder in precedence order decides an id; Hidden entries and entries whose TryExec program is
// missing count as not installed; NoDisplay entries are installed). The index is first read on a
// thread of its own as soon as this object exists (a call that comes earlier waits for it); after GIO
// reports a change in those folders it is read again on a thread of its own (the thread that uses
// this object runs Qt's event loop, which hands the new index over), so that no call after start-up
// waits on the file system.
class DesktopEntries : public AppDirectory {
public:
    DesktopEntries();
    ~DesktopEntries();
    DesktopEntries(const DesktopEntries &) = delete;
    DesktopEntries &operator=(const DesktopEntries &) = delete;

    // The entry whose id is `identifier`, else one whose StartupWMClass is; case is ignored.
    std::optional<DesktopEntry> find(const QString &identifier) override;

private:
    struct ChangeMonitor;
    struct Index {
        QList<DesktopEntry> entries;
        QHash<QString, qsizetype> byId;       // lower-case id -> index into entries
        QHash<QString, qsizetype> byWmClass;  // lower-case StartupWMClass -> index into entries
        static Index build(QList<InstalledProgram> programs);
    };

    void reloadIfStale();

    Index index_;
    std::future<QList<InstalledProgram>> firstScan_;
    std::unique_ptr<ChangeMonitor> monitor_;
    QObject receiver_;  // where a reload's result is delivered, on this object's thread
    std::unique_ptr<QThread> reload_;
    bool loaded_ = false;
    bool stale_ = false;
};
