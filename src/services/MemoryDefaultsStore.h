#pragma once

#include "services/DefaultsStore.h"

#include <QVariantMap>

// Keeps the values in memory only: for tests and for runs that must not touch the user's files.
class MemoryDefaultsStore : public DefaultsStore {
public:
    QVariant value(const QString &key) const override;
    // An invalid value removes the key.
    void setValue(const QString &key, const QVariant &value) override;

    QVariantMap values() const { return stored_; }

private:
    QVariantMap stored_;
};
