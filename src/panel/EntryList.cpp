#include "panel/EntryList.h"

QList<ShortcutEntry> EntryList::toList() const
{
    if (!picked_)
        return entries_;
    QList<ShortcutEntry> list;
    list.reserve(positions_.size());
    for (quint32 position : positions_)
        list.append(entries_.at(position));
    return list;
}
