#pragma once

#include "platform/AppBindings.h"

#include <QByteArray>
#include <QString>
#include <optional>

// A KDE program's user GUI file (~/.local/share/kxmlgui5/COMPONENT/*.rc): each <Action> of
// <ActionProperties> with a "shortcut" attribute sets the keys of that action, several separated by
// "; "; an empty attribute unbinds it. Absent when the file is not well-formed XML.
class KXmlGuiReader {
public:
    // `app`: the catalogue application of the component.
    static std::optional<AppBindings> parse(const QByteArray &xml, const QString &origin, const QString &app);
};
