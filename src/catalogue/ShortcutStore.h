#pragma once

#include "catalogue/AppShortcuts.h"
#include "catalogue/AsciiCharSet.h"
#include "catalogue/SearchTexts.h"
#include "catalogue/ShortcutEntry.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <memory>
#include <functional>
#include <optional>
#include <vector>

class KeyGroupsCache;

// The catalogue: every data file of the ShortcutData folder, read once, turned into display-ready
// entries and indexed by application, by name and by application identifier. Loading, adding and
// removing discovered applications and replacing the shipped ones all happen on the UI thread;
// lists handed out before a change stay valid, since entries share their records.
class ShortcutStore {
public:
    // `folder` is the ShortcutData folder (absent when the program has none); `platform` picks the
    // keymaps ("linux", "macos").
    explicit ShortcutStore(std::optional<QString> folder, QString platform);
    ShortcutStore(const ShortcutStore &) = delete;
    ShortcutStore &operator=(const ShortcutStore &) = delete;

    // Reads every data file of the folder, in listing order, and builds the indexes.
    void load();
    // Takes already decoded records instead of a folder (previews and tests).
    void load(QList<AppShortcuts> decoded);
    // Called by load() on every application read from the folder, before its entries are built: the
    // titles in the applications' own translations, say.
    void setAdjust(std::function<void(AppShortcuts &)> adjust) { adjust_ = std::move(adjust); }

    // Adds applications read from the programs themselves, after the shipped ones: one whose bundle
    // id is already known (a shipped data file's bundle id or alias) or whose slug is taken is left
    // out, so a shipped file always wins. Returns how many were added.
    qsizetype addDiscovered(const QList<AppShortcuts> &discovered);
    // The lower-cased bundle ids and aliases of the applications that did not come from discovery.
    QSet<QString> shippedIdentifiers() const;
    // Takes the discovered applications out again; false when there were none.
    bool removeDiscovered();
    // Loads new records for the applications that did not come from discovery (the shipped ones with
    // the user's key bindings applied) and keeps the discovered ones, still behind any shipped file
    // that claims the same identifier.
    void replaceShipped(QList<AppShortcuts> shipped);

    // The application whose identifier (bundle id or alias) matches, ignoring case.
    std::optional<AppShortcuts> appForBundleId(const std::optional<QString> &bundleId) const;
    // Every identifier an application runs under: its bundle id, then its aliases.
    static QStringList identifiers(const AppShortcuts &app);

    const QList<AppShortcuts> &apps() const { return apps_; }
    const QHash<QString, QList<ShortcutEntry>> &entriesByApp() const { return entriesByApp_; }
    const QList<AppShortcuts> &orderedApps() const { return orderedApps_; }
    // The search texts of the entries of `slug` (those of entriesByApp) as one run; null for a slug
    // without entries.
    const SearchTexts *searchTexts(const QString &slug) const;
    // What the panel walks for orderedApps().at(i), side by side in the same order: the entries, their
    // search texts as one run and the icon's file name, so that no application is looked up by name.
    struct OrderedEntries {
        QList<ShortcutEntry> entries;
        const SearchTexts *texts = nullptr;  // held by the entries
        std::optional<QString> iconFile;
        AsciiCharSet nameChars;  // of texts->name
        // The position of the first application with the same slug: this one's own, unless two
        // data files share a slug.
        qsizetype firstWithSlug = 0;
    };
    const std::vector<OrderedEntries> &orderedEntries() const { return orderedEntries_; }
    // The position of the (first) application `slug` in orderedApps(); -1 when it has no entries.
    qsizetype orderedIndex(const QString &slug) const { return orderedIndex_.value(slug, -1); }
    const QString &platform() const { return platform_; }
    // Names of the files that could not be read or decoded by the last load.
    const QStringList &failedFiles() const { return failedFiles_; }

    // The data files of a folder as the loader takes them: entries whose extension is exactly "json",
    // in listing order.
    static QStringList dataFiles(const QString &folder);

    // The keymaps of `app` that apply to `platform`: those without a platform list or naming it, or
    // all of them when none does.
    static QList<Keymap> keymapsFor(const AppShortcuts &app, const QString &platform);
    // The entries of one application, in file order.
    static QList<ShortcutEntry> makeEntries(const AppShortcuts &app, const QString &platform);
    // The text after the last "/", a trailing "/" ignored.
    static QString lastPathComponent(const QString &path);

private:
    void rebuildIndex();
    static QList<ShortcutEntry> makeEntries(const AppShortcuts &app, const QString &platform,
                                            const std::shared_ptr<KeyGroupsCache> &keyGroups);

    std::optional<QString> folder_;
    QString platform_;
    QList<AppShortcuts> apps_;
    std::function<void(AppShortcuts &)> adjust_;
    QHash<QString, QList<ShortcutEntry>> entriesByApp_;
    QList<AppShortcuts> orderedApps_;
    QHash<QString, QString> bundleIndex_;
    std::vector<OrderedEntries> orderedEntries_;
    QHash<QString, qsizetype> orderedIndex_;
    QStringList failedFiles_;
};
