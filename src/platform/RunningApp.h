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
    qint64 pid = 0;

    friend bool operator==(const RunningApp &a, const RunningApp &b)
    {
        return a.bundleIdentifier == b.bundleIdentifier && a.localizedName == b.localizedName
            && a.iconName == b.iconName && a.pid == b.pid && a.windowIcon == b.windowIcon;
    }
};
