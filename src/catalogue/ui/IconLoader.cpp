#include "catalogue/ui/IconLoader.h"

#include "platform/ResourcePaths.h"
#include "platform/Workspace.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QPixmap>

#include <memory>

namespace {
std::unique_ptr<IconLoader> &sharedLoader()
{
    static std::unique_ptr<IconLoader> loader;
    return loader;
}
} // namespace

IconLoader &IconLoader::shared()
{
    auto &loader = sharedLoader();
    if (!loader)
        loader = std::make_unique<IconLoader>(nullptr, std::nullopt, true);
    return *loader;
}

void IconLoader::createShared(Workspace *workspace)
{
    sharedLoader() = std::make_unique<IconLoader>(workspace, std::nullopt, true);
}

IconLoader::IconLoader(Workspace *workspace, std::optional<QString> folder, bool lookUpIconsDir)
    : workspace_(workspace)
{
    if (folder || !lookUpIconsDir)
        iconsDir_ = folder;
}

std::optional<QString> IconLoader::resolvedIconsDir()
{
    if (!iconsDir_)
        iconsDir_ = ResourcePaths::folder(QStringLiteral("Icons"));
    return *iconsDir_;
}

QIcon IconLoader::placeholder()
{
    static const QIcon icon(QStringLiteral(":/symbols/app.dashed.svg"));
    return icon;
}

QIcon IconLoader::iconNamed(const QString &nameOrPath)
{
    return QFileInfo(nameOrPath).isAbsolute() ? QIcon(nameOrPath) : QIcon::fromTheme(nameOrPath);
}

std::optional<QIcon> IconLoader::resourceImage(const std::optional<QString> &iconFile)
{
    if (!iconFile)
        return std::nullopt;
    const std::optional<QString> folder = resolvedIconsDir();
    if (!folder)
        return std::nullopt;
    if (auto cached = cache_.constFind(*iconFile); cached != cache_.constEnd())
        return *cached;
    ++fileLoads_;
    // The name is one path component inside the folder.
    const QString path = QDir(*folder).filePath(*iconFile);
    if (iconFile->isEmpty() || iconFile->contains(QLatin1Char('/')) || !QFileInfo(path).isFile())
        return std::nullopt;
    QPixmap pixmap;
    if (!pixmap.load(path))
        return std::nullopt;
    QIcon icon(pixmap);
    if (path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive))
        icon = QIcon(path);  // scales without blurring
    cache_.insert(*iconFile, icon);
    return icon;
}

QIcon IconLoader::appIcon(const std::optional<QString> &bundleId, const std::optional<QString> &iconFile)
{
    if (bundleId && workspace_) {
        if (const auto installed = workspace_->installedIcon(*bundleId)) {
            const QIcon icon = iconNamed(*installed);
            if (!icon.isNull())
                return icon;
        }
    }
    if (auto image = resourceImage(iconFile))
        return *image;
    const QIcon fallback = placeholder();
    return fallback.isNull() ? QIcon() : fallback;
}
