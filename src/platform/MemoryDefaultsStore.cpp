#include "platform/MemoryDefaultsStore.h"

QVariant MemoryDefaultsStore::value(const QString &key) const
{
    return stored.value(key);
}

void MemoryDefaultsStore::setValue(const QString &key, const QVariant &value)
{
    if (value.isValid())
        stored.insert(key, value);
    else
        stored.remove(key);
}
