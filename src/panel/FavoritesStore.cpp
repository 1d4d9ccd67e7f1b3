#include "panel/FavoritesStore.h"

#include "services/DefaultsStore.h"

#include <QStringList>
#include <QVariantList>

FavoritesStore::FavoritesStore(DefaultsStore &defaults) : defaults_(defaults)
{
    const QVariant stored = defaults.value(QLatin1String(key));
    if (stored.typeId() != QMetaType::QVariantList && stored.typeId() != QMetaType::QStringList)
        return;
    QSet<QString> loaded;
    for (const QVariant &item : stored.toList()) {
        // One element that is not a string rejects the whole list.
        if (item.typeId() != QMetaType::QString)
            return;
        loaded.insert(item.toString());
    }
    ids_ = std::move(loaded);
}

void FavoritesStore::toggle(const QString &id)
{
    if (!ids_.remove(id))
        ids_.insert(id);
    const QStringList list(ids_.cbegin(), ids_.cend());
    defaults_.setValue(QLatin1String(key), list);
}
