#include "services/MemoryDefaultsStore.h"

QVariant MemoryDefaultsStore::value(const QString &key) const
{
    return stored_.value(key);
}

void MemoryDefaultsStore::setValue(const QString &key, const QVariant &value)
{
    if (value.isValid())
        stored_.insert(key, value);
    else
        stored_.remove(key);
}
