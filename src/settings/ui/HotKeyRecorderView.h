#pragma once

#include <QPushButton>

class HotKeyRecorder;
class Preferences;

// The button that shows the hot key and records a new one: click, then press the combination.
// While recording it takes every key press of the program and shows its prompt in red.
class HotKeyRecorderView : public QPushButton {
    Q_OBJECT
public:
    HotKeyRecorderView(Preferences &preferences, QWidget *parent = nullptr);
    ~HotKeyRecorderView() override;

    HotKeyRecorder &recorder() const { return *recorder_; }
    static QString prompt();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void refresh();

    Preferences &preferences_;
    HotKeyRecorder *recorder_;
    bool monitoring_ = false;
};
