#pragma once

#include <QStringList>
#include <QTextStream>

class ShortcutStore;

// corvane-data import: a data file from a program's own shortcuts window or a GSettings schema; and
// the discovered applications that `entries` and `panel` add with --discover.
class ImportCommand {
public:
    ImportCommand(QTextStream &out, QTextStream &err) : out_(out), err_(err) {}

    // `args` after "import". Returns the exit code: 0 a file was printed, 1 nothing to import, 2 bad usage.
    int run(const QStringList &args);

    // Adds to `store` the installed applications the program would discover (desktop entries of the
    // XDG data folders, cache in $XDG_CACHE_HOME/corvane). Returns the bundle ids added. Log lines go
    // to `err`.
    static QStringList discoverInto(ShortcutStore &store, QTextStream &err);

private:
    int fromSchema(const QString &schema, const QString &slug, const QString &name, const QString &bundleId);
    int usageError(const QString &message);

    QTextStream &out_;
    QTextStream &err_;
};
