#include "catalogue/ui/IconLoader.h"

#include "catalogue/ShortcutStore.h"
#include "services/ResourcePaths.h"
#include "platform/Workspace.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QPixmap>
#include <QStandardPaths>

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
    if (nameOrPath.isEmpty())
        return QIcon();
    if (QFileInfo(nameOrPath).isAbsolute())
        return QIcon(nameOrPath);
    // The icon theme, which falls back to hicolor; then the old pixmaps folders (xterm's icon).
    QIcon icon = QIcon::fromTheme(nameOrPath);
    if (!icon.isNull() || nameOrPath.contains(QLatin1Char('/')))
        return icon;
    static const QStringList pixmapDirs = [] {
        QStringList dirs;
        for (const QString &data : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
            dirs.append(QDir(data).filePath(QStringLiteral("pixmaps")));
        return dirs;
    }();
    for (const QString &dir : pixmapDirs) {
        for (const char *suffix : {".svg", ".png", ".xpm"}) {
            const QString path = QDir(dir).filePath(nameOrPath + QLatin1String(suffix));
            if (QFileInfo(path).isFile())
                return QIcon(path);
        }
    }
    return icon;
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

void IconLoader::setCatalogue(const ShortcutStore *store)
{
    catalogue_ = store;
}

std::optional<QIcon> IconLoader::installedIcon(const QString &bundleId)
{
    if (!workspace_)
        return std::nullopt;
    QStringList ids{bundleId};
    if (catalogue_) {
        if (const auto app = catalogue_->appForBundleId(bundleId)) {
            for (const QString &id : ShortcutStore::identifiers(*app)) {
                if (!ids.contains(id, Qt::CaseInsensitive))
                    ids.append(id);
            }
        }
    }
    for (const QString &id : ids) {
        if (const auto installed = workspace_->installedIcon(id)) {
            const QIcon icon = iconNamed(*installed);
            if (!icon.isNull())
                return icon;
        }
    }
    return std::nullopt;
}

std::optional<QIcon> IconLoader::findIcon(const std::optional<QString> &bundleId, const std::optional<QString> &iconFile)
{
    if (bundleId) {
        if (auto installed = installedIcon(*bundleId))
            return installed;
    }
    return resourceImage(iconFile);
}

QIcon IconLoader::appIcon(const std::optional<QString> &bundleId, const std::optional<QString> &iconFile)
{
    if (auto icon = findIcon(bundleId, iconFile))
        return *icon;
    const QIcon fallback = placeholder();
    return fallback.isNull() ? QIcon() : fallback;
}
