#include "panel/ui/SectionListView.h"

#include "catalogue/ui/AppIconView.h"
#include "catalogue/ui/IconLoader.h"
#include "panel/FavoritesStore.h"
#include "panel/PanelViewModel.h"
#include "panel/ui/SectionHeaderView.h"
#include "keys/ui/KeyCapView.h"
#include "panel/ui/ShortcutRowView.h"
#include "settings/Preferences.h"
#include "ui/PanelStyle.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>

#include <algorithm>

namespace {
constexpr qreal headerHeight = SectionHeaderView::height;
constexpr qreal rowHeight = ShortcutRowView::height;
constexpr qreal rowStep = rowHeight + SectionListView::spacing;
} // namespace

qreal SectionListView::SectionBox::bottom() const
{
    return rows > 0 ? rowsTop + rows * rowStep - spacing : top + headerHeight;
}

SectionListView::SectionListView(PanelViewModel &vm, Preferences &preferences, IconLoader &icons, QWidget *parent)
    : QAbstractScrollArea(parent), vm_(vm), preferences_(preferences), icons_(icons)
{
    setFrameShape(QFrame::NoFrame);
    // Clicks must not take the keyboard from the search field: typing always searches.
    setFocusPolicy(Qt::NoFocus);
    viewport()->setFocusPolicy(Qt::NoFocus);
    verticalScrollBar()->setFocusPolicy(Qt::NoFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setMouseTracking(true);
    viewport()->setAutoFillBackground(false);
    setAutoFillBackground(false);
    verticalScrollBar()->setSingleStep(int(rowStep));
    setStyleSheet(QStringLiteral(
        "QAbstractScrollArea { background: transparent; }"
        "QScrollBar:vertical { background: transparent; width: 10px; margin: 4px 2px 4px 0; }"
        "QScrollBar::handle:vertical { background: %1; border-radius: 4px; min-height: 24px; }"
        "QScrollBar::add-line, QScrollBar::sub-line { height: 0; }"
        "QScrollBar::add-page, QScrollBar::sub-page { background: transparent; }")
                      .arg(PanelStyle::cssColor(PanelStyle::scrollHandle()))
                  + PanelStyle::toolTipStyleSheet());

    scrollAnimation_.setDuration(scrollDurationMs);
    scrollAnimation_.setEasingCurve(QEasingCurve::OutQuad);
    connect(&scrollAnimation_, &QVariantAnimation::valueChanged, this,
            [this](const QVariant &value) { verticalScrollBar()->setValue(value.toInt()); });

    connect(&vm, &PanelViewModel::searchTextChanged, this, [this] { searchChanged_ = true; });
    connect(&vm, &PanelViewModel::sectionsChanged, this, &SectionListView::relayout);
    connect(&vm, &PanelViewModel::collapsedChanged, this, &SectionListView::relayout);
    connect(&vm, &PanelViewModel::selectionIndexChanged, this, &SectionListView::selectionIndexChanged);
    connect(&preferences, &Preferences::accentNameChanged, viewport(), qOverload<>(&QWidget::update));
    connect(&preferences, &Preferences::keyLabelStyleChanged, viewport(), qOverload<>(&QWidget::update));
    // Icons read on the loader's worker replace their placeholders.
    connect(&icons, &IconLoader::iconsArrived, viewport(), qOverload<>(&QWidget::update));
    lastSelectionIndex_ = vm.selectionIndex();
    relayout();
}

int SectionListView::scrollOffset() const
{
    return verticalScrollBar()->value();
}

int SectionListView::pageRows() const
{
    return qMax(1, int(viewport()->height() / rowStep) - 1);
}

qreal SectionListView::rowWidth() const
{
    return viewport()->width() - 2 * paddingX;
}

QString SectionListView::notice() const
{
    return notice_;
}

void SectionListView::relayout()
{
    const auto &sections = vm_.sections();
    boxes_.resize(sections.size());
    // An application in front that the catalogue does not know: say so rather than let the list
    // start with another application as if it were that one's.
    const auto &running = vm_.activeRunningApp();
    notice_ = !vm_.activeApp() && running && !running->localizedName.isEmpty() && vm_.searchText().isEmpty()
        ? tr("No shortcuts for %1 yet").arg(running->localizedName)
        : QString();
    qreal y = paddingY + (notice_.isEmpty() ? 0 : noticeHeight);
    for (qsizetype i = 0; i < sections.size(); ++i) {
        SectionBox &box = boxes_[i];
        box.top = y;
        y += headerHeight + spacing;
        box.rowsTop = y;
        box.rows = vm_.collapsed().contains(sections[i].id) ? 0 : int(sections[i].entries.size());
        y += box.rows * rowStep;
    }
    height_ = sections.isEmpty() ? 0 : y - spacing + paddingY;
    if (QToolTip::isVisible())
        QToolTip::hideText();  // it named a row that may have moved
    verticalScrollBar()->setPageStep(viewport()->height());
    verticalScrollBar()->setRange(0, qMax(0, qCeil(height_) - viewport()->height()));
    // A new search starts at the top of its results.
    if (searchChanged_) {
        searchChanged_ = false;
        scrollAnimation_.stop();
        verticalScrollBar()->setValue(0);
    }
    // The hover follows the pointer, not the row it was on: whatever is under it now.
    const Hit hover = viewport()->underMouse() ? hitAt(viewport()->mapFromGlobal(QCursor::pos())) : Hit();
    hover_ = hover.kind == Hit::Row ? hover : Hit();
    viewport()->update();
}

void SectionListView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    verticalScrollBar()->setPageStep(viewport()->height());
    verticalScrollBar()->setRange(0, qMax(0, qCeil(height_) - viewport()->height()));
}

