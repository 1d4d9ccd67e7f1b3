#include "settings/ui/ToggleSwitch.h"

#include "ui/PanelStyle.h"

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
    // Off: a grey the white knob stands out from (3:1) that still stands out from the window.
    QColor off = palette().color(QPalette::WindowText);
    off.setAlphaF(0.43f);
    const QColor fill = isChecked() ? on : off;
    // On the settings' groups (the base colour). A highlight that melts into it (some dark schemes)
    // gets an edge.
    const QColor behind = palette().color(QPalette::Base);
    QColor outline = palette().color(QPalette::WindowText);
    outline.setAlphaF(0.6f);
    const bool needsOutline = PanelStyle::contrastRatio(PanelStyle::over(fill, behind), behind) < 3;
    painter.setPen(needsOutline ? QPen(outline, 1) : QPen(Qt::NoPen));
    painter.setBrush(fill);
    painter.drawRoundedRect(track, track.height() / 2, track.height() / 2);
    painter.setPen(Qt::NoPen);
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
