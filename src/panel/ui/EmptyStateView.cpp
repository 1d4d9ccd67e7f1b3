#include "panel/ui/EmptyStateView.h"

#include "ui/PanelStyle.h"

#include <QFontMetricsF>
#include <QPainter>

EmptyStateView::EmptyStateView(QWidget *parent) : QWidget(parent) {}

void EmptyStateView::setSearching(bool value)
{
    searching_ = value;
    update();
}

QString EmptyStateView::text() const
{
    return searching_ ? tr("No matching shortcuts") : tr("No shortcuts available");
}

void EmptyStateView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal iconSide = PanelStyle::symbolSize(28);
    const QFont font = PanelStyle::font(15);
    const qreal textHeight = QFontMetricsF(font).height();
    const qreal spacing = 10;
    const qreal top = (height() - iconSide - spacing - textHeight) / 2;
    PanelStyle::drawSymbol(painter, QStringLiteral("magnifyingglass"),
                           QRectF((width() - iconSide) / 2, top, iconSide, iconSide), PanelStyle::tertiary());
    painter.setFont(font);
    painter.setPen(PanelStyle::secondary());
    painter.drawText(QRectF(0, top + iconSide + spacing, width(), textHeight), Qt::AlignCenter, text());
}
