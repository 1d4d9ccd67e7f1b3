#pragma once

#include "catalogue/ShortcutSection.h"

#include <QList>
#include <QString>
#include <QStringList>

class ProgramResources;

// The shortcuts window of one program file: every GtkBuilder file in it that describes one is read,
// and the best is kept (a help overlay, "…/help-overlay.ui", first; else the one with the most
// shortcuts).
class ShortcutsWindowImport {
public:
    struct Result {
        QList<ShortcutSection> sections;  // empty when nothing was found
        QString resourcePath;             // where the window was found, and in which file
        QString container;
        QStringList warnings;  // shortcuts left out
        // Why the file could not be read, or why no window could be read from it; empty when one was,
        // and when the program simply has none.
        QString error;
        bool found() const { return !sections.isEmpty(); }
    };

    static Result fromFile(ProgramResources &resources, const QString &path);
};
