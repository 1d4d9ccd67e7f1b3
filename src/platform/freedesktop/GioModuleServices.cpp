// The entry point of the GIO module (libcorvane-gio.so): GioServices on the classes that use GIO.
#include "platform/freedesktop/GioServices.h"

#include "platform/freedesktop/DesktopEntries.h"
#include "platform/freedesktop/GResourceReader.h"
#include "platform/freedesktop/GSettingsKeyBindings.h"
#include "platform/freedesktop/GnomeCustomKeybinding.h"
#include "platform/freedesktop/GnomeHotKeyBackend.h"
#include "platform/freedesktop/InstalledPrograms.h"

namespace {

class GioModuleServices final : public GioServices {
public:
    std::unique_ptr<AppDirectory> desktopEntries() override { return std::make_unique<DesktopEntries>(); }
    std::unique_ptr<KeyBindingSettings> keyBindingSettings() override
    {
        return std::make_unique<GSettingsKeyBindings>();
    }
    QList<InstalledProgram> installedPrograms() override { return InstalledPrograms::list(); }
    std::unique_ptr<ProgramResources> programResources() override { return std::make_unique<GResourceReader>(); }
    bool gnomeCustomKeybindingAvailable() override { return GnomeCustomKeybinding::isAvailable(); }
    std::unique_ptr<HotKeyBackend> gnomeHotKeyBackend(const QString &command) override
    {
        return std::make_unique<GnomeHotKeyBackend>(command);
    }
    bool removeGnomeCustomKeybinding() override { return GnomeCustomKeybinding().remove(); }
};

} // namespace

extern "C" __attribute__((visibility("default"))) GioServices *corvane_gio_services()
{
    static GioModuleServices services;
    return &services;
}
