#include "catalogue/bindings/BindingFile.h"

#include <QFile>
#include <QFileInfo>

std::optional<QByteArray> BindingFile::read(const QString &path, bool *missing)
{
    const QFileInfo info(path);
    if (missing)
        *missing = !info.exists();
    if (!info.isFile() || info.size() > maxSize)
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // Read at most one byte past the limit, in case the file grew since the size was taken.
    QByteArray bytes = file.read(maxSize + 1);
    if (bytes.size() > maxSize || file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}