QRectF SectionListView::headerRect(int section) const
{
    return QRectF(paddingX, boxes_[section].top, rowWidth(), headerHeight);
}

QRectF SectionListView::rowRect(int section, int row) const
{
    return QRectF(paddingX, boxes_[section].rowsTop + row * rowStep, rowWidth(), rowHeight);
}

int SectionListView::sectionAt(qreal contentY) const
{
    // The last section that starts at or above the point.
    auto it = std::upper_bound(boxes_.cbegin(), boxes_.cend(), contentY,
                               [](qreal y, const SectionBox &box) { return y < box.top; });
    return int(it - boxes_.cbegin()) - 1;
}

std::optional<QPair<int, QRectF>> SectionListView::pinnedHeader() const
{
    const qreal offset = scrollOffset();
    const int section = sectionAt(offset);
    if (section < 0 || boxes_[section].top >= offset)
        return std::nullopt;  // the header is in its own place
    qreal y = 0;
    if (section + 1 < boxes_.size())
        y = qMin<qreal>(0, boxes_[section + 1].top - offset - headerHeight);
    return QPair<int, QRectF>(section, QRectF(paddingX, y, rowWidth(), headerHeight));
}

SectionListView::Hit SectionListView::hitAt(QPoint point) const
{
    Hit hit;
    auto headerHit = [&](int section, const QRectF &rect) {
        hit.section = section;
        const DisplaySection &displayed = vm_.sections()[section];
        SectionHeaderView header{displayed, vm_.collapsed().contains(displayed.id), QColor(), std::nullopt};
        header.rightToLeft = isRightToLeft();
        hit.kind = header.layout(rect).chevron.contains(point) ? Hit::Chevron : Hit::Header;
    };
    if (const auto pinned = pinnedHeader(); pinned && pinned->second.contains(point)) {
        headerHit(pinned->first, pinned->second);
        return hit;
    }
    const qreal y = point.y() + scrollOffset();
    if (point.x() < paddingX || point.x() >= paddingX + rowWidth())
        return hit;
    const int section = sectionAt(y);
    if (section < 0)
        return hit;
    const SectionBox &box = boxes_[section];
    if (y < box.top + headerHeight) {
        headerHit(section, headerRect(section).translated(0, -scrollOffset()));
        return hit;
    }
    if (box.rows == 0 || y < box.rowsTop)
        return hit;
    const int row = int((y - box.rowsTop) / rowStep);
    if (row < box.rows && y < box.rowsTop + row * rowStep + rowHeight) {
        hit.kind = Hit::Row;
        hit.section = section;
        hit.row = row;
    }
    return hit;
}

void SectionListView::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    painter.setRenderHint(QPainter::Antialiasing);
    paintedRows_ = 0;
    if (boxes_.isEmpty())
        return;
    const qreal offset = scrollOffset();
    const qreal visibleBottom = offset + viewport()->height();
    const QColor accent = QColor::fromRgb(preferences_.accentColor());
    const std::optional<QString> selectedKey = vm_.selectionKey();
    const std::optional<QIcon> activeIcon = runningAppIcon(vm_.activeRunningApp(), icons_);
    const auto &sections = vm_.sections();
    const KeyLabelStyle labelStyle = preferences_.keyLabelStyle();
    const QStringList searchWords = PanelViewModel::queryWords(vm_.searchText());

    if (!notice_.isEmpty() && offset < paddingY + noticeHeight) {
        painter.setFont(PanelStyle::font(12));
        painter.setPen(PanelStyle::tertiary());
        painter.drawText(QRectF(paddingX + ShortcutRowView::horizontalPadding, paddingY - offset,
                                rowWidth() - 2 * ShortcutRowView::horizontalPadding, noticeHeight - spacing),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, notice_);
    }

    auto header = [&](int section) {
        // The window's own icon is the terminal's, not that of a program running in it.
        const bool window = vm_.activeApp() && sections[section].appSlug == vm_.activeApp()->slug;
        SectionHeaderView view{sections[section], vm_.collapsed().contains(sections[section].id), accent,
                               window ? activeIcon : std::nullopt};
        view.rightToLeft = isRightToLeft();
        return view;
    };

    for (int s = qMax(0, sectionAt(offset)); s < boxes_.size() && boxes_[s].top < visibleBottom; ++s) {
        const SectionBox &box = boxes_[s];
        const DisplaySection &section = sections[s];
        if (box.top + headerHeight > offset)
            header(s).paint(painter, headerRect(s).translated(0, -offset), icons_);
        if (box.rows == 0)
            continue;
        const int first = qMax(0, int((offset - box.rowsTop) / rowStep));
        const int last = qMin(box.rows - 1, int((visibleBottom - box.rowsTop) / rowStep));
        for (int r = first; r <= last; ++r) {
            const ShortcutEntry &entry = section.entries[r];
            ShortcutRowView row{entry};
            row.dimmed = !section.isActive;
            row.selected = selectedKey && NavRef{section.id, entry}.hasRowKey(*selectedKey);
            row.isFavorite = vm_.favorites().contains(entry.id());
            row.showRowIcon = section.isFavorites;
            row.rightToLeft = isRightToLeft();
            row.accent = accent;
            row.hovering = hover_.kind == Hit::Row && hover_.section == s && hover_.row == r;
            row.labelStyle = labelStyle;
            row.emphasis = searchWords;
            row.paint(painter, rowRect(s, r).translated(0, -offset), icons_);
            ++paintedRows_;
        }
    }
    if (const auto pinned = pinnedHeader()) {
        // Opaque across the whole width, with a hairline under it: nothing scrolls through.
        const QRectF band(0, pinned->second.top() - paddingY, viewport()->width(), pinned->second.height() + paddingY);
        painter.fillRect(band, PanelStyle::cardColor());
        header(pinned->first).paint(painter, pinned->second, icons_);
        painter.fillRect(QRectF(0, band.bottom() - 1, viewport()->width(), 1), PanelStyle::dividerColor());
    }
}

