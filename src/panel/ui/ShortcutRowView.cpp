#include "panel/ui/ShortcutRowView.h"

#include "catalogue/ui/AppIconView.h"
#include "keys/ui/KeyCapView.h"
#include "ui/PanelStyle.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

namespace {
QFont titleFont() { return PanelStyle::font(13); }
QFont commentFont() { return PanelStyle::font(11); }
constexpr qreal starFontSize = 9;
} // namespace

ShortcutRowView::Layout ShortcutRowView::layout(const QRectF &rect) const
{
    Layout l;
    const QRectF content = rect.adjusted(horizontalPadding, verticalPadding, -horizontalPadding, -verticalPadding);
    const qreal midY = content.center().y();
    qreal left = content.left();
    if (showRowIcon) {
        l.icon = QRectF(left, midY - iconSize / 2, iconSize, iconSize);
        left += iconSize + spacing;
    }

    // Right to left: keys (or comment), star.
    qreal right = content.right();
    bool trailing = false;
    if (!entry.keyGroups().isEmpty()) {
        const QSizeF size = keyCaps(rect.width()).size();
        l.keys = QRectF(right - size.width(), midY - size.height() / 2, size.width(), size.height());
        trailing = true;
    } else if (const std::optional<QString> comment = entry.comment(); comment && !comment->isEmpty()) {
        // A long comment takes at most a little under half the row.
        const QFontMetricsF metrics(commentFont());
        const qreal width = qMin<qreal>(qCeil(metrics.horizontalAdvance(*comment)), content.width() * 0.45);
        l.keys = QRectF(right - width, midY - metrics.height() / 2, width, metrics.height());
        trailing = true;
    }
    if (trailing)
        right = l.keys.left() - spacing;
    if (entry.isCustomised()) {
        l.mark = QRectF(right - markSize, midY - markSize / 2, markSize, markSize);
        right = l.mark.left() - spacing;
        trailing = true;
    }
    if (isFavorite) {
        const qreal side = PanelStyle::symbolSize(starFontSize);
        l.star = QRectF(right - side, midY - side / 2, side, side);
        right = l.star.left() - spacing;
        trailing = true;
    }
    // The spacer between the title and what follows keeps at least its minimum length.
    const qreal titleRight = trailing ? right - minimumSpacer - spacing : content.right();
    const qreal titleHeight = QFontMetricsF(titleFont()).height();
    l.title = QRectF(left, midY - titleHeight / 2, qMax<qreal>(0, titleRight - left), titleHeight);
    if (rightToLeft) {
        for (QRectF *part : {&l.icon, &l.title, &l.star, &l.mark, &l.keys})
            *part = PanelStyle::mirrored(*part, rect);
    }
    return l;
}

KeyCapView ShortcutRowView::keyCaps(qreal rowWidth) const
{
    const qreal content = rowWidth - 2 * horizontalPadding;
    KeyCapView caps(KeyLabels::groups(entry.keyGroups(), labelStyle), drawsDimmed(), qMax<qreal>(0, content * maxKeysShare));
    caps.setOnHighlight(selected);
    return caps;
}

QString ShortcutRowView::keysText() const
{
    return KeyLabels::sequenceText(entry.keyGroups(), labelStyle);
}

QColor ShortcutRowView::background() const
{
    if (selected)
        return PanelStyle::selectionFill(accent);
    if (hovering)
        return PanelStyle::hoverFill();
    return Qt::transparent;
}

QColor ShortcutRowView::titleColor() const
{
    return drawsDimmed() ? PanelStyle::secondary() : PanelStyle::primary();
}

QColor ShortcutRowView::commentColor() const
{
    return selected ? PanelStyle::primary() : PanelStyle::tertiary();
}

QColor ShortcutRowView::starColor() const
{
    return PanelStyle::starColor(drawsDimmed());
}

QList<QPair<qsizetype, qsizetype>> ShortcutRowView::emphasised(const QString &title, const QStringList &words)
{
    QList<QPair<qsizetype, qsizetype>> found;
    for (const QString &word : words) {
        if (word.isEmpty())
            continue;
        for (qsizetype at = title.indexOf(word, 0, Qt::CaseInsensitive); at >= 0;
             at = title.indexOf(word, at + word.size(), Qt::CaseInsensitive))
            found.append({at, word.size()});
    }
    std::sort(found.begin(), found.end());
    QList<QPair<qsizetype, qsizetype>> merged;
    for (const auto &run : found) {
        if (!merged.isEmpty() && run.first <= merged.last().first + merged.last().second) {
            const qsizetype end = qMax(merged.last().first + merged.last().second, run.first + run.second);
            merged.last().second = end - merged.last().first;
        } else {
            merged.append(run);
        }
    }
    return merged;
}

