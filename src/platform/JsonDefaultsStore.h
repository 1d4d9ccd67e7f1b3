#pragma once

#include "platform/DefaultsStore.h"

#include <memory>

class QSettings;

// The user's preferences in a JSON object file, read and written through QSettings.
//
// Values keep their JSON types: integers read back as qlonglong, numbers written with a fraction or an
// exponent as double, arrays as QVariantList. Every setValue rewrites the whole file through a
// temporary file and a rename, so the file on disk is always one complete write. A file that is not a
// JSON object reads as no values, is copied aside as <name>.corrupt when the store opens it, and is
// left alone until the next setValue replaces it. Keys this program does not know are written back
// unchanged.
class JsonDefaultsStore : public DefaultsStore {
public:
    explicit JsonDefaultsStore(const QString &path);
    ~JsonDefaultsStore() override;
    JsonDefaultsStore(const JsonDefaultsStore &) = delete;
    JsonDefaultsStore &operator=(const JsonDefaultsStore &) = delete;

    // $XDG_CONFIG_HOME/corvane/corvane.json
    static QString defaultPath();

    QVariant value(const QString &key) const override;
    // An invalid value removes the key.
    void setValue(const QString &key, const QVariant &value) override;

private:
    QString filePath_;
    std::unique_ptr<QSettings> settings_;
    bool writeFailureLogged_ = false;
};
