#pragma once

#include <QProxyStyle>

// The tray menu's style: the application's own, except for the Launch at Login check box, which is
// drawn in the menu's text colour (a firm box, a bold tick) so that it reads in light and dark
// menus alike. Some styles draw it in a faint outline that vanishes on a dark menu.
class TrayMenuStyle : public QProxyStyle {
    Q_OBJECT
public:
    TrayMenuStyle();

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
};
