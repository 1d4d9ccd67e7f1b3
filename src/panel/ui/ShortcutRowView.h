#pragma once

#include "catalogue/ShortcutEntry.h"
#include "keys/KeyLabels.h"

#include <QColor>
#include <QRectF>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

class IconLoader;
class KeyCapView;
class QPainter;

// One shortcut row: optional application icon, title, favourite star, and the key caps or, for a
// shortcut without keys, its comment. A value the section list lays out and paints per visible row.
struct ShortcutRowView {
    explicit ShortcutRowView(ShortcutEntry entry) : entry(std::move(entry)) {}

    ShortcutEntry entry;
    bool dimmed = false;
    bool selected = false;
    bool isFavorite = false;
    bool showRowIcon = false;
    QColor accent;
    bool hovering = false;
    KeyLabelStyle labelStyle = KeyLabels::platformDefault();
    QStringList emphasis;  // search words: drawn in bold where the title contains them
    // Laid out from the right (Arabic, Hebrew …): icon and title at the right edge, the keys at the
    // left, the key caps themselves in their own order.
    bool rightToLeft = false;

    static constexpr qreal horizontalPadding = 12;
    static constexpr qreal verticalPadding = 6;
    static constexpr qreal spacing = 10;
    static constexpr qreal minimumSpacer = 12;
    static constexpr qreal iconSize = 16;
    static constexpr qreal markSize = 6;  // a dot: the key comes from the user's configuration
    static constexpr qreal radius = 7;
    static constexpr qreal contentHeight = 20;  // the tallest child: a key cap
    static constexpr qreal height = contentHeight + 2 * verticalPadding;
    static constexpr qreal maxKeysShare = 0.6;  // of the row's content width

    struct Layout {
        QRectF icon;   // empty without the row icon
        QRectF title;
        QRectF star;   // empty when not a favourite
        QRectF mark;   // the customised mark; empty when the key is the catalogue's
        QRectF keys;   // key caps or comment; empty when neither
    };
    Layout layout(const QRectF &rect) const;
    // The key caps in the row's label style, capped to the keys' share of a row of this width.
    KeyCapView keyCaps(qreal rowWidth) const;
    // The keys as text in the row's style, for the tooltip of a row whose keys are cut short.
    QString keysText() const;

    // Selection wins over hover; clear otherwise.
    QColor background() const;
    // The selected row is drawn undimmed, its quieter texts at full strength: they must read on
    // the accent.
    bool drawsDimmed() const { return dimmed && !selected; }
    QColor titleColor() const;
    QColor commentColor() const;
    QColor starColor() const;
    QString toolTip() const;
    // The stretches of `title` that contain one of `words` (compared without case), merged and in
    // order, as (start, length).
    static QList<QPair<qsizetype, qsizetype>> emphasised(const QString &title, const QStringList &words);

    void paint(QPainter &painter, const QRectF &rect, IconLoader &icons) const;
};
