#pragma once

#include <QWidget>

class CorvaneRootView;

// The floating panel window: frameless, above other windows, translucent, 720 by 540, no title bar.
// It takes the keyboard when shown and reports when it loses activation.
class KeyPanel : public QWidget {
    Q_OBJECT
public:
    explicit KeyPanel(QWidget *parent = nullptr);

    // Puts the root view in the window.
    void setContent(CorvaneRootView *view);
    CorvaneRootView *content() const { return root_; }
    // Without a compositor clear pixels show black: clip the window to the card's rounded shape.
    void setCompositing(bool compositing);

Q_SIGNALS:
    // The user activated another window.
    void resignedKey();

protected:
    void changeEvent(QEvent *event) override;

private:
    CorvaneRootView *root_ = nullptr;
};
