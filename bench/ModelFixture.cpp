#include "ModelFixture.h"

#include <cstring>

ModelFixture::ModelFixture(const std::string &folder)
    : store(QString::fromStdString(folder), QStringLiteral("linux"))
{
    store.load();
    for (const AppShortcuts &app : store.orderedApps()) {
        for (const ShortcutEntry &entry : store.entriesByApp().value(app.slug))
            searchTexts.push_back(entry.searchText().toString().toStdString());
    }

    // Twenty favourites spread over the catalogue, stored before the view model reads them.
    favoritesStore = std::make_unique<FavoritesStore>(defaults);
    const auto &apps = store.orderedApps();
    for (int i = 0; i < 20 && !apps.isEmpty(); ++i) {
        const auto &entries = store.entriesByApp().value(apps[(i * 7919) % apps.size()].slug);
        favoritesStore->toggle(entries[(i * 31) % entries.size()].id());
    }
    preferences = std::make_unique<Preferences>(defaults);
    vm = std::make_unique<PanelViewModel>(store, *favoritesStore, workspace, *preferences);

    // The frontmost application: one from the middle of the list that has an identifier.
    std::optional<QString> frontmost;
    for (qsizetype i = apps.size() / 2; i < apps.size() && !frontmost; ++i)
        frontmost = apps[i].bundleId;
    vm->setActiveApp(std::nullopt, frontmost);
}

std::size_t ModelFixture::plainScan(const std::vector<std::string> &words) const
{
    std::size_t matches = 0;
    for (const std::string &text : searchTexts) {
        bool all = true;
        for (const std::string &word : words) {
            if (!memmem(text.data(), text.size(), word.data(), word.size())) {
                all = false;
                break;
            }
        }
        matches += all;
    }
    return matches;
}
