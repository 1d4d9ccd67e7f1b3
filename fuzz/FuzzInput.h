#pragma once

// What the fuzz targets share: the input as Qt bytes, and a scratch file for the readers that take
// a path.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <unistd.h>

namespace FuzzInput {

inline QByteArray bytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

// The input written to a file of this process's own (named `name`); its path.
inline QString asFile(const uint8_t *data, size_t size, const char *name)
{
    static const QString folder = [] {
        const QString path = QDir::tempPath() + QStringLiteral("/corvane-fuzz-%1").arg(::getpid());
        QDir().mkpath(path);
        return path;
    }();
    const QString path = folder + QLatin1Char('/') + QLatin1String(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    return path;
}

} // namespace FuzzInput
