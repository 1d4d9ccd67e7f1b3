#pragma once

#include "catalogue/ShortcutEntry.h"

#include <QList>

#include <iterator>

// The rows of one section: a list of entries, or some of them picked by position. A search that
// matches most of an application's entries then costs a number per row instead of a copy of each
// entry (whose copies share a record and count references to it). Copies share both lists.
class EntryList {
public:
    EntryList() = default;
    // All of `entries`, in their order.
    explicit EntryList(QList<ShortcutEntry> entries) : entries_(std::move(entries)) {}
    // The entries of `entries` at `positions` (ascending, each within the list).
    EntryList(QList<ShortcutEntry> entries, QList<quint32> positions)
        : entries_(std::move(entries)), positions_(std::move(positions)), picked_(true)
    {
    }

    qsizetype size() const { return picked_ ? positions_.size() : entries_.size(); }
    bool isEmpty() const { return size() == 0; }
    const ShortcutEntry &at(qsizetype i) const { return entries_.at(sourceIndex(i)); }
    const ShortcutEntry &operator[](qsizetype i) const { return at(i); }
    // Where row i is in the list the rows are picked from.
    qsizetype sourceIndex(qsizetype i) const { return picked_ ? qsizetype(positions_.at(i)) : i; }
    // The list the rows are picked from.
    const QList<ShortcutEntry> &source() const { return entries_; }
    QList<ShortcutEntry> toList() const;

    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = ShortcutEntry;
        using difference_type = qsizetype;
        using pointer = const ShortcutEntry *;
        using reference = const ShortcutEntry &;

        const_iterator(const EntryList *list, qsizetype i) : list_(list), i_(i) {}
        reference operator*() const { return list_->at(i_); }
        pointer operator->() const { return &list_->at(i_); }
        const_iterator &operator++()
        {
            ++i_;
            return *this;
        }
        const_iterator operator++(int)
        {
            const_iterator before = *this;
            ++i_;
            return before;
        }
        friend bool operator==(const const_iterator &a, const const_iterator &b) { return a.i_ == b.i_; }
        friend bool operator!=(const const_iterator &a, const const_iterator &b) { return a.i_ != b.i_; }

    private:
        const EntryList *list_;
        qsizetype i_;
    };
    const_iterator begin() const { return const_iterator(this, 0); }
    const_iterator end() const { return const_iterator(this, size()); }

private:
    QList<ShortcutEntry> entries_;
    QList<quint32> positions_;
    bool picked_ = false;
};
