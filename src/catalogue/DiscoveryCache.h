#pragma once

#include "catalogue/ShortcutSection.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <optional>

// What was read from each installed application's program, kept on disk so that a later start reads
// no program file that has not changed. A record is keyed by the desktop id and holds the program's
// path, size and modification time; a program without a readable shortcuts window is remembered too.
// A cache file that cannot be read is ignored (and replaced by the next save).
class DiscoveryCache {
public:
    struct Stamp {
        QString path;
        qint64 size = -1;
        qint64 modified = 0;  // milliseconds since the epoch
        friend bool operator==(const Stamp &a, const Stamp &b)
        {
            return a.path == b.path && a.size == b.size && a.modified == b.modified;
        }
    };
    struct Record {
        Stamp stamp;
        QString source;                   // where the sections came from
        QList<ShortcutSection> sections;  // empty: the program has none that could be read
    };

    explicit DiscoveryCache(QString file);

    // Reads the file. False when it exists but could not be used (then the cache starts empty).
    bool load();
    // Writes the file (atomically) when a record changed since load. False when writing failed.
    bool save();

    std::optional<Record> find(const QString &id) const;
    void store(const QString &id, const Record &record);
    // Forgets every record whose id is not in `ids`.
    void retain(const QSet<QString> &ids);
    bool changed() const { return changed_; }
    const QString &file() const { return file_; }

    // The stamp of a file as it is now (symbolic links followed); none when it cannot be read.
    static std::optional<Stamp> stampOf(const QString &path);
    // $XDG_CACHE_HOME/corvane/discovered.json, or discovered-<locale>.json for a language other than
    // "C" (the locale as the reading process takes it: "de_DE", "pt_BR", "de:fr").
    static QString defaultFile(const QString &locale = QString());

private:
    QString file_;
    QHash<QString, Record> records_;
    bool changed_ = false;
};
