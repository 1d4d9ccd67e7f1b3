#include "keys/ui/KeyCapView.h"

#include "keys/KeyLabels.h"
#include "ui/PanelStyle.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

namespace {

QFont capFont() { return PanelStyle::font(12, QFont::Medium); }
QFont thenFont() { return PanelStyle::font(10); }
QFont mouseFont() { return PanelStyle::font(11, QFont::Medium); }

QString thenText()
{
    return QCoreApplication::translate("KeyCapView", "then");
}

// A mouse action's readable name, whatever style the label came in.
QString mouseText(const QString &label)
{
    return KeyLabels::word(KeyLabels::mouseAction(label).value_or(label));
}

qreal mouseItemWidth(const QString &label)
{
    return KeyCapView::mouseWidth + KeyCapView::mouseGap
        + qCeil(QFontMetricsF(mouseFont()).horizontalAdvance(mouseText(label)));
}

// A small mouse seen from above, its buttons split by a line; the left button filled for clicks,
// the right one for right-clicks, the wheel for the middle button and scrolling.
void drawMouse(QPainter &painter, const QRectF &rect, const QString &label, const QColor &color)
{
    // The stored label says which button, whatever the language of the word shown.
    const QString action = KeyLabels::mouseAction(label).value_or(label.toLower());
    const QRectF body(rect.left(), rect.center().y() - 6.5, KeyCapView::mouseWidth, 13);
    painter.save();
    painter.setPen(QPen(color, 1.2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(body.adjusted(0.6, 0.6, -0.6, -0.6), 4, 4);
    const qreal split = body.top() + 5;
    painter.drawLine(QPointF(body.left() + 0.6, split), QPointF(body.right() - 0.6, split));
    painter.drawLine(QPointF(body.center().x(), body.top() + 0.6), QPointF(body.center().x(), split));
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    if (action.contains(QLatin1String("right")))
        painter.drawRect(QRectF(body.center().x(), body.top() + 1.5, body.width() / 2 - 1.5, split - body.top() - 1.5));
    else if (action.contains(QLatin1String("middle")) || action.contains(QLatin1String("scroll"))
             || action.contains(QLatin1String("wheel")))
        painter.drawRoundedRect(QRectF(body.center().x() - 1, body.top() + 1.5, 2, 3.5), 1, 1);
    else
        painter.drawRect(QRectF(body.left() + 1.5, body.top() + 1.5, body.width() / 2 - 1.5, split - body.top() - 1.5));
    painter.restore();
}

} // namespace

bool KeyCapView::isWideLabel(const QString &label)
{
    return !KeyNotation::isSingleCharacter(label);
}

qreal KeyCapView::capWidth(const QString &label)
{
    const qreal text = QFontMetricsF(capFont()).horizontalAdvance(label);
    return qMax<qreal>(capMinSide, qCeil(text)) + (isWideLabel(label) ? 2 * widePadding : 0);
}

QList<KeyCapView::Item> KeyCapView::fullLayout() const
{
    QList<Item> items;
    const qreal thenWidth = qCeil(QFontMetricsF(thenFont()).horizontalAdvance(thenText()));
    const qreal thenHeight = qCeil(QFontMetricsF(thenFont()).height());
    qreal x = 0;
    bool firstChild = true;
    auto advance = [&](qreal spacing) {
        if (!firstChild)
            x += spacing;
        firstChild = false;
    };
    for (qsizetype g = 0; g < groups_.size(); ++g) {
        if (g > 0) {
            advance(groupSpacing);
            items.append({QRectF(x, (capMinSide - thenHeight) / 2, thenWidth, thenHeight), thenText(), Item::Then});
            x += thenWidth;
        }
        // An empty chord still takes its place in the row, with no width.
        advance(groupSpacing);
        bool firstCap = true;
        for (const QString &label : groups_[g]) {
            if (!firstCap)
                x += capSpacing;
            firstCap = false;
            if (KeyLabels::isMouseAction(label)) {
                const qreal width = mouseItemWidth(label);
                items.append({QRectF(x, 0, width, capMinSide), mouseText(label), Item::Mouse});
                x += width;
                continue;
            }
            const qreal width = capWidth(label);
            items.append({QRectF(x, 0, width, capMinSide), label, Item::Cap});
            x += width;
        }
    }
    return items;
}

QList<KeyCapView::Item> KeyCapView::layout() const
{
    QList<Item> items = fullLayout();
    if (items.isEmpty() || items.last().rect.right() <= maxWidth_)
        return items;
    // Keep what fits with the ellipsis cap after it; a "then" never ends the row.
    const qreal ellipsisWidth = capWidth(ellipsis());
    while (!items.isEmpty()
           && (items.last().rect.right() + capSpacing + ellipsisWidth > maxWidth_ || items.last().isThen()))
        items.removeLast();
    const qreal x = items.isEmpty() ? 0 : items.last().rect.right() + capSpacing;
    items.append({QRectF(x, 0, ellipsisWidth, capMinSide), ellipsis(), Item::Ellipsis});
    return items;
}

bool KeyCapView::isTruncated() const
{
    const QList<Item> items = layout();
    return !items.isEmpty() && items.last().kind == Item::Ellipsis;
}

QSizeF KeyCapView::size() const
{
    qreal width = 0;
    for (const Item &item : layout())
        width = qMax(width, item.rect.right());
    return groups_.isEmpty() ? QSizeF(0, 0) : QSizeF(width, capMinSide);
}

QColor KeyCapView::labelColor() const
{
    return dimmed_ && !onHighlight_ ? PanelStyle::secondary() : PanelStyle::primary();
}

QColor KeyCapView::thenColor() const
{
    return onHighlight_ ? PanelStyle::primary() : PanelStyle::tertiary();
}

void KeyCapView::paint(QPainter &painter, const QPointF &topLeft) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor text = labelColor();
    for (const Item &item : layout()) {
        const QRectF rect = item.rect.translated(topLeft);
        switch (item.kind) {
        case Item::Then:
            painter.setFont(thenFont());
            painter.setPen(thenColor());
            painter.drawText(rect, Qt::AlignCenter, item.text);
            break;
        case Item::Mouse:
            drawMouse(painter, rect, item.text, text);
            painter.setFont(mouseFont());
            painter.setPen(text);
            painter.drawText(rect.adjusted(mouseWidth + mouseGap, 0, 0, 0), Qt::AlignAbsolute | Qt::AlignLeft | Qt::AlignVCenter,
                             item.text);
            break;
        case Item::Cap:
        case Item::Ellipsis:
            PanelStyle::fillRounded(painter, rect, radius, PanelStyle::keyCapFill(dimmed_));
            PanelStyle::strokeRoundedInside(painter, rect, radius, 1, PanelStyle::keyCapBorder(dimmed_));
            painter.setFont(capFont());
            painter.setPen(text);
            painter.drawText(rect, Qt::AlignCenter, item.text);
            break;
        }
    }
    painter.restore();
}
