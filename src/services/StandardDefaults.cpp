#include "services/StandardDefaults.h"

#include "services/JsonDefaultsStore.h"

namespace StandardDefaults {

JsonDefaultsStore &shared()
{
    static JsonDefaultsStore store(JsonDefaultsStore::defaultPath());
    return store;
}

} // namespace StandardDefaults
