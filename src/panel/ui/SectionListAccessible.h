#pragma once

#include "panel/ui/SectionListPlace.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QObject>
#include <vector>

class SectionListView;

// What assistive technologies see of the section list: a list whose items are the section headers
// (headings that can be expanded or collapsed, named with their row count) and the rows under the
// expanded ones (named with the shortcut's title, described with its keys in words, "favourite"
// and its comment). The selected row is the list's focus while the keyboard stays in the search
// field. Items are made on demand and forgotten when the list is rebuilt, so a catalogue of any
// size costs only what a screen reader asks for.
class SectionListAccessible : public QAccessibleWidget {
public:
    explicit SectionListAccessible(SectionListView *view);
    ~SectionListAccessible() override;

    // Qt's factory hook: the interface for a SectionListView, else none.
    static QAccessibleInterface *factory(const QString &className, QObject *object);
    using Item = SectionListPlace;
    // Child index <-> item, for the sections as they are listed now.
    Item itemAt(int index) const;
    int indexOf(Item item) const;
    // The child index of the selected row; -1 without one.
    int selectedIndex() const;

    SectionListView *view() const;

    QAccessible::Role role() const override;
    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QAccessibleInterface *focusChild() const override;

private:
    void forgetItems();
    void listRebuilt();
    void selectionMoved();
    void ensureOffsets() const;

    QObject receiver_;  // the list's signals reach this interface only while it lives
    // Child index of each section's header; rebuilt lazily after every change of the list.
    mutable std::vector<int> sectionStarts_;
    mutable int count_ = 0;
    mutable bool offsetsValid_ = false;
    mutable QHash<int, QAccessible::Id> items_;
};
