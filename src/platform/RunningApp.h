#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// A running application as the desktop reports it.
struct RunningApp {
    // The desktop-file id (without ".desktop"), else the window class; absent when unknown.
    std::optional<QString> bundleIdentifier;
    QString localizedName;
    // An icon theme name or an absolute image path; empty when the application has none.
    QString iconName;
    // The window's own icons when iconName is empty (X11's _NET_WM_ICON): for each size its width,
    // its height and then its pixels, as 32-bit ARGB values in the machine's byte order.
    QByteArray windowIcon;
    // The process of the window on this machine; 0 when unknown.
    qint64 pid = 0;
    // The desktop itself is in front: no window is active, or the desktop's own window is.
    bool isDesktop = false;

    static RunningApp desktop()
    {
        RunningApp app;
        app.isDesktop = true;
        return app;
    }

    friend bool operator==(const RunningApp &a, const RunningApp &b)
    {
        return a.bundleIdentifier == b.bundleIdentifier && a.localizedName == b.localizedName
            && a.iconName == b.iconName && a.pid == b.pid && a.windowIcon == b.windowIcon
            && a.isDesktop == b.isDesktop;
    }
};
