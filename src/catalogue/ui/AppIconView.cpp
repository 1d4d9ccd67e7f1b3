#include "catalogue/ui/AppIconView.h"

#include "catalogue/ui/IconLoader.h"
#include "platform/RunningApp.h"


#include <QHash>
#include <QImage>
#include <QPainter>

namespace {

QImage greyed(QImage image)
{
    image = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grey = qGray(line[x]);
            line[x] = qRgba(grey, grey, grey, qAlpha(line[x]));
        }
    }
    return image;
}

} // namespace

QImage AppIconView::render(IconLoader &loader, qreal devicePixelRatio) const
{
    const QIcon icon = image ? *image : loader.appIcon(bundleId, iconFile);
    const int pixels = qMax(1, qRound(size * devicePixelRatio));
    const QPixmap pixmap = icon.pixmap(QSize(pixels, pixels));
    if (pixmap.isNull())
        return {};
    // Rendered images are cached per source pixmap, so scrolling a long list stays cheap.
    static QHash<QPair<qint64, bool>, QImage> cache;
    const QPair<qint64, bool> key(pixmap.cacheKey(), dimmed);
    if (auto found = cache.constFind(key); found != cache.constEnd())
        return *found;
    QImage result = pixmap.toImage();
    if (result.size() != QSize(pixels, pixels))
        result = result.scaled(pixels, pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (dimmed)
        result = greyed(result);
    if (cache.size() > 512)
        cache.clear();
    cache.insert(key, result);
    return result;
}

void AppIconView::paint(QPainter &painter, const QRectF &rect, IconLoader &loader) const
{
    const qreal dpr = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const QImage pixels = render(loader, dpr);
    if (pixels.isNull())
        return;
    const QRectF target(rect.center().x() - size / 2, rect.center().y() - size / 2, size, size);
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (dimmed)
        painter.setOpacity(painter.opacity() * dimmedOpacity);
    painter.drawImage(target, pixels);
    painter.restore();
}

std::optional<QIcon> runningAppIcon(const std::optional<RunningApp> &app)
{
    if (!app || app->iconName.isEmpty())
        return std::nullopt;
    const QIcon icon = IconLoader::iconNamed(app->iconName);
    if (icon.isNull())
        return std::nullopt;
    return icon;
}
