#pragma once

#include "panel/DisplaySection.h"

#include <QColor>
#include <QIcon>
#include <QRectF>
#include <optional>

class IconLoader;
class QPainter;

// The header of one section: icon, title, "ACTIVE" badge, count and the collapse chevron.
// The whole rectangle takes clicks; the chevron has its own tooltip.
struct SectionHeaderView {
    DisplaySection section;
    bool collapsed = false;
    QColor accent;
    std::optional<QIcon> activeIcon;  // the running application's own icon, for the active section
    bool rightToLeft = false;         // laid out from the right (Arabic, Hebrew …)

    static constexpr qreal horizontalPadding = 12;
    static constexpr qreal verticalPadding = 6;
    static constexpr qreal spacing = 8;
    static constexpr qreal appIconSize = 18;
    static constexpr qreal chevronWidth = 24;
    static constexpr qreal chevronHeight = 22;
    static constexpr qreal height = chevronHeight + 2 * verticalPadding;

    struct Layout {
        QRectF icon;
        QRectF title;
        QRectF badge;  // empty without the badge
        QRectF origin;  // "from the application"; empty for a data file's section or without room
        QRectF count;
        QRectF chevron;
    };
    Layout layout(const QRectF &rect) const;

    bool showsBadge() const { return section.isActive && !section.isFavorites; }
    QString chevronSymbol() const;
    QString chevronToolTip() const;
    QString badgeText() const;
    QString originText() const;
    QString countText() const;
    QColor titleColor() const;

    void paint(QPainter &painter, const QRectF &rect, IconLoader &icons) const;
};
