#include "panel/PanelViewModel.h"

#include "catalogue/ShortcutStore.h"
#include "panel/FavoritesStore.h"
#include "platform/Workspace.h"
#include "settings/Preferences.h"

#include <algorithm>

PanelViewModel::PanelViewModel(const ShortcutStore &store, FavoritesStore &favorites, Workspace &workspace,
                               Preferences &preferences, QObject *parent)
    : QObject(parent), store_(store), favorites_(favorites), workspace_(workspace), preferences_(preferences),
      search_(store), terminalLookup_(workspace)
{
}

void PanelViewModel::setSearchText(const QString &text)
{
    searchText_ = text;
    Q_EMIT searchTextChanged();
    rebuild(true);
}

void PanelViewModel::setCollapsed(const QSet<QString> &ids)
{
    collapsed_ = ids;
    Q_EMIT collapsedChanged();
    refreshKeepingSelection();
}

void PanelViewModel::setSelectionIndex(qint64 index)
{
    selectionIndex_ = index;
    Q_EMIT selectionIndexChanged();
}

QStringList PanelViewModel::queryWords(const QString &text)
{
    // Trim the Unicode space separators and tabs at both ends; line breaks stay.
    auto isTrimmed = [](QChar c) { return c.category() == QChar::Separator_Space || c == QLatin1Char('\t'); };
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isTrimmed(text.at(begin)))
        ++begin;
    while (end > begin && isTrimmed(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin).toLower().split(QLatin1Char(' '), Qt::SkipEmptyParts);
}


bool PanelViewModel::isInstalled(const QString &bundleId)
{
    const auto cached = installedCache_.constFind(bundleId);
    if (cached != installedCache_.constEnd())
        return *cached;
    const bool installed = workspace_.isInstalled(bundleId);
    installedCache_.insert(bundleId, installed);
    return installed;
}

DisplaySection PanelViewModel::appSection(const AppShortcuts &app, const std::optional<QString> &iconFile,
                                          bool isActive, EntryList entries)
{
    DisplaySection section;
    section.id = app.slug;
    section.appSlug = app.slug;
    section.title = app.name;
    section.bundleId = app.bundleId;
    section.iconFile = iconFile;
    section.isActive = isActive;
    section.fromApplication = app.discovered;
    section.entries = std::move(entries);
    return section;
}

QList<ShortcutEntry> PanelViewModel::favoriteEntries() const
{
    // An entry's id begins with its application's slug and "|": only applications whose slug ends
    // at one of the bars of a favourite id can hold favourites, and only their entries are looked at.
    const auto &byApp = store_.entriesByApp();
    QSet<QString> slugs;
    for (const QString &id : favorites_.ids()) {
        for (qsizetype bar = id.indexOf(QLatin1Char('|')); bar >= 0; bar = id.indexOf(QLatin1Char('|'), bar + 1)) {
            QString slug = id.left(bar);
            if (byApp.contains(slug))
                slugs.insert(std::move(slug));
        }
    }
    QList<ShortcutEntry> favorites;
    if (slugs.isEmpty())
        return favorites;
    for (const AppShortcuts &app : store_.orderedApps()) {
        if (slugs.contains(app.slug))
            favorites.append(ShortcutEntry::withIds(*byApp.constFind(app.slug), favorites_.ids()));
    }
    return favorites;
}

