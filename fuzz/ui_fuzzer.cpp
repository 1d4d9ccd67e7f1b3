// A GtkBuilder .ui file with a shortcuts window.
#include "FuzzInput.h"
#include "catalogue/ShortcutsWindowReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ShortcutsWindowReader::read(FuzzInput::bytes(data, size));
    return 0;
}
