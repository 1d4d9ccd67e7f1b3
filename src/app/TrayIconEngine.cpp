#include "app/TrayIconEngine.h"

#include "ui/PanelStyle.h"

#include <QPainter>

#include <cmath>

const QList<QSize> &TrayIconEngine::traySizes()
{
    static const QList<QSize> sizes{{16, 16}, {22, 22}, {24, 24}, {32, 32}, {48, 48}, {64, 64}};
    return sizes;
}

QPixmap TrayIconEngine::render(int pixels)
{
    const auto found = rendered_.constFind(pixels);
    if (found != rendered_.constEnd())
        return *found;
    QPixmap pixmap(pixels, pixels);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal inset = pixels * 0.06;
    const QRectF glyph(inset, inset, pixels - 2 * inset, pixels - 2 * inset);
    const qreal halo = qMax<qreal>(1, pixels / 16.0);
    for (const QPointF &offset : {QPointF(-halo, 0), QPointF(halo, 0), QPointF(0, -halo), QPointF(0, halo)})
        PanelStyle::drawSymbol(painter, QStringLiteral("keyboard"), glyph.translated(offset), QColor(246, 246, 248, 230));
    PanelStyle::drawSymbol(painter, QStringLiteral("keyboard"), glyph, QColor(34, 36, 40));
    painter.end();
    rendered_.insert(pixels, pixmap);
    return pixmap;
}

void TrayIconEngine::paint(QPainter *painter, const QRect &rect, QIcon::Mode, QIcon::State)
{
    const qreal dpr = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    const int side = qMin(rect.width(), rect.height());
    if (side <= 0)
        return;
    QPixmap pixmap = render(int(std::ceil(side * dpr)));
    const QRect target(rect.x() + (rect.width() - side) / 2, rect.y() + (rect.height() - side) / 2, side, side);
    painter->drawPixmap(target, pixmap);
}

QPixmap TrayIconEngine::pixmap(const QSize &size, QIcon::Mode, QIcon::State)
{
    const int side = qMin(size.width(), size.height());
    return side > 0 ? render(side) : QPixmap();
}

QPixmap TrayIconEngine::scaledPixmap(const QSize &size, QIcon::Mode, QIcon::State, qreal scale)
{
    // Qt before 6.8 passes the size in device pixels, later versions in device-independent ones.
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
    const int pixels = qMin(size.width(), size.height());
#else
    const int pixels = int(std::ceil(qMin(size.width(), size.height()) * scale));
#endif
    if (pixels <= 0)
        return QPixmap();
    QPixmap pixmap = render(pixels);
    pixmap.setDevicePixelRatio(scale);
    return pixmap;
}

QList<QSize> TrayIconEngine::availableSizes(QIcon::Mode, QIcon::State)
{
    return traySizes();
}

QIconEngine *TrayIconEngine::clone() const
{
    return new TrayIconEngine(*this);
}

QString TrayIconEngine::key() const
{
    return QStringLiteral("corvane-tray");
}
