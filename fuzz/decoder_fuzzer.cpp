// Feeds arbitrary bytes to the data-file decoder and, when they decode, builds the catalogue
// entries from them, so key parsing and id building see the same input.
#include "catalogue/AppShortcutsDecoder.h"
#include "catalogue/ShortcutStore.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static AppShortcutsDecoder decoder;
    const auto result = decoder.decode(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (result.app) {
        for (const char *platform : {"linux", "macos"}) {
            const auto entries = ShortcutStore::makeEntries(*result.app, QLatin1String(platform));
            for (const ShortcutEntry &entry : entries) {
                if (entry.id().isEmpty())
                    __builtin_trap();
            }
        }
    }
    return 0;
}
