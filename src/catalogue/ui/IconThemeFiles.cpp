#include "catalogue/ui/IconThemeFiles.h"

#include "services/BoundedFileReader.h"

#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QStandardPaths>

#include <climits>

namespace {

// An index.theme is a few kilobytes; the largest in common themes is under 100 KiB.
constexpr qint64 maxIndexSize = 1 << 20;
constexpr int maxInherited = 16;
const char *const suffixes[] = {".png", ".svg", ".xpm"};

// The groups of an index.theme: group name -> key -> value.
QHash<QString, QHash<QString, QString>> groups(const QByteArray &text)
{
    QHash<QString, QHash<QString, QString>> result;
    QHash<QString, QString> *current = nullptr;
    for (const QByteArray &rawLine : text.split('\n')) {
        const QByteArray line = rawLine.trimmed();
        if (line.startsWith('[') && line.endsWith(']')) {
            current = &result[QString::fromUtf8(line.mid(1, line.size() - 2))];
        } else if (current && !line.startsWith('#')) {
            const qsizetype equals = line.indexOf('=');
            if (equals > 0)
                current->insert(QString::fromUtf8(line.left(equals).trimmed()), QString::fromUtf8(line.mid(equals + 1).trimmed()));
        }
    }
    return result;
}

int number(const QHash<QString, QString> &group, const QString &key, int fallback)
{
    bool ok = false;
    const int value = group.value(key).toInt(&ok);
    return ok ? value : fallback;
}

} // namespace

IconThemeFiles::IconThemeFiles(QStringList searchPaths, QString theme, QStringList pixmapDirs)
    : searchPaths_(std::move(searchPaths)), theme_(std::move(theme)), pixmapDirs_(std::move(pixmapDirs))
{
}

IconThemeFiles IconThemeFiles::fromQt()
{
    QStringList pixmaps;
    for (const QString &data : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        pixmaps.append(QDir(data).filePath(QStringLiteral("pixmaps")));
    QStringList paths = QIcon::themeSearchPaths();
    paths.removeAll(QStringLiteral(":/icons"));  // the resource themes hold none of the applications'
    return IconThemeFiles(paths, QIcon::themeName(), pixmaps);
}

const IconThemeFiles::Theme &IconThemeFiles::theme(const QString &name)
{
    if (auto found = themes_.constFind(name); found != themes_.constEnd())
        return *found;
    Theme theme;
    // The first index.theme found describes the theme; its folders are looked for in every path.
    for (const QString &base : searchPaths_) {
        const auto index = BoundedFileReader::read(QDir(base).filePath(name + QStringLiteral("/index.theme")), maxIndexSize);
        if (index.outcome != BoundedFileReader::Outcome::Read)
            continue;
        const auto parsed = groups(index.bytes);
        const QHash<QString, QString> head = parsed.value(QStringLiteral("Icon Theme"));
        theme.inherits = head.value(QStringLiteral("Inherits")).split(QLatin1Char(','), Qt::SkipEmptyParts);
        for (const QString &path : head.value(QStringLiteral("Directories")).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            const QHash<QString, QString> group = parsed.value(path.trimmed());
            Directory dir;
            dir.path = path.trimmed();
            dir.size = number(group, QStringLiteral("Size"), 0);
            if (dir.path.isEmpty() || dir.size <= 0)
                continue;
            const QString type = group.value(QStringLiteral("Type"), QStringLiteral("Threshold"));
            const int threshold = number(group, QStringLiteral("Threshold"), 2);
            if (type == QLatin1String("Fixed")) {
                dir.minSize = dir.maxSize = dir.size;
            } else if (type == QLatin1String("Scalable")) {
                dir.minSize = number(group, QStringLiteral("MinSize"), dir.size);
                dir.maxSize = number(group, QStringLiteral("MaxSize"), dir.size);
            } else {
                dir.minSize = dir.size - threshold;
                dir.maxSize = dir.size + threshold;
            }
            theme.directories.append(dir);
        }
        break;
    }
    return *themes_.insert(name, theme);
}

QStringList IconThemeFiles::chain()
{
    QStringList order;
    QStringList queue{theme_};
    while (!queue.isEmpty() && order.size() < maxInherited) {
        const QString next = queue.takeFirst().trimmed();
        if (next.isEmpty() || order.contains(next) || next == QLatin1String("hicolor"))
            continue;
        order.append(next);
        queue.append(theme(next).inherits);
    }
    order.append(QStringLiteral("hicolor"));
    return order;
}

QString IconThemeFiles::find(const QString &name, int size)
{
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.startsWith(QLatin1Char('.')))
        return {};
    for (const QString &themeName : chain()) {
        QString best;
        int bestDistance = INT_MAX;
        for (const Directory &dir : theme(themeName).directories) {
            const int distance = size < dir.minSize ? dir.minSize - size : size > dir.maxSize ? size - dir.maxSize : 0;
            if (distance >= bestDistance)
                continue;
            for (const QString &base : searchPaths_) {
                const QString folder = QDir(base).filePath(themeName + QLatin1Char('/') + dir.path + QLatin1Char('/'));
                for (const char *suffix : suffixes) {
                    const QString path = folder + name + QLatin1String(suffix);
                    if (QFileInfo::exists(path)) {
                        best = path;
                        bestDistance = distance;
                        break;
                    }
                }
                if (bestDistance == distance)
                    break;
            }
        }
        if (!best.isEmpty())
            return best;
    }
    for (const QString &dir : pixmapDirs_) {
        for (const char *suffix : suffixes) {
            const QString path = QDir(dir).filePath(name + QLatin1String(suffix));
            if (QFileInfo::exists(path))
                return path;
        }
    }
    return {};
}
