#pragma once

#include "platform/AppBindings.h"

#include <QByteArray>
#include <QString>
#include <optional>

// VS Code's (and VSCodium's) keybindings.json: a JSON array with comments and trailing commas. Each
// {"key", "command"} adds a key to the command, which keeps its default keys; a "-command" removes
// that key (or, without a key, every key) from it. Absent when the file is not such an array.
class VsCodeKeybindingsReader {
public:
    static std::optional<AppBindings> parse(const QByteArray &json, const QString &origin, const QString &app);

    // The text with comments and trailing commas taken out, strings untouched.
    static QByteArray plainJson(const QByteArray &text);
};
