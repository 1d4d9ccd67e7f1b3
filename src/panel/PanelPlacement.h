#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <optional>

// Where the panel opens: centred on the usable area of the screen under the mouse, raised above the
// centre by a tenth of that area's height. Rectangles are in Qt's global coordinates (origin at the
// top left, y growing downward).
namespace PanelPlacement {

struct Screen {
    QRect geometry;         // the whole screen
    QRect availableGeometry; // without panels and docks
};

inline constexpr int panelWidth = 720;
inline constexpr int panelHeight = 540;

// The first screen whose geometry holds the point, or none.
std::optional<qsizetype> screenUnder(const QList<Screen> &screens, QPoint mouse);

// The panel's top-left corner on the screen under the mouse, else on the primary screen; none when
// there is no screen at all (the panel then stays where it was).
std::optional<QPoint> panelOrigin(const QList<Screen> &screens, std::optional<qsizetype> primary, QPoint mouse);

// The raise is stated for y growing upward: bottom edge at midY - 270 + 0.1 * height. Flipped into
// top-left coordinates that puts the top edge at midY - 270 - 0.1 * height.
QPoint originInArea(QRect area);

} // namespace PanelPlacement
