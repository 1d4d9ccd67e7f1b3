#include "panel/PanelPlacement.h"

#include <cmath>

namespace PanelPlacement {

std::optional<qsizetype> screenUnder(const QList<Screen> &screens, QPoint mouse)
{
    for (qsizetype i = 0; i < screens.size(); ++i) {
        const QRect &g = screens[i].geometry;
        // Half-open on the far edges, so a point on the border between two screens has one owner.
        if (mouse.x() >= g.x() && mouse.x() < g.x() + g.width() && mouse.y() >= g.y() && mouse.y() < g.y() + g.height())
            return i;
    }
    return std::nullopt;
}

QPoint originInArea(QRect area)
{
    const double midX = area.x() + area.width() / 2.0;
    const double midY = area.y() + area.height() / 2.0;
    const double x = midX - panelWidth / 2.0;
    const double y = midY - panelHeight / 2.0 - 0.1 * area.height();
    return QPoint(int(std::lround(x)), int(std::lround(y)));
}

std::optional<QPoint> panelOrigin(const QList<Screen> &screens, std::optional<qsizetype> primary, QPoint mouse)
{
    std::optional<qsizetype> target = screenUnder(screens, mouse);
    if (!target && primary && *primary >= 0 && *primary < screens.size())
        target = primary;
    if (!target)
        return std::nullopt;
    return originInArea(screens[*target].availableGeometry);
}

} // namespace PanelPlacement
