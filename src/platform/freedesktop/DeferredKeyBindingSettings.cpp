#include "platform/freedesktop/DeferredKeyBindingSettings.h"

#include "platform/freedesktop/GioModule.h"
#include "platform/freedesktop/GioServices.h"

DeferredKeyBindingSettings::DeferredKeyBindingSettings(GioModule &module) : module_(module) {}

DeferredKeyBindingSettings::~DeferredKeyBindingSettings() = default;

KeyBindingSettings *DeferredKeyBindingSettings::settings()
{
    if (!made_) {
        made_ = true;
        if (GioServices *services = module_.services())
            settings_ = services->keyBindingSettings();
    }
    return settings_.get();
}

QList<AppBindings> DeferredKeyBindingSettings::read()
{
    KeyBindingSettings *real = settings();
    return real ? real->read() : QList<AppBindings>();
}

void DeferredKeyBindingSettings::setChangeHandler(std::function<void()> changed)
{
    if (KeyBindingSettings *real = settings())
        real->setChangeHandler(std::move(changed));
}
