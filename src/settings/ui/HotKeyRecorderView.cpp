#include "settings/ui/HotKeyRecorderView.h"

#include "platform/KeyCodes.h"
#include "settings/HotKeyRecorder.h"
#include "settings/Preferences.h"

#include <QApplication>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QKeySequence>

HotKeyRecorderView::HotKeyRecorderView(Preferences &preferences, QWidget *parent)
    : QPushButton(parent), preferences_(preferences), recorder_(new HotKeyRecorder(preferences, this))
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSizeF(QApplication::font().pointSizeF());
    setFont(font);
    setMinimumWidth(150);
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QPushButton::clicked, recorder_, &HotKeyRecorder::toggle);
    connect(recorder_, &HotKeyRecorder::recordingChanged, this, &HotKeyRecorderView::refresh);
    connect(&preferences, &Preferences::hotKeyDisplayChanged, this, &HotKeyRecorderView::refresh);
    refresh();
}

HotKeyRecorderView::~HotKeyRecorderView()
{
    if (monitoring_ && qApp)
        qApp->removeEventFilter(this);
}

QString HotKeyRecorderView::prompt()
{
    return tr("Press keys\u2026 (Esc to cancel)");
}

void HotKeyRecorderView::refresh()
{
    const bool recording = recorder_->isRecording();
    setText(recording ? prompt() : preferences_.hotKeyDisplay());
    // Screen readers hear the state: what is recorded now, or that a combination is awaited.
    setAccessibleDescription(recording ? prompt() : tr("Current shortcut: %1").arg(preferences_.hotKeyDisplay()));
    setStyleSheet(recording ? QStringLiteral("QPushButton { color: #ff453a; padding: 4px 10px; }")
                            : QStringLiteral("QPushButton { padding: 4px 10px; }"));
    // The key monitor is installed exactly while recording.
    if (recording && !monitoring_)
        qApp->installEventFilter(this);
    else if (!recording && monitoring_)
        qApp->removeEventFilter(this);
    monitoring_ = recording;
}

bool HotKeyRecorderView::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride && recorder_->isRecording()) {
        event->accept();  // no shortcut of the program fires while recording
        return true;
    }
    if (event->type() != QEvent::KeyPress || !recorder_->isRecording())
        return QPushButton::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    const bool keypad = key->modifiers().testFlag(Qt::KeypadModifier);
    if (const auto code = KeyCodes::fromQtKey(key->key(), keypad)) {
        const QString characters = QKeySequence(key->key()).toString(QKeySequence::NativeText);
        recorder_->handleKey(*code, KeyCodes::fromQtModifiers(key->modifiers()), characters);
    }
    // Every key press is swallowed while recording, also modifier keys and keys we cannot store.
    return true;
}

void HotKeyRecorderView::hideEvent(QHideEvent *event)
{
    if (recorder_->isRecording())
        recorder_->stop();
    QPushButton::hideEvent(event);
}
