#include "panel/ui/PanelFooter.h"

#include "ui/PanelStyle.h"

#include <QFontMetricsF>
#include <QPainter>

namespace {
QFont capFont() { return PanelStyle::font(10, QFont::Medium); }
QFont labelFont() { return PanelStyle::font(11); }
constexpr qreal capPadding = 4;
constexpr qreal capSpacing = 3;
constexpr qreal hintSpacing = 6;
constexpr qreal capRadius = 4;
} // namespace

PanelFooter::PanelFooter(QWidget *parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setStyleSheet(PanelStyle::toolTipStyleSheet());
    setToolTip(keysText());
}

void PanelFooter::setCount(qsizetype value)
{
    count_ = value;
    update();
}

void PanelFooter::setLabelStyle(KeyLabelStyle style)
{
    labelStyle_ = style;
    setToolTip(keysText());
    update();
}

QString PanelFooter::keysText() const
{
    const auto keys = [this](std::initializer_list<const char16_t *> labels) {
        QStringList chord;
        for (const char16_t *label : labels)
            chord << QString::fromUtf16(label);
        return KeyLabels::sequenceText({chord}, labelStyle_);
    };
    const QList<QPair<QString, QString>> lines{
        {keys({u"\u2191"}) + QLatin1Char(' ') + keys({u"\u2193"}), tr("previous, next shortcut")},
        {keys({u"\u21DE"}) + QLatin1Char(' ') + keys({u"\u21DF"}), tr("a page up, down")},
        {keys({u"\u2303", u"\u2196"}) + QLatin1Char(' ') + keys({u"\u2303", u"\u2198"}), tr("first, last shortcut")},
        {keys({u"\u23CE"}), tr("mark or unmark a favorite")},
        {keys({u"\u21E5"}), tr("fold the selected shortcut's application")},
        {keys({u"\u21E7", u"\u21E5"}), tr("unfold every application")},
        {keys({u"\u238B"}), tr("close")},
    };
    QStringList text;
    for (const auto &[keys, meaning] : lines)
        text << keys + QStringLiteral("  ") + meaning;
    return text.join(QLatin1Char('\n'));
}

QString PanelFooter::countText() const
{
    return tr("%n shortcuts", nullptr, int(count_));
}

QSize PanelFooter::sizeHint() const
{
    return QSize(200, qCeil(capMinSide + 2 * paddingY));
}

QList<PanelFooter::Item> PanelFooter::layout() const
{
    // The same labels as the rows', in the same style.
    auto cap = [this](const char16_t *label) {
        return KeyLabels::chord({QString::fromUtf16(label)}, labelStyle_).constFirst();
    };
    const QList<QPair<QStringList, QString>> hints{
        {{cap(u"\u2191"), cap(u"\u2193")}, tr("navigate")},
        {{cap(u"\u21DE"), cap(u"\u21DF")}, tr("page")},
        {{cap(u"\u23CE")}, tr("favorite")},
        {{cap(u"\u21E5")}, tr("collapse")},
        {{cap(u"\u238B")}, tr("close")},
    };
    QList<Item> items;
    const QFontMetricsF capMetrics(capFont());
    const QFontMetricsF labelMetrics(labelFont());
    const qreal midY = height() / 2.0;
    qreal x = paddingX;
    for (const auto &[caps, label] : hints) {
        for (qsizetype i = 0; i < caps.size(); ++i) {
            const QString &cap = caps[i];
            const qreal width = qMax<qreal>(capMinSide, qCeil(capMetrics.horizontalAdvance(cap)))
                + (cap.size() > 1 ? 2 * capPadding : 0);
            items.append({QRectF(x, midY - capMinSide / 2, width, capMinSide), cap, true});
            x += width + (i + 1 < caps.size() ? capSpacing : hintSpacing);
        }
        const qreal width = qCeil(labelMetrics.horizontalAdvance(label));
        items.append({QRectF(x, midY - labelMetrics.height() / 2, width, labelMetrics.height()), label, false});
        x += width + spacing;
    }
    const qreal countWidth = qCeil(labelMetrics.horizontalAdvance(countText()));
    items.append({QRectF(width() - paddingX - countWidth, midY - labelMetrics.height() / 2, countWidth,
                         labelMetrics.height()),
                  countText(), false});
    // Right to left: the hints from the right edge, the count at the left; the caps of one hint
    // move together and keep their order (PgUp before PgDn).
    if (isRightToLeft()) {
        for (qsizetype i = 0; i < items.size();) {
            qsizetype end = i + 1;
            QRectF run = items[i].rect;
            while (items[i].isCap && end < items.size() && items[end].isCap)
                run |= items[end++].rect;
            const qreal shift = PanelStyle::mirrored(run, QRectF(rect())).left() - run.left();
            for (; i < end; ++i)
                items[i].rect.translate(shift, 0);
        }
    }
    return items;
}

void PanelFooter::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QList<Item> items = layout();
    for (qsizetype i = 0; i < items.size(); ++i) {
        const Item &item = items[i];
        const bool isCount = i == items.size() - 1;
        if (item.isCap) {
            PanelStyle::fillRounded(painter, item.rect, capRadius, PanelStyle::hintCapFill());
            painter.setFont(capFont());
            painter.setPen(PanelStyle::primary());
        } else {
            painter.setFont(labelFont());
            painter.setPen(isCount ? PanelStyle::tertiary() : PanelStyle::secondary());
        }
        painter.drawText(item.rect, Qt::AlignCenter, item.text);
    }
}
