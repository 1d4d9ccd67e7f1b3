#include "panel/ui/SectionListAccessible.h"

#include "panel/PanelViewModel.h"
#include "panel/ui/SectionListItemAccessible.h"
#include "panel/ui/SectionListView.h"

#include <QScrollBar>
#include <algorithm>

namespace {

std::function<QString(const ShortcutEntry &)> &keyDescriber()
{
    static std::function<QString(const ShortcutEntry &)> describer;
    return describer;
}

QString capitalised(QString token)
{
    if (!token.isEmpty())
        token[0] = token[0].toUpper();
    return token;
}

} // namespace

SectionListAccessible::SectionListAccessible(SectionListView *view) : QAccessibleWidget(view, QAccessible::List)
{
    PanelViewModel &vm = view->viewModel();
    QObject::connect(&vm, &PanelViewModel::sectionsChanged, &receiver_, [this] { listRebuilt(); });
    QObject::connect(&vm, &PanelViewModel::collapsedChanged, &receiver_, [this] { listRebuilt(); });
    QObject::connect(&vm, &PanelViewModel::selectionIndexChanged, &receiver_, [this] { selectionMoved(); });
}

SectionListAccessible::~SectionListAccessible()
{
    forgetItems();
}

QAccessibleInterface *SectionListAccessible::factory(const QString &className, QObject *object)
{
    if (className == QLatin1String("SectionListView") && object && object->isWidgetType())
        return new SectionListAccessible(static_cast<SectionListView *>(object));
    return nullptr;
}

void SectionListAccessible::setKeyDescriber(std::function<QString(const ShortcutEntry &)> describer)
{
    keyDescriber() = std::move(describer);
}

QString SectionListAccessible::describeKeys(const ShortcutEntry &entry)
{
    if (keyDescriber())
        return keyDescriber()(entry);
    if (!entry.rawKey())
        return QString();
    // "ctrl+k ctrl+s": chords at spaces, keys at '+' (a lone '+' is the plus key).
    QStringList chords;
    const QStringList groups = entry.rawKey()->split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString &group : groups) {
        QStringList keys;
        QStringList tokens;
        if (group == QLatin1String("+")) {
            tokens = QStringList{group};
        } else if (group.endsWith(QLatin1String("++"))) {
            tokens = group.chopped(2).split(QLatin1Char('+'));
            tokens.append(QStringLiteral("+"));
        } else {
            tokens = group.split(QLatin1Char('+'));
        }
        for (const QString &token : tokens)
            keys.append(token == QLatin1String("+") ? QObject::tr("Plus") : capitalised(token));
        chords.append(keys.join(QLatin1Char(' ')));
    }
    return chords.join(QObject::tr(", then "));
}

SectionListView *SectionListAccessible::view() const
{
    return static_cast<SectionListView *>(object());
}

void SectionListAccessible::ensureOffsets() const
{
    if (offsetsValid_)
        return;
    const PanelViewModel &vm = view()->viewModel();
    const auto &sections = vm.sections();
    sectionStarts_.clear();
    sectionStarts_.reserve(size_t(sections.size()));
    int index = 0;
    for (const DisplaySection &section : sections) {
        sectionStarts_.push_back(index);
        index += 1 + (vm.collapsed().contains(section.id) ? 0 : int(section.entries.size()));
    }
    count_ = index;
    offsetsValid_ = true;
}

SectionListAccessible::Item SectionListAccessible::itemAt(int index) const
{
    ensureOffsets();
    if (index < 0 || index >= count_)
        return Item();
    const auto next = std::upper_bound(sectionStarts_.cbegin(), sectionStarts_.cend(), index);
    const int section = int(next - sectionStarts_.cbegin()) - 1;
    return Item{section, index - sectionStarts_[size_t(section)] - 1};
}

int SectionListAccessible::indexOf(Item item) const
{
    ensureOffsets();
    if (item.section < 0 || size_t(item.section) >= sectionStarts_.size())
        return -1;
    const int start = sectionStarts_[size_t(item.section)];
    const int end = size_t(item.section) + 1 < sectionStarts_.size() ? sectionStarts_[size_t(item.section) + 1] : count_;
    const int index = start + 1 + item.row;
    return index < end ? index : -1;
}

int SectionListAccessible::selectedIndex() const
{
    const PanelViewModel &vm = view()->viewModel();
    if (!vm.selectionKey())
        return -1;
    // The selection counts the rows of expanded sections only.
    qint64 remaining = vm.selectionIndex();
    const auto &sections = vm.sections();
    for (int s = 0; s < sections.size(); ++s) {
        const qint64 rows = vm.collapsed().contains(sections[s].id) ? 0 : sections[s].entries.size();
        if (remaining < rows)
            return indexOf(Item{s, int(remaining)});
        remaining -= rows;
    }
    return -1;
}

QAccessible::Role SectionListAccessible::role() const
{
    return QAccessible::List;
}

QString SectionListAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name) {
        const QString name = QAccessibleWidget::text(t);
        return name.isEmpty() ? QObject::tr("Shortcuts") : name;
    }
    return QAccessibleWidget::text(t);
}

int SectionListAccessible::childCount() const
{
    ensureOffsets();
    return count_;
}

QAccessibleInterface *SectionListAccessible::child(int index) const
{
    const Item item = itemAt(index);
    if (item.section < 0)
        return nullptr;
    if (const auto known = items_.constFind(index); known != items_.cend())
        return QAccessible::accessibleInterface(*known);
    auto *made = new SectionListItemAccessible(view(), item);
    items_.insert(index, QAccessible::registerAccessibleInterface(made));
    return made;
}

int SectionListAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    const auto *item = dynamic_cast<const SectionListItemAccessible *>(child);
    return item && item->isValid() ? indexOf(item->item()) : -1;
}

QAccessibleInterface *SectionListAccessible::childAt(int x, int y) const
{
    SectionListView *list = view();
    const QPoint point = list->viewport()->mapFromGlobal(QPoint(x, y));
    const SectionListView::Hit hit = list->hitAt(point);
    if (hit.kind == SectionListView::Hit::Nothing)
        return nullptr;
    return child(indexOf(Item{hit.section, hit.kind == SectionListView::Hit::Row ? hit.row : -1}));
}

QAccessibleInterface *SectionListAccessible::focusChild() const
{
    const int index = selectedIndex();
    return index < 0 ? nullptr : child(index);
}

void SectionListAccessible::forgetItems()
{
    for (QAccessible::Id id : std::as_const(items_)) {
        if (auto *item = static_cast<SectionListItemAccessible *>(QAccessible::accessibleInterface(id)))
            item->invalidate();
        QAccessible::deleteAccessibleInterface(id);
    }
    items_.clear();
}

void SectionListAccessible::listRebuilt()
{
    forgetItems();
    offsetsValid_ = false;
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent reorder(view(), QAccessible::ObjectReorder);
    QAccessible::updateAccessibility(&reorder);
    // The selected row may now read differently (a favourite toggled) or be another row.
    selectionMoved();
}

void SectionListAccessible::selectionMoved()
{
    if (!QAccessible::isActive())
        return;  // nobody listens: make no items
    const int index = selectedIndex();
    if (index < 0)
        return;
    QAccessibleInterface *selected = child(index);
    QAccessibleEvent focus(selected, QAccessible::Focus);
    QAccessible::updateAccessibility(&focus);
    QAccessibleEvent selection(selected, QAccessible::Selection);
    QAccessible::updateAccessibility(&selection);
}