void PanelViewModel::rebuild(bool resetSelection)
{
    const QStringList words = queryWords(searchText_);
    const bool searching = !words.isEmpty();
    search_.begin(words);
    // Applications by their position in the store's order, where their entries are.
    const std::vector<ShortcutStore::OrderedEntries> &stored = store_.orderedEntries();
    auto entriesOf = [&](qsizetype ordered) {
        if (ordered < 0)
            return EntryList();
        return searching ? search_.entries(ordered) : EntryList(stored[size_t(ordered)].entries);
    };
    QList<DisplaySection> sections;
    sections.reserve(store_.orderedApps().size() + 1);

    if (!searching && !favorites_.isEmpty()) {
        QList<ShortcutEntry> favorites = favoriteEntries();
        if (!favorites.isEmpty()) {
            DisplaySection section;
            section.id = QLatin1String(DisplaySection::favoritesId);
            section.appSlug = section.id;
            section.title = QStringLiteral("Favorites");
            section.isActive = true;
            section.isFavorites = true;
            section.entries = EntryList(std::move(favorites));
            sections.append(std::move(section));
        }
    }

    QList<AppShortcuts> front = programsInFront_;
    if (activeApp_)
        front.append(*activeApp_);
    std::vector<qsizetype> inFront;
    for (const AppShortcuts &app : std::as_const(front)) {
        const qsizetype ordered = store_.orderedIndex(app.slug);
        inFront.push_back(ordered);
        EntryList entries = entriesOf(ordered);
        if (!entries.isEmpty())
            sections.append(appSection(app, stored[size_t(ordered)].iconFile, true, std::move(entries)));
    }

    const bool onlyInstalled = preferences_.onlyInstalledApps();
    const QList<AppShortcuts> &apps = store_.orderedApps();
    for (qsizetype ordered = 0; ordered < apps.size(); ++ordered) {
        const qsizetype first = stored[size_t(ordered)].firstWithSlug;
        if (std::find(inFront.cbegin(), inFront.cend(), first) != inFront.cend())
            continue;
        const AppShortcuts &app = apps.at(ordered);
        // Installed under its bundle id or any alias (Debian's "firefox-esr" is Firefox too).
        if (onlyInstalled) {
            const QStringList ids = ShortcutStore::identifiers(app);
            if (std::none_of(ids.cbegin(), ids.cend(), [this](const QString &id) { return isInstalled(id); }))
                continue;
        }
        EntryList entries = entriesOf(ordered);
        if (!entries.isEmpty())
            sections.append(appSection(app, stored[size_t(ordered)].iconFile, false, std::move(entries)));
    }
    search_.finish();

    sections_ = std::move(sections);

    // The rows of the expanded sections; the list of them is made only when asked for.
    rowRuns_.clear();
    rowCount_ = 0;
    for (qsizetype s = 0; s < sections_.size(); ++s) {
        const DisplaySection &section = sections_.at(s);
        if (collapsed_.contains(section.id))
            continue;
        rowRuns_.push_back(RowRun{s, rowCount_});
        rowCount_ += section.entries.size();
    }
    navigable_ = QList<NavRef>();
    navigableBuilt_ = false;
    // Observers see the sections with their rows (the selection may still point past the end until
    // it is clamped below, which selectionKey() and selectedEntry() allow for).
    Q_EMIT sectionsChanged();

    if (resetSelection)
        setSelectionIndex(0);
    else if (selectionIndex_ >= rowCount_)
        setSelectionIndex(rowCount_ == 0 ? 0 : rowCount_ - 1);
}

const QList<NavRef> &PanelViewModel::navigable() const
{
    if (!navigableBuilt_) {
        QList<NavRef> rows;
        rows.reserve(rowCount_);
        for (const RowRun &run : rowRuns_) {
            const DisplaySection &section = sections_.at(run.section);
            for (const ShortcutEntry &entry : section.entries)
                rows.append(NavRef{section.id, entry});
        }
        navigable_ = std::move(rows);
        navigableBuilt_ = true;
    }
    return navigable_;
}

std::pair<qsizetype, qsizetype> PanelViewModel::rowAt(qsizetype row) const
{
    auto run = std::upper_bound(rowRuns_.cbegin(), rowRuns_.cend(), row,
                                [](qsizetype r, const RowRun &next) { return r < next.firstRow; });
    --run;
    return {run->section, row - run->firstRow};
}

