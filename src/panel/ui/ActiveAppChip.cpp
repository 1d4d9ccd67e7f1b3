#include "panel/ui/ActiveAppChip.h"

#include "catalogue/ui/AppIconView.h"
#include "catalogue/ui/IconLoader.h"
#include "ui/PanelStyle.h"

#include <QFontMetricsF>
#include <QPainter>

namespace {
QFont nameFont() { return PanelStyle::font(12, QFont::Medium); }
constexpr qreal maxNameWidth = 200;
} // namespace

ActiveAppChip::ActiveAppChip(IconLoader &icons, QWidget *parent) : QWidget(parent), icons_(icons)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(&icons, &IconLoader::iconsArrived, this, qOverload<>(&QWidget::update));
    hide();
}

void ActiveAppChip::setApp(const QString &name, const std::optional<QString> &id, const std::optional<QString> &file,
                           const std::optional<RunningApp> &running)
{
    appName_ = name;
    bundleId_ = id;
    iconFile_ = file;
    running_ = running;
    setVisible(!name.isEmpty());
    updateGeometry();
    update();
}

QSize ActiveAppChip::sizeHint() const
{
    const QFontMetricsF metrics(nameFont());
    const qreal text = qMin<qreal>(maxNameWidth, qCeil(metrics.horizontalAdvance(appName_)));
    const qreal contentHeight = qMax<qreal>(iconSize, qCeil(metrics.height()));
    return QSize(qCeil(paddingX + iconSize + spacing + text + paddingX), qCeil(contentHeight + 2 * paddingY));
}

void ActiveAppChip::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF bounds(rect());
    PanelStyle::fillRounded(painter, bounds, bounds.height() / 2, PanelStyle::chipFill());
    const QRectF iconRect(paddingX, (bounds.height() - iconSize) / 2, iconSize, iconSize);
    AppIconView{bundleId_, iconFile_, iconSize, false, runningAppIcon(running_, icons_), appName_, appName_.toLower()}.paint(painter, iconRect, icons_);
    const QRectF textRect(iconRect.right() + spacing, 0, bounds.width() - iconRect.right() - spacing - paddingX,
                          bounds.height());
    painter.setFont(nameFont());
    painter.setPen(PanelStyle::secondary());
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter,
                     QFontMetricsF(nameFont()).elidedText(appName_, Qt::ElideRight, textRect.width()));
}
