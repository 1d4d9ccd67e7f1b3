// A compiled resource bundle, checked and then walked through GIO as a program's would be.
#include "FuzzInput.h"
#include "platform/freedesktop/GResourceReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 8)
        return 0;
    GResourceReader reader;
    reader.uiFiles(FuzzInput::asFile(data, size, "bundle.gresource"), [](const QString &, const QByteArray &ui) {
        return !ui.isEmpty();
    });
    return 0;
}
