#pragma once

#include "platform/DesktopEntry.h"

// GIO's headers use `signals` as a name, which Qt defines as a keyword.
#undef signals
#include <gio/gdesktopappinfo.h>

// A desktop entry as GIO reads it: the id without ".desktop", the name, the icon (a theme name or
// a file path), StartupWMClass and whether menus show it.
namespace GioDesktopEntry {
DesktopEntry from(GDesktopAppInfo *info);
}
