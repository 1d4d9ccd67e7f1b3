#pragma once

#include <QPalette>
#include <iterator>

// A dark scheme as a desktop's colour settings hand it to Qt (qt6ct's "darker"), one colour per
// palette role in the roles' order.
inline QPalette darkPalette()
{
    QPalette p;
    const char *const colors[] = {"#ffffff", "#424245", "#979797", "#5e5c5b", "#302f2e", "#4a4947", "#ffffff",
                                  "#ffffff", "#ffffff", "#3d3d3d", "#222020", "#e7e4e0", "#12608a", "#f9f9f9",
                                  "#0986d3", "#a70b06", "#5c5b5a", "#ffffff", "#3f3f36", "#ffffff", "#80ffffff"};
    for (int role = 0; role < int(std::size(colors)); ++role)
        p.setColor(QPalette::ColorRole(role), QColor(colors[role]));
    return p;
}
