#pragma once

#include "catalogue/ShortcutSection.h"
#include "catalogue/ShortcutsWindowReader.h"

#include <QList>
#include <QString>
#include <QStringList>

class ProgramResources;

// The shortcuts window of one program file: every GtkBuilder file in it that describes one is read,
// and the best is kept (a help overlay, "…/help-overlay.ui", first; else the one with the most
// shortcuts). Rows whose keys the program sets at run time get them from the program file where it
// states them unmistakably (see ActionAccelerators); the others are listed without a key, saying so.
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

    // Largest program file searched for the keys a program sets at run time.
    static constexpr qint64 maxProgramSize = qint64(64) * 1024 * 1024;

    // With `translate`, titles in the program's own translation (see ShortcutsWindowReader).
    static Result fromFile(ProgramResources &resources, const QString &path,
                           const ShortcutsWindowReader::Translate &translate = {});
};