void SectionListView::setHover(Hit hit)
{
    if (hit.kind == hover_.kind && hit.section == hover_.section && hit.row == hover_.row)
        return;
    hover_ = hit;
    viewport()->update();
}

void SectionListView::mouseMoveEvent(QMouseEvent *event)
{
    const Hit hit = hitAt(event->position().toPoint());
    setHover(hit.kind == Hit::Row ? hit : Hit());
    QAbstractScrollArea::mouseMoveEvent(event);
}

void SectionListView::leaveEvent(QEvent *event)
{
    setHover(Hit());
    QAbstractScrollArea::leaveEvent(event);
}

void SectionListView::mousePressEvent(QMouseEvent *event)
{
    pressed_ = event->button() == Qt::LeftButton ? hitAt(event->position().toPoint()) : Hit();
    event->accept();
}

void SectionListView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const Hit hit = hitAt(event->position().toPoint());
    const Hit press = pressed_;
    pressed_ = Hit();
    // A click is a press and a release on the same thing.
    if (hit.kind == Hit::Nothing || hit.section != press.section || hit.row != press.row
        || (hit.kind == Hit::Row) != (press.kind == Hit::Row))
        return;
    const QString sectionId = vm_.sections()[hit.section].id;
    if (hit.kind == Hit::Row) {
        const QString entryId = vm_.sections()[hit.section].entries[hit.row].id();
        vm_.favorites().toggle(entryId);
        vm_.refreshKeepingSelection();
    } else {
        vm_.toggleCollapsed(sectionId);
    }
}

bool SectionListView::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const Hit hit = hitAt(help->pos());
        QString text;
        if (hit.kind == Hit::Row) {
            ShortcutRowView row{vm_.sections()[hit.section].entries[hit.row]};
            row.labelStyle = preferences_.keyLabelStyle();
            text = row.toolTip();
            // Keys cut short by the row's width read in full here.
            if (!row.entry.keyGroups().isEmpty() && row.keyCaps(rowWidth()).isTruncated())
                text = row.keysText() + QLatin1Char('\n') + text;
        } else if (hit.kind == Hit::Chevron) {
            const DisplaySection &section = vm_.sections()[hit.section];
            text = SectionHeaderView{section, vm_.collapsed().contains(section.id), QColor(), std::nullopt}.chevronToolTip();
        }
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, viewport());
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

void SectionListView::selectionIndexChanged()
{
    // The highlight moves on every change, also when the list does not need to scroll.
    viewport()->update();
    const qint64 index = vm_.selectionIndex();
    if (index == lastSelectionIndex_)
        return;  // a rebuild that kept the index does not scroll
    lastSelectionIndex_ = index;
    scrollToSelection();
}

void SectionListView::scrollToSelection()
{
    if (!vm_.selectionKey())
        return;
    // The selected row is the index-th row of the expanded sections.
    qint64 remaining = vm_.selectionIndex();
    for (int s = 0; s < boxes_.size(); ++s) {
        if (remaining < boxes_[s].rows) {
            const QRectF rect = rowRect(s, int(remaining));
            const int target = qBound(0, qRound(rect.center().y() - viewport()->height() / 2.0),
                                      verticalScrollBar()->maximum());
            scrollAnimation_.stop();
            if (target == scrollOffset())
                return;
            scrollAnimation_.setStartValue(scrollOffset());
            scrollAnimation_.setEndValue(target);
            scrollAnimation_.start();
            return;
        }
        remaining -= boxes_[s].rows;
    }
}