QString ShortcutRowView::toolTip() const
{
    QString tip = QCoreApplication::translate("ShortcutRowView", "Click to favorite \u2022 %1").arg(entry.appName());
    if (const Customisation *custom = entry.customisation()) {
        tip += QLatin1Char('\n') + QCoreApplication::translate("ShortcutRowView", "Customised in %1").arg(custom->origin);
        if (custom->catalogueKey)
            tip += QLatin1Char('\n') + QCoreApplication::translate("ShortcutRowView", "Default: %1").arg(*custom->catalogueKey);
    }
    return tip;
}

void ShortcutRowView::paint(QPainter &painter, const QRectF &rect, IconLoader &icons) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor fill = background();
    if (fill.alpha() > 0)
        PanelStyle::fillRounded(painter, rect, radius, fill);
    if (selected)
        PanelStyle::strokeRoundedInside(painter, rect, radius, 1, PanelStyle::selectionOutline(accent));

    const Layout l = layout(rect);
    if (showRowIcon)
        AppIconView{entry.bundleId(), entry.iconFile(), iconSize, drawsDimmed(), std::nullopt, entry.appName(), entry.appSlug()}
            .paint(painter, l.icon, icons);

    painter.setFont(titleFont());
    painter.setPen(titleColor());
    const QString title = QFontMetricsF(titleFont()).elidedText(entry.title(), Qt::ElideRight, l.title.width());
    // Absolute: the layout above has placed everything already, whatever direction the painter has.
    const Qt::Alignment leading = Qt::AlignAbsolute | (rightToLeft ? Qt::AlignRight : Qt::AlignLeft);
    // Bold stretches are laid one after another from the left: not for a title written right to left.
    const auto runs = title.isRightToLeft() ? QList<QPair<qsizetype, qsizetype>>() : emphasised(title, emphasis);
    if (runs.isEmpty()) {
        painter.drawText(l.title, leading | Qt::AlignVCenter | Qt::TextSingleLine, title);
    } else {
        // Plain and bold stretches one after another, cut at the title's width.
        QFont bold = titleFont();
        bold.setWeight(QFont::Bold);
        qreal x = l.title.left();
        if (rightToLeft)
            x = qMax(l.title.left(), l.title.right() - QFontMetricsF(titleFont()).horizontalAdvance(title));
        qsizetype at = 0;
        auto draw = [&](qsizetype from, qsizetype length, bool strong) {
            if (length <= 0 || x >= l.title.right())
                return;
            const QString part = title.mid(from, length);
            const QFont &font = strong ? bold : titleFont();
            painter.setFont(font);
            const qreal width = QFontMetricsF(font).horizontalAdvance(part);
            painter.drawText(QRectF(x, l.title.top(), qMin(width + 1, l.title.right() - x), l.title.height()),
                             Qt::AlignAbsolute | Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, part);
            x += width;
        };
        for (const auto &[start, length] : runs) {
            draw(at, start - at, false);
            draw(start, length, true);
            at = start + length;
        }
        draw(at, title.size() - at, false);
    }

    if (!l.mark.isEmpty()) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(PanelStyle::withOpacity(accent.isValid() ? accent : PanelStyle::yellow(), dimmed ? 0.6 : 1.0));
        painter.drawEllipse(l.mark);
    }

    if (isFavorite)
        PanelStyle::drawSymbol(painter, QStringLiteral("star.fill"), l.star, starColor());

    if (!entry.keyGroups().isEmpty()) {
        keyCaps(rect.width()).paint(painter, l.keys.topLeft());
    } else if (!l.keys.isEmpty()) {
        painter.setFont(commentFont());
        painter.setPen(commentColor());
        const QString comment = QFontMetricsF(commentFont()).elidedText(*entry.comment(), Qt::ElideRight, l.keys.width());
        painter.drawText(l.keys, Qt::AlignAbsolute | (rightToLeft ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter
                                     | Qt::TextSingleLine,
                         comment);
    }
    painter.restore();
}
