#pragma once

#include "platform/AppBindings.h"

#include <QByteArray>
#include <QString>
#include <optional>

// The <keybind> elements of Openbox's rc.xml, nested ones as key chains. Each action is written
// as Openbox names it with its options in document order, several actions joined by "; ":
// "GoToDesktop to=left", "Execute command=kfmclient openProfile filemanagement". rc.xml holds every
// binding Openbox has, so the result is complete. Absent when the file is not well-formed XML.
class OpenboxConfigReader {
public:
    // Keybinds nested deeper than this (chains of more keys) are ignored.
    static constexpr int maxChain = 8;

    static std::optional<AppBindings> parse(const QByteArray &xml, const QString &origin);
};
