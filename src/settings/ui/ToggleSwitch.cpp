#include "settings/ui/ToggleSwitch.h"

#include <QPainter>

ToggleSwitch::ToggleSwitch(QWidget *parent) : QAbstractButton(parent)
{
    setCheckable(true);
    setFixedSize(sizeHint());
    setCursor(Qt::PointingHandCursor);
}

void ToggleSwitch::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF track(1, 1, width() - 2, height() - 2);
    const QColor on = palette().color(QPalette::Highlight);
    QColor off = palette().color(QPalette::WindowText);
    off.setAlphaF(0.25f);
    painter.setPen(Qt::NoPen);
    painter.setBrush(isChecked() ? on : off);
    painter.drawRoundedRect(track, track.height() / 2, track.height() / 2);
    const qreal knob = track.height() - 4;
    const qreal x = isChecked() ? track.right() - 2 - knob : track.left() + 2;
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRectF(x, track.top() + 2, knob, knob));
    if (hasFocus()) {
        // Solid and two pixels wide, in a colour that differs from the track's own.
        QColor ring = isChecked() ? palette().color(QPalette::WindowText) : on;
        ring.setAlphaF(0.85f);
        painter.setPen(QPen(ring, 2));
        painter.setBrush(Qt::NoBrush);
        const QRectF edge = QRectF(rect()).adjusted(1, 1, -1, -1);
        painter.drawRoundedRect(edge, edge.height() / 2.0, edge.height() / 2.0);
    }
}
