#pragma once

#include <QObject>
#include <QString>

class Preferences;

// Records a new global hot key: while recording, the next key pressed with at least one modifier
// becomes the hot key (its code, modifier mask and display text are stored, then the change is
// announced); Escape alone cancels; other keys without modifiers are ignored.
class HotKeyRecorder : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool recording READ isRecording NOTIFY recordingChanged)
public:
    explicit HotKeyRecorder(Preferences &preferences, QObject *parent = nullptr);

    bool isRecording() const { return recording_; }
    void start();
    void stop();
    void toggle() { recording_ ? stop() : start(); }

    enum class Outcome { Cancelled, Ignored, Recorded };
    // One key press while recording: the virtual key code, the modifier mask and the key's text
    // without modifiers. Does nothing (and returns Ignored) when not recording.
    Outcome handleKey(quint32 keyCode, quint32 modifierMask, const QString &charactersIgnoringModifiers);

    // "⌃⌥⇧" and the command glyph in that order, then the key's name.
    static QString displayText(quint32 keyCode, quint32 modifierMask, const QString &charactersIgnoringModifiers);
    static QString keyName(quint32 keyCode, const QString &charactersIgnoringModifiers);

Q_SIGNALS:
    void recordingChanged();

private:
    Preferences &preferences_;
    bool recording_ = false;
};
