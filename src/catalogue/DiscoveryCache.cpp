#include "catalogue/DiscoveryCache.h"

#include "catalogue/AppShortcutsDecoder.h"
#include "catalogue/AppShortcutsEncoder.h"
#include "catalogue/LocalTitles.h"
#include "catalogue/ShortcutsWindowReader.h"
#include "services/AtomicFileWriter.h"
#include "services/BoundedFileReader.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>

#include <cmath>

namespace {

// Raised whenever the import reads a window differently, so that programs are read again.
constexpr int formatVersion = 2;
constexpr qint64 maxCacheSize = qint64(64) * 1024 * 1024;

// A JSON number that is a whole number a double holds exactly (a size, milliseconds since the
// epoch); none for anything else, 1e300 or NaN included (converting those to an integer is
// undefined).
std::optional<qint64> wholeNumber(const QJsonValue &value)
{
    if (!value.isDouble())
        return std::nullopt;
    const double number = value.toDouble();
    constexpr double limit = 9007199254740992.0;  // 2^53
    if (!(number > -limit && number < limit) || std::floor(number) != number)
        return std::nullopt;
    return qint64(number);
}

} // namespace

DiscoveryCache::DiscoveryCache(QString file) : file_(std::move(file)) {}

QString DiscoveryCache::defaultFile(const QString &locale)
{
    // One file per language: titles are read in the user's language, and a change of it (and back)
    // costs no reading.
    QString suffix;
    if (!locale.isEmpty() && locale != QLatin1String("C")) {
        suffix = QLatin1Char('-');
        for (QChar c : locale)
            suffix += c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('@') ? c : QLatin1Char('+');
    }
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)
        + QStringLiteral("/corvane/discovered%1.json").arg(suffix);
}

std::optional<DiscoveryCache::Stamp> DiscoveryCache::stampOf(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return std::nullopt;
    return Stamp{path, info.size(), info.lastModified().toMSecsSinceEpoch()};
}

bool DiscoveryCache::load()
{
    records_.clear();
    changed_ = false;
    // Only a regular file of bounded size: a FIFO or a link to a device in its place can neither
    // hang discovery nor fill its memory.
    const BoundedFileReader::Result file = BoundedFileReader::read(file_, maxCacheSize);
    if (file.outcome == BoundedFileReader::Outcome::Absent)
        return true;
    changed_ = true;  // unless everything below reads back, the file is rewritten
    if (file.outcome != BoundedFileReader::Outcome::Read)
        return false;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(file.bytes, &error);
    const QJsonObject top = document.object();
    if (error.error != QJsonParseError::NoError || !document.isObject()
        || top.value(QLatin1String("version")).toInt() != formatVersion || !top.value(QLatin1String("programs")).isObject())
        return false;
    AppShortcutsDecoder decoder;
    const QJsonObject programs = top.value(QLatin1String("programs")).toObject();
    bool complete = true;
    for (auto it = programs.begin(); it != programs.end(); ++it) {
        const QJsonObject entry = it.value().toObject();
        const QJsonValue size = entry.value(QLatin1String("size"));
        const QJsonValue modified = entry.value(QLatin1String("modified"));
        const QJsonValue path = entry.value(QLatin1String("path"));
        const QJsonValue data = entry.value(QLatin1String("data"));
        const auto sizeValue = wholeNumber(size);
        const auto modifiedValue = wholeNumber(modified);
        if (!path.isString() || !sizeValue || !modifiedValue || !(data.isString() || data.isNull())) {
            complete = false;
            continue;
        }
        Record record;
        record.stamp = Stamp{path.toString(), *sizeValue, *modifiedValue};
        if (data.isString()) {
            const auto decoded = decoder.decode(data.toString().toUtf8());
            if (!decoded.app || decoded.app->keymaps.isEmpty()) {
                complete = false;
                continue;
            }
            auto sections = LocalTitles::applied(decoded.app->keymaps.first().sections,
                                                 entry.value(QLatin1String("local")).toArray());
            if (!sections) {
                complete = false;
                continue;
            }
            record.sections = std::move(*sections);
            record.source = decoded.app->source.value_or(QString());
        }
        records_.insert(it.key(), record);
    }
    changed_ = !complete;
    return complete;
}

bool DiscoveryCache::save()
{
    if (!changed_)
        return true;
    QJsonObject programs;
    for (auto it = records_.constBegin(); it != records_.constEnd(); ++it) {
        QJsonObject entry{{QStringLiteral("path"), it->stamp.path},
                          {QStringLiteral("size"), double(it->stamp.size)},
                          {QStringLiteral("modified"), double(it->stamp.modified)}};
        if (it->sections.isEmpty()) {
            entry.insert(QStringLiteral("data"), QJsonValue::Null);
        } else {
            // The sections as a data file of their own (in English), read back with the strict decoder;
            // the titles in the user's language beside it.
            const auto app = ShortcutsWindowReader::makeApp(QStringLiteral("cached"), it.key(), std::nullopt,
                                                            it->source, LocalTitles::english(it->sections));
            entry.insert(QStringLiteral("data"), QString::fromUtf8(AppShortcutsEncoder::encode(app)));
            if (const QJsonArray local = LocalTitles::layer(it->sections); !local.isEmpty())
                entry.insert(QStringLiteral("local"), local);
        }
        programs.insert(it.key(), entry);
    }
    const QJsonObject top{{QStringLiteral("version"), formatVersion}, {QStringLiteral("programs"), programs}};
    QDir().mkpath(QFileInfo(file_).absolutePath());
    // The cache is replaced, never written through: a link in its place (to a device, say) or a
    // FIFO goes, and a regular file takes its place.
    const QFileInfo info(file_);
    if (info.isSymLink() || (info.exists() && !info.isFile()))
        QFile::remove(file_);
    if (AtomicFileWriter::write(file_, QJsonDocument(top).toJson(QJsonDocument::Compact)))
        return false;
    changed_ = false;
    return true;
}

std::optional<DiscoveryCache::Record> DiscoveryCache::find(const QString &id) const
{
    const auto found = records_.constFind(id);
    return found == records_.constEnd() ? std::nullopt : std::optional<Record>(*found);
}

void DiscoveryCache::store(const QString &id, const Record &record)
{
    records_.insert(id, record);
    changed_ = true;
}

void DiscoveryCache::retain(const QSet<QString> &ids)
{
    for (auto it = records_.begin(); it != records_.end();) {
        if (ids.contains(it.key())) {
            ++it;
        } else {
            it = records_.erase(it);
            changed_ = true;
        }
    }
}
