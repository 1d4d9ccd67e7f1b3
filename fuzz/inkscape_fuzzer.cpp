// Inkscape's keys/default.xml.
#include "FuzzInput.h"
#include "catalogue/bindings/InkscapeKeysReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    InkscapeKeysReader::parse(FuzzInput::bytes(data, size), QStringLiteral("default.xml"));
    return 0;
}
