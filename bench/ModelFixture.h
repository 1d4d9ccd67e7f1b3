#pragma once

#include "catalogue/ShortcutStore.h"
#include "panel/FavoritesStore.h"
#include "panel/PanelViewModel.h"
#include "services/MemoryDefaultsStore.h"
#include "platform/StaticWorkspace.h"
#include "settings/Preferences.h"

#include <memory>
#include <string>
#include <vector>

// A loaded catalogue with the panel model over it, as the program holds them while the panel is
// open: a frontmost application, a few favourites, an empty search.
class ModelFixture {
public:
    explicit ModelFixture(const std::string &folder);
    ModelFixture(const ModelFixture &) = delete;
    ModelFixture &operator=(const ModelFixture &) = delete;

    PanelViewModel &viewModel() { return *vm; }
    FavoritesStore &favorites() { return *favoritesStore; }
    std::size_t entryCount() const { return searchTexts.size(); }

    // The floor a search is compared with: one memmem of each word in every entry's search text
    // (UTF-8, one string per entry, catalogue order). Returns the number of entries with every word.
    std::size_t plainScan(const std::vector<std::string> &words) const;

private:
    MemoryDefaultsStore defaults;
    StaticWorkspace workspace;
    ShortcutStore store;
    std::unique_ptr<FavoritesStore> favoritesStore;
    std::unique_ptr<Preferences> preferences;
    std::unique_ptr<PanelViewModel> vm;
    std::vector<std::string> searchTexts;
};
