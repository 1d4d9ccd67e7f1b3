#pragma once

#include "keys/KeyNotation.h"

#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>

class QPainter;

// The keys of one shortcut as rounded key caps, chord by chord, with "then" between chords.
// A value: lay it out, measure it, paint it.
class KeyCapView {
public:
    struct Item {
        QRectF rect;    // relative to the view's top-left corner
        QString text;
        bool isThen = false;
    };

    static constexpr qreal groupSpacing = 6;  // between a chord and "then"
    static constexpr qreal capSpacing = 3;    // between the caps of one chord
    static constexpr qreal capMinSide = 20;
    static constexpr qreal widePadding = 6;   // each side, for labels of more than one character
    static constexpr qreal radius = 5;

    KeyCapView(KeyGroups groups, bool dimmed) : groups_(std::move(groups)), dimmed_(dimmed) {}

    QList<Item> layout() const;
    QSizeF size() const;
    void paint(QPainter &painter, const QPointF &topLeft) const;

    static qreal capWidth(const QString &label);
    static bool isWideLabel(const QString &label);

private:
    KeyGroups groups_;
    bool dimmed_;
};
