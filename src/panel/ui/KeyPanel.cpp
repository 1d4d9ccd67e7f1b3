#include "panel/ui/KeyPanel.h"

#include "panel/ui/CorvaneRootView.h"

#include <QEvent>
#include <QPainterPath>
#include <QRegion>
#include <QVBoxLayout>

KeyPanel::KeyPanel(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setFixedSize(CorvaneRootView::cardWidth, CorvaneRootView::cardHeight);
    setWindowTitle(QStringLiteral("Corvane"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

void KeyPanel::setContent(CorvaneRootView *view)
{
    root_ = view;
    layout()->addWidget(view);
}

void KeyPanel::setCompositing(bool compositing)
{
    if (compositing) {
        clearMask();
        return;
    }
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()), CorvaneRootView::cornerRadius, CorvaneRootView::cornerRadius);
    setMask(QRegion(shape.toFillPolygon().toPolygon()));
}

void KeyPanel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && isVisible())
        Q_EMIT resignedKey();
    QWidget::changeEvent(event);
}
