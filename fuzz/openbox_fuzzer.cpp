// Openbox's rc.xml, nested keybinds included.
#include "FuzzInput.h"
#include "catalogue/bindings/OpenboxConfigReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    OpenboxConfigReader::parse(FuzzInput::bytes(data, size), QStringLiteral("rc.xml"));
    return 0;
}
