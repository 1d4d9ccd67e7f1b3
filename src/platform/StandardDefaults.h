#pragma once

class DefaultsStore;

// The user's own defaults: the settings file in the user's configuration folder.
namespace StandardDefaults {
DefaultsStore &shared();
}
