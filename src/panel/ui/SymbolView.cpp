#include "panel/ui/SymbolView.h"

#include "ui/PanelStyle.h"

#include <QPainter>

SymbolView::SymbolView(const QString &name, qreal fontSize, const QColor &color, QWidget *parent)
    : QWidget(parent), name(name), side(PanelStyle::symbolSize(fontSize)), color(color)
{
    setFixedSize(sizeHint());
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

QSize SymbolView::sizeHint() const
{
    return QSize(qCeil(side), qCeil(side));
}

void SymbolView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    PanelStyle::drawSymbol(painter, name, QRectF(rect()), color);
}
