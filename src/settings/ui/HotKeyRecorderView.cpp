#include "settings/ui/HotKeyRecorderView.h"

#include "keys/KeyCodes.h"
#include "platform/KeyboardLayout.h"
#include "settings/HotKeyRecorder.h"
#include "settings/Preferences.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QKeySequence>

namespace {

bool isModifierKey(int key)
{
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta
        || key == Qt::Key_Super_L || key == Qt::Key_Super_R || key == Qt::Key_AltGr || key == Qt::Key_CapsLock
        || key == Qt::Key_NumLock || key == Qt::Key_Hyper_L || key == Qt::Key_Hyper_R;
}

} // namespace

HotKeyRecorderView::HotKeyRecorderView(Preferences &preferences, QWidget *parent)
    : QPushButton(parent), preferences_(preferences), recorder_(new HotKeyRecorder(preferences, this))
{
    setFocusPolicy(Qt::StrongFocus);
    setToolTip(tr("Click, then press the new combination (Esc cancels)"));
    connect(this, &QPushButton::clicked, this, [this] {
        if (recorder_->isRecording() || !desktopAction_ || !desktopAction_())
            recorder_->toggle();
    });
    connect(recorder_, &HotKeyRecorder::recordingChanged, this, &HotKeyRecorderView::refresh);
    connect(&preferences, &Preferences::hotKeyDisplayChanged, this, &HotKeyRecorderView::refresh);
    connect(&preferences, &Preferences::keyLabelStyleChanged, this, &HotKeyRecorderView::refresh);
    refresh();
}

HotKeyRecorderView::~HotKeyRecorderView()
{
    if (monitoring_ && qApp)
        qApp->removeEventFilter(this);
}

QString HotKeyRecorderView::prompt()
{
    return tr("Press keys\u2026");
}

QSize HotKeyRecorderView::sizeHint() const
{
    // Wide enough for the prompt and the hot key, so the button keeps its size while recording.
    const QSize base = QPushButton::sizeHint();
    const QFontMetrics metrics(font());
    const int text = qMax(metrics.horizontalAdvance(prompt()), metrics.horizontalAdvance(preferences_.hotKeyText()));
    return QSize(qMax(150, text + 32), base.height());
}

void HotKeyRecorderView::refresh()
{
    const bool recording = recorder_->isRecording();
    setText(recording ? prompt() : idleText_.isEmpty() ? preferences_.hotKeyText() : idleText_);
    // Screen readers hear the state: what is recorded now, or that a combination is awaited.
    setAccessibleDescription(recording ? prompt() : tr("Current shortcut: %1").arg(preferences_.hotKeyText()));
    if (!recording)
        setFixedWidth(sizeHint().width());
    if (!recording)
        Q_EMIT message(QString());
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
    if (isModifierKey(key->key()))
        return true;  // modifiers alone: wait for the key
    // The physical key, by the symbol it prints without Shift: Shift+1 is "1", not "!".
    int qtKey = key->key();
    bool keypad = key->modifiers().testFlag(Qt::KeypadModifier);
    std::optional<quint32> code;
    if (layout_ && key->nativeScanCode() != 0) {
        if (const auto base = layout_->baseKey(key->nativeScanCode())) {
            qtKey = base->qtKey;
            keypad = base->keypad;
            code = KeyCodes::fromQtKey(qtKey, keypad);
        }
    } else {
        code = KeyCodes::fromQtKey(qtKey, keypad);
    }
    if (code) {
        const QString characters = QKeySequence(qtKey).toString(QKeySequence::NativeText);
        const auto outcome = recorder_->handleKey(*code, KeyCodes::fromQtModifiers(key->modifiers()), characters);
        if (outcome == HotKeyRecorder::Outcome::Ignored)
            Q_EMIT message(tr("Hold Ctrl, Alt, Shift or Super with the key."));
        else if (outcome == HotKeyRecorder::Outcome::Refused)
            Q_EMIT message(recorder_->refusalMessage());
    } else {
        Q_EMIT message(tr("This key cannot be the hot key; try another."));
    }
    // Every key press is swallowed while recording, also keys we cannot store.
    return true;
}

void HotKeyRecorderView::setDesktopOwned(const QString &idleText, std::function<bool()> action)
{
    idleText_ = idleText;
    desktopAction_ = std::move(action);
    refresh();
}

void HotKeyRecorderView::hideEvent(QHideEvent *event)
{
    if (recorder_->isRecording())
        recorder_->stop();
    QPushButton::hideEvent(event);
}
