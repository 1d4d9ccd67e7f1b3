#include "panel/ui/SectionHeaderView.h"

#include "catalogue/ui/AppIconView.h"
#include "ui/PanelStyle.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>

namespace {
QFont titleFont() { return PanelStyle::font(13, QFont::DemiBold); }
QFont badgeFont() { return PanelStyle::font(9, QFont::Bold); }
QFont countFont() { return PanelStyle::font(11); }
constexpr qreal starFontSize = 12;
constexpr qreal chevronFontSize = 11;
constexpr qreal badgePaddingX = 6;
constexpr qreal badgePaddingY = 2;

QString tr(const char *text)
{
    return QCoreApplication::translate("SectionHeaderView", text);
}
} // namespace

QString SectionHeaderView::chevronSymbol() const
{
    return collapsed ? QStringLiteral("chevron.right") : QStringLiteral("chevron.down");
}

QString SectionHeaderView::chevronToolTip() const
{
    return collapsed ? tr("Show shortcuts") : tr("Hide shortcuts");
}

QString SectionHeaderView::badgeText() const
{
    return tr("ACTIVE");
}

QString SectionHeaderView::originText() const
{
    return tr("from the application");
}

QString SectionHeaderView::countText() const
{
    return QLocale().toString(section.entries.size());
}

SectionHeaderView::Layout SectionHeaderView::layout(const QRectF &rect) const
{
    Layout l;
    const QRectF content = rect.adjusted(horizontalPadding, verticalPadding, -horizontalPadding, -verticalPadding);
    const qreal midY = content.center().y();
    const qreal iconSide = section.isFavorites ? PanelStyle::symbolSize(starFontSize) : appIconSize;
    l.icon = QRectF(content.left(), midY - iconSide / 2, iconSide, iconSide);

    l.chevron = QRectF(content.right() - chevronWidth, midY - chevronHeight / 2, chevronWidth, chevronHeight);
    const QFontMetricsF countMetrics(countFont());
    const qreal countWidth = qCeil(countMetrics.horizontalAdvance(countText()));
    l.count = QRectF(l.chevron.left() - spacing - countWidth, midY - countMetrics.height() / 2, countWidth,
                     countMetrics.height());

    qreal left = l.icon.right() + spacing;
    const qreal limit = l.count.left() - spacing;  // the spacer may shrink to nothing
    qreal badgeWidth = 0;
    if (showsBadge()) {
        const QFontMetricsF metrics(badgeFont());
        badgeWidth = qCeil(metrics.horizontalAdvance(badgeText())) + 2 * badgePaddingX;
    }
    const QFontMetricsF titleMetrics(titleFont());
    const qreal wanted = qCeil(titleMetrics.horizontalAdvance(section.title));
    const qreal room = limit - left - (badgeWidth > 0 ? badgeWidth + spacing : 0);
    const qreal titleWidth = qMax<qreal>(0, qMin(wanted, room));
    l.title = QRectF(left, midY - titleMetrics.height() / 2, titleWidth, titleMetrics.height());
    if (badgeWidth > 0) {
        const qreal badgeHeight = QFontMetricsF(badgeFont()).height() + 2 * badgePaddingY;
        l.badge = QRectF(l.title.right() + spacing, midY - badgeHeight / 2, badgeWidth, badgeHeight);
    }
    if (section.fromApplication) {
        // After the title (and badge), in what room is left; the title keeps its room first.
        const QFontMetricsF metrics(countFont());
        const qreal start = (badgeWidth > 0 ? l.badge.right() : l.title.right()) + spacing;
        const qreal width = qMin<qreal>(qCeil(metrics.horizontalAdvance(originText())), limit - start);
        if (width >= 24)
            l.origin = QRectF(start, midY - metrics.height() / 2, width, metrics.height());
    }
    if (rightToLeft) {
        for (QRectF *part : {&l.icon, &l.title, &l.badge, &l.origin, &l.count, &l.chevron})
            *part = PanelStyle::mirrored(*part, rect);
    }
    return l;
}

void SectionHeaderView::paint(QPainter &painter, const QRectF &rect, IconLoader &icons) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    // The header's own material, so rows scrolling under a pinned header do not show through.
    painter.fillRect(rect, PanelStyle::headerFill());

    const Layout l = layout(rect);
    if (section.isFavorites) {
        PanelStyle::drawSymbol(painter, QStringLiteral("star.fill"), l.icon, PanelStyle::yellow());
    } else {
        AppIconView icon{section.bundleId, section.iconFile, appIconSize, !section.isActive,
                         section.isActive ? activeIcon : std::nullopt, section.title, section.appSlug};
        icon.paint(painter, l.icon, icons);
    }

    painter.setFont(titleFont());
    painter.setPen(titleColor());
    const QString title = QFontMetricsF(titleFont()).elidedText(section.title, Qt::ElideRight, l.title.width());
    // Absolute: the layout has placed everything already, whatever direction the painter has.
    const Qt::Alignment leading = Qt::AlignAbsolute | (rightToLeft ? Qt::AlignRight : Qt::AlignLeft);
    const Qt::Alignment trailing = Qt::AlignAbsolute | (rightToLeft ? Qt::AlignLeft : Qt::AlignRight);
    painter.drawText(l.title, leading | Qt::AlignVCenter | Qt::TextSingleLine, title);

    if (showsBadge()) {
        PanelStyle::fillRounded(painter, l.badge, l.badge.height() / 2, PanelStyle::badgeFill(accent));
        painter.setFont(badgeFont());
        painter.setPen(PanelStyle::badgeText(accent));
        painter.drawText(l.badge, Qt::AlignCenter, badgeText());
    }

    painter.setFont(countFont());
    painter.setPen(PanelStyle::tertiary());
    if (!l.origin.isEmpty())
        painter.drawText(l.origin, leading | Qt::AlignVCenter | Qt::TextSingleLine,
                         QFontMetricsF(countFont()).elidedText(originText(), Qt::ElideRight, l.origin.width()));
    painter.drawText(l.count, trailing | Qt::AlignVCenter, countText());

    const qreal side = PanelStyle::symbolSize(chevronFontSize);
    PanelStyle::drawSymbol(painter, chevronSymbol(),
                           QRectF(l.chevron.center().x() - side / 2, l.chevron.center().y() - side / 2, side, side),
                           PanelStyle::secondary());
    painter.restore();
}

QColor SectionHeaderView::titleColor() const
{
    return section.isActive ? PanelStyle::primary() : PanelStyle::secondary();
}
