#pragma once

#include "keys/KeyNotation.h"

#include <QColor>
#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <limits>

class QPainter;

// The keys of one shortcut as rounded key caps, chord by chord, with "then" between chords. A mouse
// action (click, drag, scroll …) is drawn as a small mouse with its name instead of a cap. Given a
// maximum width, the caps that do not fit give way to one ellipsis cap.
// A value: lay it out, measure it, paint it.
class KeyCapView {
public:
    struct Item {
        enum Kind { Cap, Then, Mouse, Ellipsis };
        QRectF rect;    // relative to the view's top-left corner
        QString text;
        Kind kind = Cap;
        bool isThen() const { return kind == Then; }
    };

    static constexpr qreal groupSpacing = 6;  // between a chord and "then"
    static constexpr qreal capSpacing = 3;    // between the caps of one chord
    static constexpr qreal capMinSide = 20;
    static constexpr qreal widePadding = 6;   // each side, for labels of more than one character
    static constexpr qreal radius = 5;
    static constexpr qreal mouseWidth = 9;    // the mouse drawing, before its name
    static constexpr qreal mouseGap = 4;

    KeyCapView(KeyGroups groups, bool dimmed, qreal maxWidth = std::numeric_limits<qreal>::max())
        : groups_(std::move(groups)), dimmed_(dimmed), maxWidth_(maxWidth) {}

    QList<Item> layout() const;
    QSizeF size() const;
    // True when some keys gave way to the ellipsis.
    bool isTruncated() const;
    void paint(QPainter &painter, const QPointF &topLeft) const;

    // On a selection highlight every text is drawn at full strength: the quieter tones do not
    // read on the accent.
    void setOnHighlight(bool onHighlight) { onHighlight_ = onHighlight; }
    // The colours of the labels (caps, the ellipsis cap and mice) and of "then".
    QColor labelColor() const;
    QColor thenColor() const;

    static qreal capWidth(const QString &label);
    static bool isWideLabel(const QString &label);
    static QString ellipsis() { return QStringLiteral("\u2026"); }

private:
    QList<Item> fullLayout() const;

    KeyGroups groups_;
    bool dimmed_;
    qreal maxWidth_;
    bool onHighlight_ = false;
};
