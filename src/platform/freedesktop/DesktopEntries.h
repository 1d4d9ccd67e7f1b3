#pragma once

#include "platform/AppDirectory.h"

#include <QHash>
#include <QList>
#include <memory>
#include <optional>

// The applications installed for this user: the desktop entries of the XDG data folders, read
// through GIO, which applies the rules of the format (the first folder in precedence order decides
// an id; Hidden entries and entries whose TryExec program is missing count as not installed;
// NoDisplay entries are installed). The index is read on first use and read again after GIO reports
// a change in those folders.
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

    void reloadIfStale();

    QList<DesktopEntry> entries_;
    QHash<QString, qsizetype> byId_;       // lower-case id -> index into entries
    QHash<QString, qsizetype> byWmClass_;  // lower-case StartupWMClass -> index into entries
    std::unique_ptr<ChangeMonitor> monitor_;
    bool stale_ = true;
};
