#include "catalogue/ui/AppIconView.h"

#include "catalogue/ui/IconLoader.h"
#include "platform/RunningApp.h"


#include <QFont>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPixmap>

#include <cstring>

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

QColor AppIconView::monogramColor(const QString &slug)
{
    // FNV-1a over the UTF-16 units: stable across runs, unlike qHash.
    quint32 hash = 2166136261u;
    for (QChar c : slug) {
        hash ^= c.unicode();
        hash *= 16777619u;
    }
    // Mid-tone colours, dark enough that the white letter reads at 4.5:1 on every hue (yellow is
    // the lightest), and they stand out on light and dark cards.
    return QColor::fromHsl(int(hash % 360), 110, 85);
}

QImage AppIconView::monogram(const QString &name, const QString &slug, int pixels)
{
    QImage tile(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    tile.fill(Qt::transparent);
    QPainter painter(&tile);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(monogramColor(slug));
    const qreal radius = pixels * 0.22;
    painter.drawRoundedRect(QRectF(0, 0, pixels, pixels), radius, radius);
    QFont font;
    font.setPixelSize(qMax(1, qRound(pixels * 0.58)));
    font.setWeight(QFont::DemiBold);
    painter.setFont(font);
    painter.setPen(Qt::white);
    const QString letter = name.trimmed().left(name.trimmed().isEmpty() ? 0 : (name.trimmed().at(0).isHighSurrogate() ? 2 : 1)).toUpper();
    painter.drawText(QRectF(0, 0, pixels, pixels), Qt::AlignCenter, letter);
    return tile;
}

QImage AppIconView::render(IconLoader &loader, qreal devicePixelRatio) const
{
    const int pixels = qMax(1, qRound(size * devicePixelRatio));
    const IconLoader::Answer found = image ? IconLoader::Answer{image, false} : loader.lookUp(bundleId, iconFile);
    // Known to have no icon: the monogram. Still being read: the placeholder, until it arrives.
    if (!found.icon && !found.pending && !name.isEmpty()) {
        QImage tile = monogram(name, slug, pixels);
        return dimmed ? greyed(tile) : tile;
    }
    const QIcon icon = found.icon ? *found.icon : IconLoader::placeholder();
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

QIcon windowIcon(const QByteArray &data)
{
    // Each size: width, height, then width × height ARGB values. A size that claims more pixels
    // than the data holds ends the list.
    QIcon icon;
    const auto *values = reinterpret_cast<const quint32 *>(data.constData());
    const qsizetype count = data.size() / 4;
    for (qsizetype at = 0; at + 2 <= count;) {
        const quint32 width = values[at], height = values[at + 1];
        if (width == 0 || height == 0 || width > 1024 || height > 1024 || qsizetype(width * height) > count - at - 2)
            break;
        QImage image(int(width), int(height), QImage::Format_ARGB32);
        for (quint32 y = 0; y < height; ++y)
            std::memcpy(image.scanLine(int(y)), values + at + 2 + y * width, width * 4);
        icon.addPixmap(QPixmap::fromImage(std::move(image)));
        at += 2 + qsizetype(width * height);
    }
    return icon;
}

std::optional<QIcon> runningAppIcon(const std::optional<RunningApp> &app, IconLoader &loader)
{
    if (!app)
        return std::nullopt;
    if (std::optional<QIcon> named = loader.named(app->iconName).icon)
        return named;
    // The window's own icons (also while the named one is read): QIcon picks the size nearest to the
    // one drawn.
    QIcon icon;
    if (!app->windowIcon.isEmpty())
        icon = windowIcon(app->windowIcon);
    if (icon.isNull())
        return std::nullopt;
    return icon;
}
