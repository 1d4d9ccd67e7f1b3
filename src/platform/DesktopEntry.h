#pragma once

#include <QString>

// One installed application as its desktop entry describes it.
struct DesktopEntry {
    QString id;              // the desktop-file id without ".desktop", e.g. "org.gnome.TextEditor"
    QString name;            // Name, in the user's language
    QString icon;            // an icon theme name or an absolute file path; empty when none
    QString startupWmClass;  // the X11 window class its windows carry, when the entry says
    bool shown = true;       // false for NoDisplay entries (installed, but kept out of menus)
    QString gettextDomain = {};  // X-GNOME-Gettext-Domain: the program's message catalogue, when named
};
