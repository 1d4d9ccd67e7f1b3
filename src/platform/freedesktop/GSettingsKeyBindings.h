#pragma once

#include "platform/KeyBindingSettings.h"

#include <memory>

// GNOME's key bindings as the user set them in GSettings: the keybinding keys of the window
// manager, shell, mutter and media-keys schemas (custom shortcuts included) for the "GNOME Shell"
// section, and GNOME Terminal's keybindings. Only keys with a user value are reported, each as
// "schema/key" with its schema summary as title; custom shortcuts as "custom:PATH". Schemas that
// are not installed are skipped. Follows GSETTINGS_BACKEND and GSETTINGS_SCHEMA_DIR like any GIO
// program.
class GSettingsKeyBindings : public KeyBindingSettings {
public:
    GSettingsKeyBindings();
    ~GSettingsKeyBindings() override;
    GSettingsKeyBindings(const GSettingsKeyBindings &) = delete;
    GSettingsKeyBindings &operator=(const GSettingsKeyBindings &) = delete;

    QList<AppBindings> read() override;
    void setChangeHandler(std::function<void()> changed) override;

private:
    struct Private;
    std::unique_ptr<Private> d_;
};
