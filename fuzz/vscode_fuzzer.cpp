// VS Code's keybindings.json (JSON with comments and trailing commas).
#include "FuzzInput.h"
#include "catalogue/bindings/VsCodeKeybindingsReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    VsCodeKeybindingsReader::parse(FuzzInput::bytes(data, size), QStringLiteral("keybindings.json"), QStringLiteral("vscode"));
    return 0;
}
