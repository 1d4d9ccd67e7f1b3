// KDE's kglobalshortcutsrc.
#include "FuzzInput.h"
#include "catalogue/bindings/KGlobalShortcutsReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const AppBindings result = KGlobalShortcutsReader::parse(FuzzInput::bytes(data, size), QStringLiteral("kglobalshortcutsrc"));
    for (const UserBinding &binding : result.bindings) {
        if (!binding.action.contains(QLatin1Char('/')))
            __builtin_trap();
    }
    return 0;
}
