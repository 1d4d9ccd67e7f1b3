#pragma once

#include "catalogue/AppShortcuts.h"
#include "catalogue/ShortcutSection.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// Reads the shortcuts window a GTK program describes in a GtkBuilder file: GtkShortcutsWindow >
// GtkShortcutsSection > GtkShortcutsGroup > GtkShortcutsShortcut (GTK 3 and 4), or AdwShortcutsDialog >
// AdwShortcutsSection > AdwShortcutsItem (libadwaita). Titles are taken as written, or in the
// program's own translation when a translation function is given (the English title then stays in
// `englishTitle`); accelerators become the data format's key notation. Rows, groups and sections set invisible are left
// out, and so are the right-to-left variants of a row (`direction` "rtl"): the left-to-right one is
// the shortcut.
//
// The input is untrusted: documents with a DTD (where entities would be declared) are refused, and so
// are documents larger than maxBytes or nested deeper than maxDepth; nothing outside the text is read.
class ShortcutsWindowReader {
public:
    struct Result {
        QList<ShortcutSection> sections;  // groups with at least one shortcut, in document order
        // Shortcuts left out, one line each (gestures, malformed accelerators, untitled rows). A row
        // whose keys the program sets at run time is kept: no key, its `action`, keySetByProgram().
        QStringList warnings;
        // Why the document could not be read at all, with the line and column where XML broke off;
        // empty when it could.
        QString error;
        qsizetype shortcutCount() const;
    };

    static constexpr qint64 maxBytes = qint64(4) * 1024 * 1024;
    static constexpr int maxDepth = 64;

    // The program's translation of a title or subtitle marked translatable: `domain` is the builder
    // file's own (empty when it names none), `context` the property's. Returns `text` when there is none.
    using Translate = std::function<QString(const QString &domain, const QString &context, const QString &text)>;

    static Result read(const QByteArray &xml, const Translate &translate = {});
    // The comment of a row whose keys the program sets at run time (the row names its action and has
    // no key).
    static QString keySetByProgram() { return QStringLiteral("key set by the program"); }
    // True when the bytes look like a shortcuts window (a cheap test before parsing).
    static bool mentionsShortcutsWindow(const QByteArray &xml);

    // A data-file record for the sections of one program, with one keymap for every platform.
    static AppShortcuts makeApp(const QString &slug, const QString &name, const std::optional<QString> &bundleId,
                                const QString &source, const QList<ShortcutSection> &sections);
};
