#include "ui/PanelStyle.h"

#include <QApplication>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QSvgRenderer>

namespace PanelStyle {

QColor primary() { return QColor(255, 255, 255, 224); }
QColor secondary() { return QColor(235, 235, 245, 153); }
QColor tertiary() { return QColor(235, 235, 245, 82); }
QColor yellow() { return QColor(255, 214, 10); }

QColor white(double opacity)
{
    return withOpacity(Qt::white, opacity);
}

QColor cardColor()
{
    return QColor(34, 34, 38);
}

QColor withOpacity(QColor color, double opacity)
{
    color.setAlphaF(float(color.alphaF() * opacity));
    return color;
}

QFont font(qreal pixelSize, QFont::Weight weight)
{
    QFont f = QApplication::font();
    f.setPixelSize(qRound(pixelSize));
    f.setWeight(weight);
    return f;
}

qreal symbolSize(qreal fontSize)
{
    // The symbols sit in a square about as tall as a capital letter plus its ascent gap.
    return qRound(fontSize * 1.1);
}

void drawSymbol(QPainter &painter, const QString &name, const QRectF &rect, const QColor &color)
{
    const qreal side = qMin(rect.width(), rect.height());
    if (side <= 0)
        return;
    const qreal dpr = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const int pixels = qCeil(side * dpr);
    // Tinted renderings are cached per name, size and colour.
    static QHash<QString, QPixmap> cache;
    const QString key = QStringLiteral("%1/%2/%3").arg(name).arg(pixels).arg(color.rgba(), 0, 16);
    QPixmap pixmap = cache.value(key);
    if (pixmap.isNull()) {
        QSvgRenderer renderer(QStringLiteral(":/symbols/%1.svg").arg(name));
        QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter p(&image);
            p.setRenderHint(QPainter::Antialiasing);
            renderer.render(&p, QRectF(0, 0, pixels, pixels));
            if (name != QLatin1String("app.dashed")) {
                p.setCompositionMode(QPainter::CompositionMode_SourceIn);
                p.fillRect(image.rect(), color);
            }
        }
        pixmap = QPixmap::fromImage(image);
        pixmap.setDevicePixelRatio(dpr);
        cache.insert(key, pixmap);
    }
    const QRectF target(rect.center().x() - side / 2, rect.center().y() - side / 2, side, side);
    painter.drawPixmap(target, pixmap, QRectF(pixmap.rect()));
}

void fillRounded(QPainter &painter, const QRectF &rect, qreal radius, const QColor &fill)
{
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    painter.fillPath(path, fill);
}

void strokeRoundedInside(QPainter &painter, const QRectF &rect, qreal radius, qreal width, const QColor &color)
{
    const qreal half = width / 2;
    QPainterPath path;
    path.addRoundedRect(rect.adjusted(half, half, -half, -half), radius - half, radius - half);
    painter.save();
    painter.setPen(QPen(color, width));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.restore();
}

} // namespace PanelStyle
