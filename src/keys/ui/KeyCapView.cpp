#include "keys/ui/KeyCapView.h"

#include "ui/PanelStyle.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPainter>

namespace {

QFont capFont() { return PanelStyle::font(12, QFont::Medium); }
QFont thenFont() { return PanelStyle::font(10); }

QString thenText()
{
    return QCoreApplication::translate("KeyCapView", "then");
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

QList<KeyCapView::Item> KeyCapView::layout() const
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
            items.append({QRectF(x, (capMinSide - thenHeight) / 2, thenWidth, thenHeight), thenText(), true});
            x += thenWidth;
        }
        // An empty chord still takes its place in the row, with no width.
        advance(groupSpacing);
        bool firstCap = true;
        for (const QString &label : groups_[g]) {
            if (!firstCap)
                x += capSpacing;
            firstCap = false;
            const qreal width = capWidth(label);
            items.append({QRectF(x, 0, width, capMinSide), label, false});
            x += width;
        }
    }
    return items;
}

QSizeF KeyCapView::size() const
{
    qreal width = 0;
    for (const Item &item : layout())
        width = qMax(width, item.rect.right());
    return groups_.isEmpty() ? QSizeF(0, 0) : QSizeF(width, capMinSide);
}

void KeyCapView::paint(QPainter &painter, const QPointF &topLeft) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    for (const Item &item : layout()) {
        const QRectF rect = item.rect.translated(topLeft);
        if (item.isThen) {
            painter.setFont(thenFont());
            painter.setPen(PanelStyle::tertiary());
            painter.drawText(rect, Qt::AlignCenter, item.text);
            continue;
        }
        PanelStyle::fillRounded(painter, rect, radius, PanelStyle::white(dimmed_ ? 0.05 : 0.1));
        PanelStyle::strokeRoundedInside(painter, rect, radius, 1, PanelStyle::white(dimmed_ ? 0.06 : 0.12));
        painter.setFont(capFont());
        painter.setPen(dimmed_ ? PanelStyle::secondary() : PanelStyle::primary());
        painter.drawText(rect, Qt::AlignCenter, item.text);
    }
    painter.restore();
}
