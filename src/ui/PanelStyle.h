#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QString>

class QPainter;
class QRectF;

// The panel's fixed dark look: label colours, fonts by pixel size, and our symbol drawings.
namespace PanelStyle {

// Hierarchical label colours on the dark card.
QColor primary();
QColor secondary();
QColor tertiary();
QColor yellow();
QColor white(double opacity);
QColor withOpacity(QColor color, double opacity);
// The card's colour made opaque: for what must hide what scrolls under it.
QColor cardColor();

// The UI font at a pixel size and weight.
QFont font(qreal pixelSize, QFont::Weight weight = QFont::Normal);

// Draws one of our symbol drawings ("magnifyingglass", "star.fill", "chevron.right",
// "chevron.down", "app.dashed", "command") tinted with `color`, centred in `rect`, at the painter's
// device pixel ratio so it stays crisp at 2x.
void drawSymbol(QPainter &painter, const QString &name, const QRectF &rect, const QColor &color);
// The size a symbol takes for a font size (the drawings are square).
qreal symbolSize(qreal fontSize);

// A rounded rectangle path with the given radius.
void fillRounded(QPainter &painter, const QRectF &rect, qreal radius, const QColor &fill);
// The outline drawn inside the rectangle's edge.
void strokeRoundedInside(QPainter &painter, const QRectF &rect, qreal radius, qreal width, const QColor &color);

} // namespace PanelStyle
