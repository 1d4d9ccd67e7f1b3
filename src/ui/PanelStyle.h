#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QString>

class QPainter;
class QRectF;

// The panel's fixed dark look: label colours, fonts by pixel size, and our symbol drawings.
namespace PanelStyle {

// Hierarchical label colours on the dark card. Each reads at 4.5:1 or more on every surface of
// the card, also where a compositor lets a white window shine through it.
QColor primary();
QColor secondary();
QColor tertiary();
QColor yellow();
QColor white(double opacity);
QColor withOpacity(QColor color, double opacity);

// The card: black under a dark fill, both a little translucent.
QColor cardShade();
// The card's fill: translucent where the compositor blurs what lies behind the panel, nearly opaque
// elsewhere.
QColor cardFill(bool blurredBehind = false);
// The card's colour made opaque: for what must hide what scrolls under it.
QColor cardColor();
// A section header's own material, over the card or the opaque band of a pinned header.
QColor headerFill();
QColor dividerColor();
QColor hoverFill();
// The selected row: the accent, faint inside and solid along the edge, so that the row stands out
// from the card (3:1) while its text stays readable on the fill.
QColor selectionFill(const QColor &accent);
QColor selectionOutline(const QColor &accent);
QColor keyCapFill(bool dimmed);
QColor keyCapBorder(bool dimmed);
// The small caps of the footer's hints and the active application's chip.
QColor hintCapFill();
QColor chipFill();
// The "ACTIVE" badge: a lighter tint of the accent on a faint accent capsule.
QColor badgeFill(const QColor &accent);
QColor badgeText(const QColor &accent);
QColor starColor(bool dimmed);
QColor scrollHandle();
// Selected text in the search field.
QColor searchSelection(const QColor &accent);
QColor toolTipFill();
QColor toolTipText();
QColor toolTipBorder();
// `top` painted over an opaque `bottom`, and the contrast ratio of two opaque colours (1 to 21,
// as the accessibility guidelines measure it).
QColor over(const QColor &top, const QColor &bottom);
double contrastRatio(const QColor &a, const QColor &b);

// The rule that draws a widget's tooltips in the panel's look.
QString toolTipStyleSheet();
// A colour as a style sheet writes it: rgba(r, g, b, a).
QString cssColor(const QColor &color);

// The UI font at a pixel size and weight.
QFont font(qreal pixelSize, QFont::Weight weight = QFont::Normal);

// Draws one of our symbol drawings ("magnifyingglass", "star.fill", "chevron.right",
// "chevron.down", "app.dashed", "command") tinted with `color`, centred in `rect`, at the painter's
// device pixel ratio so it stays crisp at 2x.
void drawSymbol(QPainter &painter, const QString &name, const QRectF &rect, const QColor &color);
// `rect` reflected within `within` from left to right: where a right-to-left layout puts it.
QRectF mirrored(const QRectF &rect, const QRectF &within);
// The size a symbol takes for a font size (the drawings are square).
qreal symbolSize(qreal fontSize);

// A rounded rectangle path with the given radius.
void fillRounded(QPainter &painter, const QRectF &rect, qreal radius, const QColor &fill);
// The outline drawn inside the rectangle's edge.
void strokeRoundedInside(QPainter &painter, const QRectF &rect, qreal radius, qreal width, const QColor &color);

} // namespace PanelStyle
