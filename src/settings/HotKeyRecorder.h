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

    // Refused: Shift alone with a key that types a character (see TypingKeys); recording goes on and
    // refusalMessage() says why.
    enum class Outcome { Cancelled, Ignored, Recorded, Refused };
    // One key press while recording: the virtual key code, the modifier mask and the key's text
    // without modifiers. Does nothing (and returns Ignored) when not recording.
    Outcome handleKey(quint32 keyCode, quint32 modifierMask, const QString &charactersIgnoringModifiers);

    // "⌃⌥⇧" and the command glyph in that order, then the key's name.
    static QString displayText(quint32 keyCode, quint32 modifierMask, const QString &charactersIgnoringModifiers);
    static QString keyName(quint32 keyCode, const QString &charactersIgnoringModifiers);

    // Why the last key was refused, for the user; empty after any other outcome.
    QString refusalMessage() const { return refusal_; }

Q_SIGNALS:
    void recordingChanged();
    // A key was refused; refusalMessage() says why.
    void refused();

private:
    Preferences &preferences_;
    bool recording_ = false;
    QString refusal_;
};
