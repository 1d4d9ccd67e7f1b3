#pragma once

#include "panel/ui/SectionListPlace.h"

#include <QAccessibleInterface>
#include <QPointer>

class SectionListView;

// One item of the section list for assistive technologies: a section's header or one of its rows.
// It refers to the list as it was built when the item was made; the list forgets its items on every
// rebuild, after which an item that is still held reports itself invalid.
class SectionListItemAccessible : public QAccessibleInterface {
public:
    SectionListItemAccessible(SectionListView *view, SectionListPlace item);

    bool isValid() const override;
    QObject *object() const override { return nullptr; }
    QWindow *window() const override;
    QAccessibleInterface *parent() const override;
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *focusChild() const override { return nullptr; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;

    void invalidate() { valid_ = false; }
    SectionListPlace item() const { return item_; }

private:
    QPointer<SectionListView> view_;
    SectionListPlace item_;
    bool valid_ = true;
};
