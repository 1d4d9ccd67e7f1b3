#pragma once

#include "catalogue/ShortcutStore.h"
#include "panel/FavoritesStore.h"
#include "panel/PanelViewModel.h"
#include "services/MemoryDefaultsStore.h"
#include "platform/StaticWorkspace.h"
#include "settings/Preferences.h"

#include <QSignalSpy>
#include <memory>

// An application with one section per entry of `sections`: title -> shortcut titles (no keys).
inline AppShortcuts makeApp(const QString &slug, const QString &name, std::optional<QString> bundleId,
                            const QList<QPair<QString, QStringList>> &sections)
{
    AppShortcuts app;
    app.slug = slug;
    app.name = name;
    app.bundleId = std::move(bundleId);
    Keymap keymap;
    keymap.title = QStringLiteral("Default");
    for (const auto &[title, shortcuts] : sections) {
        ShortcutSection section;
        section.title = title;
        for (const QString &shortcut : shortcuts)
            section.shortcuts.append(RawShortcut{shortcut, std::nullopt, std::nullopt});
        keymap.sections.append(section);
    }
    app.keymaps.append(keymap);
    return app;
}

inline QString entryId(const QString &slug, const QString &section, const QString &title)
{
    return ShortcutEntry::makeId(slug, section, title, std::nullopt);
}

// A view model over an in-memory catalogue, defaults store and workspace.
struct PanelFixture {
    MemoryDefaultsStore defaults;
    StaticWorkspace workspace;
    ShortcutStore store{std::nullopt, QStringLiteral("linux")};
    std::unique_ptr<FavoritesStore> favorites;
    std::unique_ptr<Preferences> preferences;
    std::unique_ptr<PanelViewModel> vm;

    explicit PanelFixture(QList<AppShortcuts> apps)
    {
        store.load(std::move(apps));
        favorites = std::make_unique<FavoritesStore>(defaults);
        preferences = std::make_unique<Preferences>(defaults);
        vm = std::make_unique<PanelViewModel>(store, *favorites, workspace, *preferences);
    }

    QStringList sectionIds() const
    {
        QStringList ids;
        for (const DisplaySection &section : vm->sections())
            ids << section.id;
        return ids;
    }

    QStringList rowTitles() const
    {
        QStringList titles;
        for (const NavRef &row : vm->navigable())
            titles << row.entry.title();
        return titles;
    }

    QString selectedTitle() const
    {
        const auto entry = vm->selectedEntry();
        return entry ? entry->title() : QString();
    }

    // Selects the row with this title by moving down from the top.
    void select(const QString &title)
    {
        vm->moveSelection(-vm->navigable().size());
        while (selectedTitle() != title && vm->selectionIndex() + 1 < vm->navigable().size())
            vm->moveSelection(1);
    }

    void toggleFavorite(const QString &id)
    {
        favorites->toggle(id);
        vm->refreshKeepingSelection();
    }
};
