#include "platform/StandardDefaults.h"

#include "platform/JsonDefaultsStore.h"

namespace StandardDefaults {

JsonDefaultsStore &shared()
{
    static JsonDefaultsStore store(JsonDefaultsStore::defaultPath());
    return store;
}

} // namespace StandardDefaults
