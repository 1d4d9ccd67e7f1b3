#pragma once

#include <QHash>
#include <QIconEngine>
#include <QPixmap>

// The tray's keyboard glyph, drawn at the size a tray asks for when it asks: a dark glyph on a light
// halo, which reads on light and dark trays alike (an XEmbed tray shows its own background through
// the icon). A tray takes one or two sizes; drawing every size up front slowed the start.
class TrayIconEngine : public QIconEngine {
public:
    // The sizes trays commonly ask for, offered to those that pick from a list.
    static const QList<QSize> &traySizes();

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override;
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    QIconEngine *clone() const override;
    QString key() const override;

private:
    // The glyph on a square of `pixels` device pixels.
    QPixmap render(int pixels);

    QHash<int, QPixmap> rendered_;
};
