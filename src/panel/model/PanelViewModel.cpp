#include "panel/model/PanelViewModel.h"

#include "catalogue/ShortcutStore.h"
#include "panel/model/FavoritesStore.h"
#include "platform/Workspace.h"
#include "settings/Preferences.h"

PanelViewModel::PanelViewModel(const ShortcutStore &store, FavoritesStore &favorites, Workspace &workspace,
                               Preferences &preferences, QObject *parent)
    : QObject(parent), store_(store), favorites_(favorites), workspace(workspace), preferences(preferences)
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

QList<ShortcutEntry> PanelViewModel::matchingEntries(const QString &slug, bool searching,
                                                     const QStringList &words) const
{
    const auto found = store_.entriesByApp().constFind(slug);
    if (found == store_.entriesByApp().constEnd())
        return {};
    if (!searching)
        return *found;
    QList<ShortcutEntry> matches;
    for (const ShortcutEntry &entry : *found) {
        const QString &text = entry.searchText();
        bool all = true;
        for (const QString &word : words) {
            if (!text.contains(word)) {
                all = false;
                break;
            }
        }
        if (all)
            matches.append(entry);
    }
    return matches;
}

bool PanelViewModel::isInstalled(const QString &bundleId)
{
    const auto cached = installedCache.constFind(bundleId);
    if (cached != installedCache.constEnd())
        return *cached;
    const bool installed = workspace.isInstalled(bundleId);
    installedCache.insert(bundleId, installed);
    return installed;
}

DisplaySection PanelViewModel::appSection(const AppShortcuts &app, bool isActive, QList<ShortcutEntry> entries)
{
    DisplaySection section;
    section.id = app.slug;
    section.appSlug = app.slug;
    section.title = app.name;
    section.bundleId = app.bundleId;
    if (app.icon)
        section.iconFile = ShortcutStore::lastPathComponent(*app.icon);
    section.isActive = isActive;
    section.entries = std::move(entries);
    return section;
}

void PanelViewModel::rebuild(bool resetSelection)
{
    const QStringList words = queryWords(searchText_);
    const bool searching = !words.isEmpty();
    QList<DisplaySection> sections;

    if (!searching && !favorites_.isEmpty()) {
        QList<ShortcutEntry> favorites;
        for (const AppShortcuts &app : store_.orderedApps()) {
            for (const ShortcutEntry &entry : store_.entriesByApp().value(app.slug)) {
                if (favorites_.contains(entry.id()))
                    favorites.append(entry);
            }
        }
        if (!favorites.isEmpty()) {
            DisplaySection section;
            section.id = QLatin1String(DisplaySection::favoritesId);
            section.appSlug = section.id;
            section.title = QStringLiteral("Favorites");
            section.isActive = true;
            section.isFavorites = true;
            section.entries = std::move(favorites);
            sections.append(std::move(section));
        }
    }

    if (activeApp_) {
        QList<ShortcutEntry> entries = matchingEntries(activeApp_->slug, searching, words);
        if (!entries.isEmpty())
            sections.append(appSection(*activeApp_, true, std::move(entries)));
    }

    const bool onlyInstalled = preferences.onlyInstalledApps();
    for (const AppShortcuts &app : store_.orderedApps()) {
        if (activeApp_ && app.slug == activeApp_->slug)
            continue;
        if (onlyInstalled && (!app.bundleId || !isInstalled(*app.bundleId)))
            continue;
        QList<ShortcutEntry> entries = matchingEntries(app.slug, searching, words);
        if (!entries.isEmpty())
            sections.append(appSection(app, false, std::move(entries)));
    }

    sections_ = std::move(sections);
    Q_EMIT sectionsChanged();

    QList<NavRef> navigable;
    for (const DisplaySection &section : sections_) {
        if (collapsed_.contains(section.id))
            continue;
        for (const ShortcutEntry &entry : section.entries)
            navigable.append(NavRef{section.id, entry});
    }
    navigable_ = std::move(navigable);

    if (resetSelection)
        setSelectionIndex(0);
    else if (selectionIndex_ >= navigable_.size())
        setSelectionIndex(navigable_.isEmpty() ? 0 : navigable_.size() - 1);
}

void PanelViewModel::setActiveApp(const std::optional<RunningApp> &app, const std::optional<QString> &bundleId)
{
    std::optional<RunningApp> running = app;
    std::optional<QString> identifier = bundleId;
    if (!app && bundleId)
        running = workspace.runningApp(*bundleId);
    else if (app && !bundleId)
        identifier = app->bundleIdentifier;
    activeRunningApp_ = running;
    activeApp_ = store_.appForBundleId(identifier);
    setSearchText(QString());
}

std::optional<QString> PanelViewModel::selectionKey() const
{
    if (selectionIndex_ < 0 || selectionIndex_ >= navigable_.size())
        return std::nullopt;
    return navigable_.at(selectionIndex_).rowKey();
}

std::optional<ShortcutEntry> PanelViewModel::selectedEntry() const
{
    if (selectionIndex_ < 0 || selectionIndex_ >= navigable_.size())
        return std::nullopt;
    return navigable_.at(selectionIndex_).entry;
}

void PanelViewModel::moveSelection(qint64 delta)
{
    if (navigable_.isEmpty())
        return;
    const qint64 last = navigable_.size() - 1;
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
        for (qsizetype i = 0; i < navigable_.size(); ++i) {
            if (navigable_.at(i).hasRowKey(*key)) {
                setSelectionIndex(i);
                return;
            }
        }
    }
    setSelectionIndex(qMax<qint64>(0, qMin<qint64>(selectionIndex_, navigable_.size() - 1)));
}

void PanelViewModel::toggleCollapsed(const QString &sectionId)
{
    if (!collapsed_.remove(sectionId))
        collapsed_.insert(sectionId);
    Q_EMIT collapsedChanged();
    refreshKeepingSelection();
}
