#include "platform/StandardDefaults.h"

#include "platform/JsonDefaultsStore.h"

namespace StandardDefaults {

DefaultsStore &shared()
{
    static JsonDefaultsStore store(JsonDefaultsStore::defaultPath());
    return store;
}

} // namespace StandardDefaults
