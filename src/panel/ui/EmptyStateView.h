#pragma once

#include <QWidget>

// What the main area shows when there is nothing to list.
class EmptyStateView : public QWidget {
    Q_OBJECT
public:
    explicit EmptyStateView(QWidget *parent = nullptr);
    // "No shortcuts available" without a search, "No matching shortcuts" with one.
    void setSearching(bool searching);
    QString text() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    bool searching_ = false;
};
