#pragma once

#include "platform/AppDirectory.h"
#include "platform/HotKeyBackend.h"
#include "platform/InstalledProgram.h"
#include "platform/KeyBindingSettings.h"
#include "platform/ProgramResources.h"

#include <QList>
#include <QString>
#include <memory>

// What this program reads through GIO and libelf: desktop entries, GNOME's settings and the GResource
// bundles of installed programs. It is built as a module of its own (GioModule loads it), so that
// neither library is loaded before the tray is up; only the first use of one of these loads them.
class GioServices {
public:
    virtual ~GioServices() = default;

    // The installed applications, watched for changes (DesktopEntries).
    virtual std::unique_ptr<AppDirectory> desktopEntries() = 0;
    // GNOME's key bindings as the user set them (GSettingsKeyBindings).
    virtual std::unique_ptr<KeyBindingSettings> keyBindingSettings() = 0;
    // The installed applications with their programs, read now (InstalledPrograms::list).
    virtual QList<InstalledProgram> installedPrograms() = 0;
    // Reads the GResource bundles of program files (GResourceReader).
    virtual std::unique_ptr<ProgramResources> programResources() = 0;
    // GNOME's custom shortcuts: whether its keyboard settings are installed, the hot key kept there
    // running `command`, and taking our entry away again (true when there was one).
    virtual bool gnomeCustomKeybindingAvailable() = 0;
    virtual std::unique_ptr<HotKeyBackend> gnomeHotKeyBackend(const QString &command) = 0;
    virtual bool removeGnomeCustomKeybinding() = 0;
};

// The module's one entry point, an extern "C" function of this name and type: the services, owned by
// the module and alive while it is loaded.
#define CORVANE_GIO_SERVICES_SYMBOL "corvane_gio_services"
using CorvaneGioServicesFunction = GioServices *(*)();