void PanelViewModel::setActiveApp(const std::optional<RunningApp> &app, const std::optional<QString> &bundleId)
{
    std::optional<RunningApp> running = app;
    std::optional<QString> identifier = bundleId;
    if (!app && bundleId)
        running = workspace_.runningApp(*bundleId);
    else if (app && !bundleId)
        identifier = app->bundleIdentifier;
    activeRunningApp_ = running;
    // Nothing in front: the desktop itself is.
    if (!running && !identifier)
        identifier = desktopBundleId_;
    activeIdentifier_ = identifier;
    activeApp_ = store_.appForBundleId(identifier);
    terminalPrograms_.clear();
    // A window without a process id (wlroots compositors say none) is found by its program's names.
    if (activeApp_ && activeApp_->terminal.value_or(false) && running)
        terminalPrograms_ = terminalLookup_.programs(*running, ShortcutStore::identifiers(*activeApp_));
    lookUpActiveApps();
    setSearchText(QString());
}

void PanelViewModel::lookUpActiveApps()
{
    activeApp_ = store_.appForBundleId(activeIdentifier_);
    programsInFront_.clear();
    // Each program by the first of its names the catalogue knows; one the catalogue does not know
    // (a shell without a data file) is passed over.
    for (const QStringList &names : std::as_const(terminalPrograms_)) {
        for (const QString &name : names) {
            std::optional<AppShortcuts> app = store_.appForBundleId(name);
            if (!app)
                continue;
            if (!isInFront(app->slug))
                programsInFront_.append(std::move(*app));
            break;
        }
    }
}

bool PanelViewModel::isInFront(const QString &slug) const
{
    return (activeApp_ && activeApp_->slug == slug)
        || std::any_of(programsInFront_.cbegin(), programsInFront_.cend(),
                       [&](const AppShortcuts &app) { return app.slug == slug; });
}

void PanelViewModel::catalogueChanged()
{
    search_.begin(QStringList());
    search_.finish();
    installedCache_.clear();
    lookUpActiveApps();
    refreshKeepingSelection();
}

std::optional<QString> PanelViewModel::selectionKey() const
{
    if (selectionIndex_ < 0 || selectionIndex_ >= rowCount_)
        return std::nullopt;
    const auto [section, entry] = rowAt(selectionIndex_);
    const DisplaySection &display = sections_.at(section);
    return display.id + QLatin1Char('#') + display.entries.at(entry).id();
}

std::optional<ShortcutEntry> PanelViewModel::selectedEntry() const
{
    if (selectionIndex_ < 0 || selectionIndex_ >= rowCount_)
        return std::nullopt;
    const auto [section, entry] = rowAt(selectionIndex_);
    return sections_.at(section).entries.at(entry);
}

void PanelViewModel::moveSelection(qint64 delta)
{
    if (rowCount_ == 0)
        return;
    const qint64 last = rowCount_ - 1;
    // Clamp without overflowing on extreme deltas.
    qint64 index;
    if (delta > 0)
        index = delta > last - selectionIndex_ ? last : selectionIndex_ + delta;
    else
        index = delta < -selectionIndex_ ? 0 : selectionIndex_ + delta;
    setSelectionIndex(qBound<qint64>(0, index, last));
}

void PanelViewModel::refreshKeepingSelection()
{
    const std::optional<QString> key = selectionKey();
    rebuild(false);
    if (key) {
        // The first row whose key is the section id, "#" and the entry id: only sections whose id
        // starts the key hold candidates.
        for (const RowRun &run : rowRuns_) {
            const DisplaySection &section = sections_.at(run.section);
            const std::optional<QStringView> entryId = NavRef::entryIdIn(*key, section.id);
            if (!entryId)
                continue;
            for (qsizetype e = 0; e < section.entries.size(); ++e) {
                if (section.entries.at(e).hasId(*entryId)) {
                    setSelectionIndex(run.firstRow + e);
                    return;
                }
            }
        }
    }
    setSelectionIndex(qMax<qint64>(0, qMin<qint64>(selectionIndex_, rowCount_ - 1)));
}

void PanelViewModel::toggleCollapsed(const QString &sectionId)
{
    if (!collapsed_.remove(sectionId))
        collapsed_.insert(sectionId);
    Q_EMIT collapsedChanged();
    refreshKeepingSelection();
}
