#pragma once

#include <QString>
#include <QVariant>

// The per-user key-value store that favourites and preferences live in. Values keep their types:
// QString, bool, qint64 (qlonglong), double, and lists (QVariantList) of any of them. A missing key
// reads as an invalid QVariant. A value set reads back at once; a file store writes it right after.
class DefaultsStore {
public:
    virtual ~DefaultsStore() = default;

    virtual QVariant value(const QString &key) const = 0;
    virtual void setValue(const QString &key, const QVariant &value) = 0;
    bool contains(const QString &key) const { return value(key).isValid(); }
};
