#include "catalogue/BindingConflicts.h"

#include "catalogue/ShortcutStore.h"

#include <algorithm>

namespace BindingConflicts {

namespace {

QStringList sorted(QStringList keys)
{
    std::sort(keys.begin(), keys.end());
    return keys;
}

bool runsThisProgram(const ShortcutEntry &entry)
{
    const auto mentions = [](const QString &text) { return text.contains(QLatin1String("corvane"), Qt::CaseInsensitive); };
    return mentions(entry.title()) || (entry.action() && mentions(*entry.action()));
}

} // namespace

std::optional<Conflict> find(const ShortcutStore &store, const QString &bundleId, const QStringList &chord)
{
    const std::optional<AppShortcuts> app = store.appForBundleId(bundleId);
    if (!app || chord.isEmpty())
        return std::nullopt;
    const QStringList wanted = sorted(chord);
    for (const ShortcutEntry &entry : store.entriesByApp().value(app->slug)) {
        const KeyGroups &groups = entry.keyGroups();
        if (groups.size() == 1 && sorted(groups.constFirst()) == wanted && !runsThisProgram(entry))
            return Conflict{entry.appName(), entry.title()};
    }
    return std::nullopt;
}

} // namespace BindingConflicts
