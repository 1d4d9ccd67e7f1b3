#include "platform/freedesktop/DeferredAppDirectory.h"

#include "platform/freedesktop/GioModule.h"
#include "platform/freedesktop/GioServices.h"

DeferredAppDirectory::DeferredAppDirectory(GioModule &module) : module_(module) {}

DeferredAppDirectory::~DeferredAppDirectory() = default;

std::optional<DesktopEntry> DeferredAppDirectory::find(const QString &identifier)
{
    if (!made_) {
        made_ = true;
        if (GioServices *services = module_.services())
            entries_ = services->desktopEntries();
    }
    return entries_ ? entries_->find(identifier) : std::nullopt;
}
