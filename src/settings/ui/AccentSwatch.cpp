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
    if (selected_) {
        // The ring hugs the swatch: drawn on the inside edge of a frame two points larger.
        painter.setPen(QPen(palette().color(QPalette::WindowText), ring));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(QRectF(ring / 2.0, ring / 2.0, width() - ring, height() - ring));
    }
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        painter.drawEllipse(QRectF(0.5, 0.5, width() - 1, height() - 1));
    }
}
