#include "catalogue/ui/IconLoader.h"

#include "catalogue/ShortcutStore.h"
#include "catalogue/ui/IconThemeFiles.h"
#include "services/BoundedFileReader.h"
#include "services/ResourcePaths.h"
#include "services/SystemLog.h"
#include "platform/Workspace.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QPixmap>

namespace {

// Icons are drawn at up to 22 points; decoded at this many pixels they stay sharp at three times that.
constexpr int decodedPixels = 64;
// An icon file larger than this is not an icon; an image wider or taller than this is not decoded.
constexpr qint64 maxIconFileSize = 8 << 20;
constexpr int maxImageSide = 4096;

std::unique_ptr<IconLoader> &sharedLoader()
{
    static std::unique_ptr<IconLoader> loader;
    return loader;
}

void logSkipped(const QString &path, const QString &reason)
{
    SystemLog::shared().write(QStringLiteral("Corvane: skipped the icon file %1: %2")
                                  .arg(SystemLog::escaped(path), reason));
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

void IconLoader::destroyShared()
{
    sharedLoader().reset();
}

IconLoader::IconLoader(Workspace *workspace, std::optional<QString> folder, bool lookUpIconsDir)
    : workspace_(workspace), themeFiles_(std::make_shared<IconThemeFiles>(IconThemeFiles::fromQt()))
{
    if (folder || !lookUpIconsDir)
        iconsDir_ = folder;
    // One thread reads every icon, one after another; it ends when idle.
    worker_.setMaxThreadCount(1);
    worker_.setExpiryTimeout(5000);
}

IconLoader::~IconLoader()
{
    // Reads of regular, bounded files only: the wait is short. Answers not yet delivered are dropped
    // with this object.
    worker_.clear();
    worker_.waitForDone();
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

QImage IconLoader::decode(const QString &path, int pixels)
{
    const BoundedFileReader::Result file = BoundedFileReader::read(path, maxIconFileSize);
    if (file.outcome != BoundedFileReader::Outcome::Read) {
        if (file.outcome != BoundedFileReader::Outcome::Absent)
            logSkipped(path, file.reason);
        return {};
    }
    QBuffer buffer;
    buffer.setData(file.bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, QFileInfo(path).suffix().toLower().toLatin1());
    const bool vector = reader.format().startsWith("svg");
    const QSize size = reader.size();
    if (!size.isValid() || (!vector && (size.width() > maxImageSide || size.height() > maxImageSide))) {
        logSkipped(path, size.isValid() ? QStringLiteral("an image of %1 by %2 pixels").arg(size.width()).arg(size.height())
                                        : QStringLiteral("not an image"));
        return {};
    }
    if (vector || size.width() > pixels || size.height() > pixels)
        reader.setScaledSize(size.scaled(pixels, pixels, Qt::KeepAspectRatio));
    QImage image = reader.read();
    if (image.isNull())
        logSkipped(path, reader.errorString());
    return image;
}

void IconLoader::setCatalogue(const ShortcutStore *store)
{
    catalogue_ = store;
}

IconLoader::Answer IconLoader::answer(const QString &key, const Request &request)
{
    if (request.names.isEmpty() && !request.resourcePath)
        return {};
    if (auto known = answers_.constFind(key); known != answers_.constEnd())
        return {*known, false};
    if (pending_.contains(key))
        return {std::nullopt, true};
    pending_.insert(key);
    ++fileLoads_;
    worker_.start([this, key, request, themes = themeFiles_] {
        QImage image;
        for (const QString &name : request.names) {
            const QString path = QFileInfo(name).isAbsolute() ? name : themes->find(name, decodedPixels);
            if (!path.isEmpty())
                image = decode(path, decodedPixels);
            if (!image.isNull())
                break;
        }
        if (image.isNull() && request.resourcePath)
            image = decode(*request.resourcePath, decodedPixels);
        QMetaObject::invokeMethod(this, [this, key, image] { deliver(key, image); }, Qt::QueuedConnection);
    });
    return {std::nullopt, true};
}

void IconLoader::deliver(const QString &key, const QImage &image)
{
    pending_.remove(key);
    answers_.insert(key, image.isNull() ? std::nullopt : std::optional<QIcon>(QIcon(QPixmap::fromImage(image))));
    Q_EMIT iconsArrived();
}

IconLoader::Answer IconLoader::lookUp(const std::optional<QString> &bundleId, const std::optional<QString> &iconFile)
{
    Request request;
    if (bundleId && workspace_) {
        // What the desktop entries name: held in memory, read again off this thread when they change.
        QStringList ids{*bundleId};
        if (catalogue_) {
            if (const auto app = catalogue_->appForBundleId(*bundleId)) {
                for (const QString &id : ShortcutStore::identifiers(*app)) {
                    if (!ids.contains(id, Qt::CaseInsensitive))
                        ids.append(id);
                }
            }
        }
        for (const QString &id : ids) {
            if (const auto installed = workspace_->installedIcon(id); installed && !request.names.contains(*installed))
                request.names.append(*installed);
        }
    }
    // The icon file is one path component inside the folder.
    if (iconFile && !iconFile->isEmpty() && !iconFile->contains(QLatin1Char('/'))) {
        if (const std::optional<QString> folder = resolvedIconsDir())
            request.resourcePath = QDir(*folder).filePath(*iconFile);
    }
    QString key = request.names.join(QLatin1Char('\n'));
    if (request.resourcePath)
        key += QLatin1Char('\0') + *request.resourcePath;
    return answer(key, request);
}

IconLoader::Answer IconLoader::named(const QString &nameOrPath)
{
    if (nameOrPath.isEmpty())
        return {};
    return answer(nameOrPath, Request{{nameOrPath}, std::nullopt});
}

std::optional<QIcon> IconLoader::findIcon(const std::optional<QString> &bundleId, const std::optional<QString> &iconFile)
{
    return lookUp(bundleId, iconFile).icon;
}

QIcon IconLoader::appIcon(const std::optional<QString> &bundleId, const std::optional<QString> &iconFile)
{
    if (auto icon = findIcon(bundleId, iconFile))
        return *icon;
    return placeholder();
}
