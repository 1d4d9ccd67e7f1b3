#pragma once

#include <QPushButton>
#include <functional>

class HotKeyRecorder;
class KeyboardLayout;
class Preferences;

// The button that shows the hot key and records a new one: click, then press the combination.
// While recording it takes every key press of the program and reads "Press keys…", in the same
// font and width as when idle.
class HotKeyRecorderView : public QPushButton {
    Q_OBJECT
public:
    HotKeyRecorderView(Preferences &preferences, QWidget *parent = nullptr);
    ~HotKeyRecorderView() override;

    HotKeyRecorder &recorder() const { return *recorder_; }
    static QString prompt();
    // The layout that names the physical key of a press; without one the key is Qt's key as typed.
    void setKeyboardLayout(const KeyboardLayout *layout) { layout_ = layout; }
    QSize sizeHint() const override;

Q_SIGNALS:
    // A short message about the last key press (a key that cannot be the hot key), or "" to clear it.
    void message(const QString &text);

public:
    // When the desktop owns the binding, the button reads `idleText` ("Change…") instead of the
    // stored hot key, and a click runs `action` (the desktop's own dialog), which answers false when
    // there is none: then the click records as usual. An empty idleText goes back to the plain
    // recorder.
    void setDesktopOwned(const QString &idleText, std::function<bool()> action);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void refresh();

    Preferences &preferences_;
    HotKeyRecorder *recorder_;
    const KeyboardLayout *layout_ = nullptr;
    bool monitoring_ = false;
    QString idleText_;
    std::function<bool()> desktopAction_;
};
