#pragma once

#include "platform/KeyBindingSettings.h"

#include <memory>

class GioModule;

// GNOME's key bindings through the GIO module's GSettingsKeyBindings, made when they are first read
// or watched (which loads the module and GIO's settings backend). Without the module there are none.
class DeferredKeyBindingSettings : public KeyBindingSettings {
public:
    explicit DeferredKeyBindingSettings(GioModule &module);
    ~DeferredKeyBindingSettings() override;

    QList<AppBindings> read() override;
    void setChangeHandler(std::function<void()> changed) override;

private:
    KeyBindingSettings *settings();

    GioModule &module_;
    std::unique_ptr<KeyBindingSettings> settings_;
    bool made_ = false;
};
