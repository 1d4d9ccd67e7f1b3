#pragma once

#include <QWidget>
#include <functional>

class IconLoader;
class PanelViewModel;
class Preferences;
class QLineEdit;
class QStackedLayout;
class SectionListView;

// The panel's content: a dark translucent card with the search header and the chip of the
// application in front, the section list (or a message when there is nothing to list), and a footer
// with key hints and the number of listed shortcuts.
class CorvaneRootView : public QWidget {
    Q_OBJECT
public:
    static constexpr int cardWidth = 720;
    static constexpr int cardHeight = 540;
    static constexpr qreal cornerRadius = 16;

    CorvaneRootView(PanelViewModel &vm, Preferences &preferences, IconLoader &icons, std::function<void()> onClose,
                    QWidget *parent = nullptr);

    QLineEdit *searchField() const { return search_; }
    SectionListView *sectionList() const { return list_; }
    QWidget *header() const { return headerBar_; }
    QWidget *footer() const { return footerBar_; }
    QWidget *chip() const { return chipView_; }
    QWidget *emptyState() const { return emptyView_; }
    // The text the footer shows on its right ("12 shortcuts").
    QString countText() const;
    // Called when the panel comes on screen: the search field takes the keyboard.
    void focusSearch();
    // Whether the compositor blurs what lies behind the panel: only then is the card translucent.
    void setBlurredBehind(bool blurred);
    bool isBlurredBehind() const { return blurredBehind_; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void modelChanged();
    void accentChanged();

    PanelViewModel &vm_;
    Preferences &preferences_;
    std::function<void()> onClose_;
    QWidget *headerBar_;
    QLineEdit *search_;
    QWidget *chipView_;
    SectionListView *list_;
    QWidget *emptyView_;
    QStackedLayout *mainArea_;
    QWidget *footerBar_;
    bool blurredBehind_ = false;
};
