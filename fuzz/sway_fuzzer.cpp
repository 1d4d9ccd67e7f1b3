// A sway or i3 config: variables, blocks, modes and includes (of files that are not there).
#include "FuzzInput.h"
#include "catalogue/bindings/SwayConfigReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QProcessEnvironment env = [] {
        QProcessEnvironment e;
        e.insert(QStringLiteral("HOME"), QStringLiteral("/nonexistent"));
        return e;
    }();
    const auto result = SwayConfigReader::read(FuzzInput::asFile(data, size, "config"), QStringLiteral("sway"), env);
    if (result) {
        for (const UserBinding &binding : result->bindings) {
            if (binding.keys.isEmpty() || binding.title.size() > SwayConfigReader::maxExpandedLine)
                __builtin_trap();
        }
    }
    return 0;
}
