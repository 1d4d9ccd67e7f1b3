#include "services/ResourcePaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace ResourcePaths {

std::optional<QString> folder(const QString &name)
{
    if (!QCoreApplication::instance())
        return std::nullopt;
    const QString path = QDir::cleanPath(QCoreApplication::applicationDirPath()
                                         + QStringLiteral("/../share/corvane/") + name);
    if (!QFileInfo(path).isDir())
        return std::nullopt;
    return path;
}

} // namespace ResourcePaths
