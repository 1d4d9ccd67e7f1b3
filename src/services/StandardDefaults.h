#pragma once

#include "services/JsonDefaultsStore.h"

// The user's own defaults: the settings file in the user's configuration folder.
namespace StandardDefaults {
JsonDefaultsStore &shared();
}
