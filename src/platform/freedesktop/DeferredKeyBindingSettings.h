#pragma once

#include "platform/KeyBindingSettings.h"

#include <QProcessEnvironment>

#include <functional>
#include <memory>

class GioModule;

// GNOME's key bindings through the GIO module's GSettingsKeyBindings, made when they are first read
// or watched (which loads the module and GIO's settings backend). Without the module there are none.
// While the settings are dconf's and the user's dconf database does not exist (a desktop other than
// GNOME, where no GTK program has stored a setting yet), the user has set nothing: then neither the
// module nor GIO is loaded, and the database's file is watched for instead.
class DeferredKeyBindingSettings : public KeyBindingSettings {
public:
    explicit DeferredKeyBindingSettings(GioModule &module,
                                        QProcessEnvironment env = QProcessEnvironment::systemEnvironment());
    ~DeferredKeyBindingSettings() override;

    QList<AppBindings> read() override;
    void setChangeHandler(std::function<void()> changed) override;
    QStringList watchedPaths() const override;

    // The file of the user's dconf database when GSettings would read dconf's default profile from
    // it; empty when another backend or profile is in use.
    static QString dconfUserDatabase(const QProcessEnvironment &env);

private:
    KeyBindingSettings *settings();
    bool nothingSet() const;

    GioModule &module_;
    QString database_;
    std::unique_ptr<KeyBindingSettings> settings_;
    std::function<void()> changed_;
    bool made_ = false;
};
