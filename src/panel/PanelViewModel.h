#pragma once

#include "catalogue/AppShortcuts.h"
#include "panel/DisplaySection.h"
#include "panel/EntrySearch.h"
#include "panel/NavRef.h"
#include "panel/TerminalProgramsLookup.h"
#include "platform/RunningApp.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

class FavoritesStore;
class Preferences;
class ShortcutStore;
class Workspace;

// What the panel shows: the sections for the frontmost application and the search text, the rows
// the selection moves over, and the selection itself. Every assignment to a published field
// notifies, also when the value is unchanged.
class PanelViewModel : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString searchText READ searchText WRITE setSearchText NOTIFY searchTextChanged)
    Q_PROPERTY(qint64 selectionIndex READ selectionIndex NOTIFY selectionIndexChanged)

public:
    PanelViewModel(const ShortcutStore &store, FavoritesStore &favorites, Workspace &workspace,
                   Preferences &preferences, QObject *parent = nullptr);

    const ShortcutStore &store() const { return store_; }
    FavoritesStore &favorites() const { return favorites_; }

    const QString &searchText() const { return searchText_; }
    // Stores the text and rebuilds with the selection on the first row.
    void setSearchText(const QString &text);

    const QList<DisplaySection> &sections() const { return sections_; }
    qint64 selectionIndex() const { return selectionIndex_; }
    const QSet<QString> &collapsed() const { return collapsed_; }
    // Stores the set, then rebuilds keeping the selected row.
    void setCollapsed(const QSet<QString> &ids);
    const std::optional<AppShortcuts> &activeApp() const { return activeApp_; }
    const std::optional<RunningApp> &activeRunningApp() const { return activeRunningApp_; }
    // When the application in front is a terminal emulator: the catalogue's programs running in it,
    // the one the user sees first (Vim, then tmux). Their sections come before the terminal's.
    const QList<AppShortcuts> &programsInFront() const { return programsInFront_; }
    // The rows the selection moves over. Built on first use after each rebuild: the selection itself
    // works without it, so prefer navigableCount() where only the number of rows is needed.
    const QList<NavRef> &navigable() const;
    qsizetype navigableCount() const { return rowCount_; }

    // Records the frontmost application, empties the search and rebuilds.
    void setActiveApp(const std::optional<RunningApp> &app, const std::optional<QString> &bundleId);
    void rebuild(bool resetSelection);
    // The store changed (applications read from installed programs came or went, the user's key
    // bindings changed): forgets what the search remembered, looks the front application up again
    // and rebuilds keeping the selection.
    void catalogueChanged();
    // The desktop's own section (GNOME Shell, KDE Plasma, sway...) stands in for the front
    // application when no application window is in front. Absent: none does.
    void setDesktopBundleId(const std::optional<QString> &bundleId) { desktopBundleId_ = bundleId; }

    // The search words: trimmed of white space, lower-cased, split at spaces (U+0020) only.
    static QStringList queryWords(const QString &text);
    bool isInstalled(const QString &bundleId);

    // Selection and navigation.
    std::optional<QString> selectionKey() const;
    std::optional<ShortcutEntry> selectedEntry() const;
    void moveSelection(qint64 delta);
    void refreshKeepingSelection();
    void toggleCollapsed(const QString &sectionId);

Q_SIGNALS:
    void searchTextChanged();
    void sectionsChanged();
    void selectionIndexChanged();
    void collapsedChanged();

private:
    // The rows of one expanded section: sections_[section] starts at row firstRow.
    struct RowRun {
        qsizetype section;
        qsizetype firstRow;
    };

    void setSelectionIndex(qint64 index);
    void lookUpActiveApps();
    bool isInFront(const QString &slug) const;
    static DisplaySection appSection(const AppShortcuts &app, const std::optional<QString> &iconFile,
                                     bool isActive, EntryList entries);
    QList<ShortcutEntry> favoriteEntries() const;
    // The section and the entry of a row; row must be valid.
    std::pair<qsizetype, qsizetype> rowAt(qsizetype row) const;

    const ShortcutStore &store_;
    FavoritesStore &favorites_;
    Workspace &workspace_;
    Preferences &preferences_;

    QString searchText_;
    QList<DisplaySection> sections_;
    qint64 selectionIndex_ = 0;
    QSet<QString> collapsed_;
    std::optional<AppShortcuts> activeApp_;
    std::optional<RunningApp> activeRunningApp_;
    std::optional<QString> activeIdentifier_;
    QList<QStringList> terminalPrograms_;  // as the workspace named them, front first
    QList<AppShortcuts> programsInFront_;
    std::vector<RowRun> rowRuns_;  // the expanded sections, in order
    qsizetype rowCount_ = 0;
    mutable QList<NavRef> navigable_;
    mutable bool navigableBuilt_ = true;
    QHash<QString, bool> installedCache_;
    std::optional<QString> desktopBundleId_;

    EntrySearch search_;
    TerminalProgramsLookup terminalLookup_;
};
