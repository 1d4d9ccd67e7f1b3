#include "panel/ui/SectionListItemAccessible.h"

#include "keys/KeyLabels.h"
#include "panel/FavoritesStore.h"
#include "panel/PanelViewModel.h"
#include "panel/ui/SectionListView.h"

#include <QWidget>
#include <QWindow>

SectionListItemAccessible::SectionListItemAccessible(SectionListView *view, SectionListPlace item)
    : view_(view), item_(item)
{
}

bool SectionListItemAccessible::isValid() const
{
    if (!valid_ || !view_)
        return false;
    const auto &sections = view_->viewModel().sections();
    return item_.section >= 0 && item_.section < sections.size()
        && (item_.isHeader() || item_.row < sections[item_.section].entries.size());
}

QWindow *SectionListItemAccessible::window() const
{
    return view_ ? view_->window()->windowHandle() : nullptr;
}

QAccessibleInterface *SectionListItemAccessible::parent() const
{
    return view_ ? QAccessible::queryAccessibleInterface(view_.data()) : nullptr;
}

QString SectionListItemAccessible::text(QAccessible::Text t) const
{
    if (!isValid())
        return QString();
    const PanelViewModel &vm = view_->viewModel();
    const DisplaySection &section = vm.sections()[item_.section];
    if (item_.isHeader()) {
        if (t == QAccessible::Name)
            return section.title;
        if (t == QAccessible::Description) {
            const qsizetype count = section.entries.size();
            QStringList parts{count == 1 ? QObject::tr("1 shortcut") : QObject::tr("%n shortcuts", nullptr, int(count))};
            // The favourites section is drawn like the active one, but it is no application.
            if (section.isActive && !section.isFavorites)
                parts.append(QObject::tr("the application in front"));
            return parts.join(QStringLiteral(", "));
        }
        return QString();
    }
    const ShortcutEntry &entry = section.entries[item_.row];
    if (t == QAccessible::Name)
        return entry.title();
    if (t == QAccessible::Description) {
        QStringList parts;
        const QString keys = KeyLabels::spokenText(entry.keyGroups());
        if (!keys.isEmpty())
            parts.append(keys);
        if (vm.favorites().contains(entry.id()))
            parts.append(QObject::tr("favourite"));
        if (section.isFavorites)
            parts.append(entry.appName());
        if (const std::optional<QString> comment = entry.comment(); comment && !comment->isEmpty())
            parts.append(*comment);
        return parts.join(QStringLiteral(", "));
    }
    return QString();
}

QRect SectionListItemAccessible::rect() const
{
    if (!isValid())
        return QRect();
    QRectF content = item_.isHeader() ? view_->headerRect(item_.section) : view_->rowRect(item_.section, item_.row);
    const QRect local = content.translated(0, -view_->scrollOffset()).toAlignedRect();
    return QRect(view_->viewport()->mapToGlobal(local.topLeft()), local.size());
}

QAccessible::Role SectionListItemAccessible::role() const
{
    return item_.isHeader() ? QAccessible::Heading : QAccessible::ListItem;
}

QAccessible::State SectionListItemAccessible::state() const
{
    QAccessible::State state;
    if (!isValid()) {
        state.invalid = true;
        return state;
    }
    const PanelViewModel &vm = view_->viewModel();
    const DisplaySection &section = vm.sections()[item_.section];
    const QRect visible = view_->viewport()->rect();
    QRectF content = item_.isHeader() ? view_->headerRect(item_.section) : view_->rowRect(item_.section, item_.row);
    if (!visible.intersects(content.translated(0, -view_->scrollOffset()).toAlignedRect())) {
        state.invisible = true;
        state.offscreen = true;
    }
    if (item_.isHeader()) {
        state.expandable = true;
        const bool collapsed = vm.collapsed().contains(section.id);
        state.collapsed = collapsed;
        state.expanded = !collapsed;
        return state;
    }
    state.selectable = true;
    state.focusable = true;
    state.checkable = true;  // Return marks and unmarks a favourite
    state.checked = vm.favorites().contains(section.entries[item_.row].id());
    const std::optional<QString> key = vm.selectionKey();
    if (key && NavRef{section.id, section.entries[item_.row]}.hasRowKey(*key)) {
        state.selected = true;
        state.focused = true;
        state.active = true;
    }
    return state;
}
