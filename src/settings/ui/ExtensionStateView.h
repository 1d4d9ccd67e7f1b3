#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class ShellExtension;

// One line on whether our desktop-shell extension runs, with a button that turns it on when it is
// installed but off.
class ExtensionStateView : public QWidget {
    Q_OBJECT
public:
    // `extension` must outlive this view.
    explicit ExtensionStateView(ShellExtension &extension, QWidget *parent = nullptr);

    QLabel *stateLabel() const { return label_; }
    QPushButton *enableButton() const { return button_; }

private:
    void sync();

    ShellExtension &extension_;
    QLabel *label_;
    QPushButton *button_;
};
