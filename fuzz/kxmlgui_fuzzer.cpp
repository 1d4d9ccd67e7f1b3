// A KDE program's kxmlgui .rc file.
#include "FuzzInput.h"
#include "catalogue/bindings/KXmlGuiReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    KXmlGuiReader::parse(FuzzInput::bytes(data, size), QStringLiteral("kateui.rc"), QStringLiteral("kate"));
    return 0;
}
