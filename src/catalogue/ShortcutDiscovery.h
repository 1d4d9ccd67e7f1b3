#pragma once

#include "catalogue/AppShortcuts.h"
#include "catalogue/ShortcutsWindowImport.h"
#include "platform/InstalledProgram.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>

class ProgramResources;

// Finds the installed applications that the shipped catalogue does not know and whose programs carry
// a shortcuts window, and makes an application of each (slug from the desktop id, name from the
// desktop entry). What it reads is kept in a DiscoveryCache, so that unchanged programs are not read
// again. Runs on any thread: it touches nothing but its arguments, the program files and the cache file.
class ShortcutDiscovery {
public:
    struct Outcome {
        QList<AppShortcuts> apps;  // ordered by desktop id
        QStringList log;           // one line per application that could not be read
        int programsRead = 0;      // program files opened
        int fromCache = 0;         // applications answered by the cache
    };

    ShortcutDiscovery(ProgramResources &resources, QString cacheFile);

    // `shippedIds` holds the lower-cased identifiers (bundle ids and aliases) of the shipped catalogue;
    // an application known by its desktop id, window class or program name is left to it.
    Outcome discover(const QList<InstalledProgram> &programs, const QSet<QString> &shippedIds);

    // When set and true, discover() stops before the next program and returns what it has (and
    // keeps it in the cache).
    void setCancelFlag(const std::atomic<bool> *cancel) { cancel_ = cancel; }

    // How a program file is read; by default ShortcutsWindowImport in this process, titles as written.
    // `domains` are the message catalogues to read titles in when the program's builder file names
    // none: the desktop entry's X-GNOME-Gettext-Domain, then the program's file name. A failure of any
    // kind (a crash of a worker process included) is an error in the result: the program is then
    // remembered in the cache as read without a shortcuts window, and not read again until it changes.
    using Importer = std::function<ShortcutsWindowImport::Result(const QString &path, const QStringList &domains)>;
    void setImporter(Importer importer) { importer_ = std::move(importer); }

    // "org.gnome.Calculator" to "org-gnome-calculator".
    static QString slugFor(const QString &desktopId);

private:
    ProgramResources &resources_;
    QString cacheFile_;
    const std::atomic<bool> *cancel_ = nullptr;
    Importer importer_;
};
