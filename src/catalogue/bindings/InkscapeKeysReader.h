#pragma once

#include "platform/AppBindings.h"

#include <QByteArray>
#include <QString>
#include <optional>

// Inkscape's user key file (~/.config/inkscape/keys/default.xml). Inkscape 1.1 and later write
// <bind gaction="app.undo" keys="<ctrl>z,<ctrl>y"/>, earlier versions one
// <bind key="z" modifiers="Ctrl" action="EditUndo"/> per key; the keys of a file's actions replace
// their defaults, an empty keys attribute unbinds. Absent when the file is not well-formed XML.
class InkscapeKeysReader {
public:
    static std::optional<AppBindings> parse(const QByteArray &xml, const QString &origin);
};
