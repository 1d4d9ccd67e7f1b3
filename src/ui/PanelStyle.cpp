#include "ui/PanelStyle.h"

#include <QApplication>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QSvgRenderer>

#include <cmath>

namespace PanelStyle {

QColor primary() { return QColor(255, 255, 255, 224); }
QColor secondary() { return QColor(235, 235, 245, 153); }
QColor tertiary() { return QColor(235, 235, 245, 140); }
QColor yellow() { return QColor(255, 214, 10); }

QColor white(double opacity)
{
    return withOpacity(Qt::white, opacity);
}

QColor cardShade() { return QColor(0, 0, 0, 89); }
QColor cardFill(bool blurredBehind)
{
    // Unblurred, whatever lies behind must not be readable through the card: black text on white
    // shows through by less than 2 of 255 levels.
    return QColor(30, 30, 34, blurredBehind ? 235 : 252);
}

QColor cardColor()
{
    return QColor(34, 34, 38);
}

QColor headerFill() { return QColor(44, 44, 48, 246); }
QColor dividerColor() { return white(0.1); }
QColor hoverFill() { return white(0.06); }
QColor selectionFill(const QColor &accent) { return withOpacity(accent, 0.3); }
QColor selectionOutline(const QColor &accent) { return accent; }
QColor keyCapFill(bool dimmed) { return white(dimmed ? 0.05 : 0.1); }
QColor keyCapBorder(bool dimmed) { return white(dimmed ? 0.06 : 0.12); }
QColor hintCapFill() { return white(0.08); }
QColor chipFill() { return white(0.08); }
QColor badgeFill(const QColor &accent) { return withOpacity(accent, 0.18); }

QColor badgeText(const QColor &accent)
{
    // 40 % of the way to white: blue, purple, pink and red read too dark on the header otherwise.
    const auto lighter = [](int channel) { return channel + qRound((255 - channel) * 0.4); };
    return QColor(lighter(accent.red()), lighter(accent.green()), lighter(accent.blue()));
}

QColor starColor(bool dimmed) { return withOpacity(yellow(), dimmed ? 0.5 : 0.9); }
QColor scrollHandle() { return white(0.4); }
QColor searchSelection(const QColor &accent) { return withOpacity(accent, 0.45); }
QColor toolTipFill() { return QColor(44, 44, 48); }
QColor toolTipText() { return QColor(255, 255, 255, 230); }
QColor toolTipBorder() { return QColor(255, 255, 255, 40); }

QColor over(const QColor &top, const QColor &bottom)
{
    const double a = top.alphaF();
    const auto mix = [a](int t, int b) { return qRound(t * a + b * (1 - a)); };
    return QColor(mix(top.red(), bottom.red()), mix(top.green(), bottom.green()), mix(top.blue(), bottom.blue()));
}

double contrastRatio(const QColor &a, const QColor &b)
{
    const auto luminance = [](const QColor &c) {
        const auto linear = [](int channel) {
            const double v = channel / 255.0;
            return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.red()) + 0.7152 * linear(c.green()) + 0.0722 * linear(c.blue());
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

QString toolTipStyleSheet()
{
    return QStringLiteral("QToolTip { background: %1; color: %2; border: 1px solid %3; border-radius: 6px; padding: 4px 6px; }")
        .arg(cssColor(toolTipFill()), cssColor(toolTipText()), cssColor(toolTipBorder()));
}

QString cssColor(const QColor &color)
{
    return QStringLiteral("rgba(%1, %2, %3, %4)").arg(color.red()).arg(color.green()).arg(color.blue()).arg(color.alpha());
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

QRectF mirrored(const QRectF &rect, const QRectF &within)
{
    if (rect.isNull())
        return rect;
    return QRectF(within.left() + within.right() - rect.right(), rect.top(), rect.width(), rect.height());
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
