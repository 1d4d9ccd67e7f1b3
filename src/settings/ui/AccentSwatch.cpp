#include "settings/ui/AccentSwatch.h"

#include <QAccessible>
#include <QPainter>

AccentSwatch::AccentSwatch(const QString &name, QColor color, QWidget *parent)
    : QAbstractButton(parent), accentName_(name), color_(color)
{
    setFixedSize(sizeHint());
    setCursor(Qt::PointingHandCursor);
    QString label = name;
    if (!label.isEmpty())
        label[0] = label[0].toUpper();
    setToolTip(label);
    setAccessibleName(label);
}

void AccentSwatch::setSelected(bool value)
{
    if (selected_ == value)
        return;
    selected_ = value;
    update();
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

void AccentSwatch::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color_);
    painter.drawEllipse(QRectF(ring, ring, diameter, diameter));
    painter.setBrush(Qt::NoBrush);
    if (hasFocus()) {
        // A solid ring in the highlight colour, with the selection (if any) just inside it.
        painter.setPen(QPen(palette().color(QPalette::Highlight), ring));
        painter.drawEllipse(QRectF(ring / 2.0, ring / 2.0, width() - ring, height() - ring));
        if (selected_) {
            painter.setPen(QPen(palette().color(QPalette::Base), 1.5));
            painter.drawEllipse(QRectF(ring + 0.75, ring + 0.75, diameter - 1.5, diameter - 1.5));
        }
    } else if (selected_) {
        // The ring hugs the swatch: drawn on the inside edge of a frame two points larger.
        painter.setPen(QPen(palette().color(QPalette::WindowText), ring));
        painter.drawEllipse(QRectF(ring / 2.0, ring / 2.0, width() - ring, height() - ring));
    }
}
