// The discovery cache as read at start: loaded, then written back and read again unchanged.
#include "FuzzInput.h"
#include "catalogue/DiscoveryCache.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = FuzzInput::asFile(data, size, "discovered.json");
    DiscoveryCache cache(path);
    cache.load();
    cache.store(QStringLiteral("fuzz"), DiscoveryCache::Record{{QStringLiteral("/bin/true"), 1, 2}, QString(), {}});
    if (!cache.save())
        return 0;
    DiscoveryCache again(path);
    if (!again.load() || !again.find(QStringLiteral("fuzz")))
        __builtin_trap();
    return 0;
}
