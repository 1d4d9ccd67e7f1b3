#pragma once

#include <QIcon>
#include <QRectF>
#include <QString>
#include <optional>

class IconLoader;
class QPainter;

// An application's icon at a given size, in full colour or in the quiet style (grey, 55 % opacity).
// The icon is looked up each time it is drawn (in the loader's cache), unless an image was given.
struct AppIconView {
    std::optional<QString> bundleId;
    std::optional<QString> iconFile;
    qreal size = 16;
    bool dimmed = false;
    std::optional<QIcon> image;
    // For an application with no icon found: a tile with the name's first letter on a colour
    // derived from the slug. Without a name, the placeholder drawing.
    QString name = {};
    QString slug = {};

    static constexpr qreal dimmedOpacity = 0.55;

    // Draws centred in `rect`, `size` by `size`.
    void paint(QPainter &painter, const QRectF &rect, IconLoader &loader) const;
    // The pixels drawn, at a device pixel ratio: for tests and caching.
    QImage render(IconLoader &loader, qreal devicePixelRatio = 1.0) const;
    // The monogram tile's colour for a slug: the same slug, the same colour, in every run.
    static QColor monogramColor(const QString &slug);
    static QImage monogram(const QString &name, const QString &slug, int pixels);
};

struct RunningApp;
// The icon a running application reports (a theme name or a file), if it has one.
// A desktop entry's icon once `loader` has read it, else the window's own (_NET_WM_ICON).
std::optional<QIcon> runningAppIcon(const std::optional<RunningApp> &app, IconLoader &loader);
// The icons of a window's _NET_WM_ICON data, every size it holds; null when it holds none.
QIcon windowIcon(const QByteArray &data);
