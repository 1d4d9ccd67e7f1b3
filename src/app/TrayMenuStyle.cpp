#include "app/TrayMenuStyle.h"

#include <QPainter>
#include <QPainterPath>
#include <QStyleOption>

TrayMenuStyle::TrayMenuStyle() : QProxyStyle(nullptr) {}

void TrayMenuStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                                  const QWidget *widget) const
{
    if (element != PE_IndicatorCheckBox && element != PE_IndicatorMenuCheckMark) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    // The item's own text colour: the highlighted one while the pointer is on it.
    const bool highlighted = option->state & State_Selected;
    const bool enabled = option->state & State_Enabled;
    const QPalette::ColorGroup group = enabled ? QPalette::Active : QPalette::Disabled;
    const QColor ink = option->palette.color(group, highlighted ? QPalette::HighlightedText : QPalette::Text);
    const qreal side = qMin(option->rect.width(), option->rect.height()) - 2;
    if (side <= 2)
        return;
    const QRectF box(option->rect.center().x() - side / 2.0 + 0.5, option->rect.center().y() - side / 2.0 + 0.5,
                     side - 1, side - 1);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    // A thin box and a bold tick, both in the text's own colour.
    painter->setPen(QPen(ink, qMax<qreal>(1, side / 12)));
    painter->setBrush(Qt::NoBrush);
    painter->drawRoundedRect(box, side / 6, side / 6);
    if (option->state & State_On) {
        QPainterPath tick;
        tick.moveTo(box.left() + box.width() * 0.22, box.top() + box.height() * 0.52);
        tick.lineTo(box.left() + box.width() * 0.42, box.top() + box.height() * 0.72);
        tick.lineTo(box.left() + box.width() * 0.78, box.top() + box.height() * 0.28);
        painter->setPen(QPen(ink, qMax<qreal>(2, side / 6), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter->drawPath(tick);
    }
    painter->restore();
}
