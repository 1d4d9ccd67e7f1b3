#pragma once

#include "platform/InstalledProgram.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

// The message catalogues (gettext .mo files) of an installed program, read through the C library's
// dgettext in the language the process was set to: how a program's own window titles read in the
// user's language.
class GettextCatalogues {
public:
    // The user's language for messages as gettext takes it from the environment: LANGUAGE's list
    // when set ("de:fr"), else the locale of LC_ALL, LC_MESSAGES or LANG without its codeset
    // ("de_DE", "pt_BR"); "C" when messages are not translated.
    static QString userLocale();

    // Sets the process to read catalogues in `locale` (as userLocale() gives it), also when that
    // locale is not generated on this machine. Process-wide: the reading process calls it once at its
    // start, before anything reads a catalogue. False for "C", when nothing will be translated.
    static bool useLocale(const QString &locale);

    // The catalogues of the program at `programPath`, whose own prefix (<prefix>/share/locale for
    // <prefix>/bin/program) is searched before the system's. `fallbackDomains` are tried, in order,
    // when a builder file names no domain of its own (the desktop entry's, the program's name).
    GettextCatalogues(const QString &locale, const QString &programPath, QStringList fallbackDomains);

    // The catalogues of the application of `installed` known by one of `identifiers` (desktop ids,
    // window classes; case is ignored): its program's, in the domain its desktop entry names, else
    // the program's file name. None when no such application is installed.
    static std::optional<GettextCatalogues> forApplication(const QString &locale, const QStringList &identifiers,
                                                           const QList<InstalledProgram> &installed);

    // The translation of `text` (under `context` when not empty) in `domain`, or in the first
    // fallback domain with a catalogue when `domain` is empty or has none; `text` when none has it.
    QString translate(const QString &domain, const QString &context, const QString &text);

private:
    // Whether `domain` has a catalogue in the locale; binds it to the folder that has it.
    bool bound(const QString &domain);

    QStringList languages_;  // "de_DE", "de", … in the order gettext tries them
    QStringList folders_;    // locale folders, the program's prefix first
    QStringList fallbackDomains_;
    QHash<QString, bool> bound_;
};
