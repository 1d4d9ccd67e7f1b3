#pragma once

#include <QAbstractScrollArea>
#include <QList>
#include <QRectF>
#include <QVariantAnimation>
#include <optional>

class IconLoader;
class PanelViewModel;
class Preferences;

// Every section of the panel in one scrolling list: headers that stay pinned at the top while their
// rows scroll under them, rows only for expanded sections. Only what is visible is painted, so a
// catalogue of any size scrolls and filters alike. Clicks collapse sections and mark favourites; a
// change of the selection scrolls the selected row to the middle.
class SectionListView : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr qreal paddingX = 10;
    static constexpr qreal paddingY = 8;
    static constexpr qreal spacing = 4;
    static constexpr int scrollDurationMs = 120;

    SectionListView(PanelViewModel &vm, Preferences &preferences, IconLoader &icons, QWidget *parent = nullptr);

    struct Hit {
        enum Kind { Nothing, Header, Chevron, Row } kind = Nothing;
        int section = -1;
        int row = -1;
    };
    // What lies under a point of the viewport, the pinned header first.
    Hit hitAt(QPoint viewportPoint) const;
    // Rectangles in content coordinates (add the scroll offset to get viewport ones).
    QRectF headerRect(int section) const;
    QRectF rowRect(int section, int row) const;
    qreal contentHeight() const { return height_; }
    // The section whose header is pinned at the top and where it is drawn, in viewport coordinates.
    std::optional<QPair<int, QRectF>> pinnedHeader() const;
    // Rows painted by the last paint: never more than fit in the viewport.
    int paintedRowCount() const { return paintedRows_; }
    bool isScrollAnimating() const { return scrollAnimation_.state() == QAbstractAnimation::Running; }
    int scrollOffset() const;
    PanelViewModel &viewModel() const { return vm_; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    bool viewportEvent(QEvent *event) override;

private:
    struct SectionBox {
        qreal top = 0;
        qreal rowsTop = 0;
        int rows = 0;  // 0 when collapsed
        qreal bottom() const;
    };

    void relayout();
    void selectionIndexChanged();
    void scrollToSelection();
    void setHover(Hit hit);
    int sectionAt(qreal contentY) const;
    qreal rowWidth() const;

    PanelViewModel &vm_;
    Preferences &preferences_;
    IconLoader &icons_;
    QList<SectionBox> boxes_;
    qreal height_ = 0;
    Hit hover_;
    Hit pressed_;
    qint64 lastSelectionIndex_ = 0;
    bool searchChanged_ = false;
    int paintedRows_ = 0;
    QVariantAnimation scrollAnimation_;
};
