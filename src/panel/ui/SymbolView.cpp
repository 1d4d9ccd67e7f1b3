#include "panel/ui/SymbolView.h"

#include "ui/PanelStyle.h"

#include <QPainter>

SymbolView::SymbolView(const QString &name, qreal fontSize, const QColor &color, QWidget *parent)
    : QWidget(parent), name_(name), side_(PanelStyle::symbolSize(fontSize)), color_(color)
{
    setFixedSize(sizeHint());
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

QSize SymbolView::sizeHint() const
{
    return QSize(qCeil(side_), qCeil(side_));
}

void SymbolView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    PanelStyle::drawSymbol(painter, name_, QRectF(rect()), color_);
}
