#include "settings/HotKeyRecorder.h"

#include "keys/KeyCodes.h"
#include "platform/NotificationCenter.h"
#include "platform/PlatformProfile.h"
#include "settings/Preferences.h"
#include "settings/TypingKeys.h"

HotKeyRecorder::HotKeyRecorder(Preferences &preferences, QObject *parent) : QObject(parent), preferences_(preferences) {}

void HotKeyRecorder::start()
{
    recording_ = true;
    Q_EMIT recordingChanged();
}

void HotKeyRecorder::stop()
{
    recording_ = false;
    Q_EMIT recordingChanged();
}

QString HotKeyRecorder::keyName(quint32 keyCode, const QString &characters)
{
    switch (keyCode) {
    case KeyCodes::Return:
    case KeyCodes::KeypadEnter: return QStringLiteral("\u23CE");
    case KeyCodes::Tab: return QStringLiteral("\u21E5");
    case KeyCodes::Space: return QStringLiteral("Space");
    case KeyCodes::Backspace: return QStringLiteral("\u232B");
    case KeyCodes::Escape: return QStringLiteral("\u238B");
    case KeyCodes::Home: return QStringLiteral("\u2196");
    case KeyCodes::PageUp: return QStringLiteral("\u21DE");
    case KeyCodes::ForwardDelete: return QStringLiteral("\u2326");
    case KeyCodes::End: return QStringLiteral("\u2198");
    case KeyCodes::PageDown: return QStringLiteral("\u21DF");
    case KeyCodes::LeftArrow: return QStringLiteral("\u2190");
    case KeyCodes::RightArrow: return QStringLiteral("\u2192");
    case KeyCodes::DownArrow: return QStringLiteral("\u2193");
    case KeyCodes::UpArrow: return QStringLiteral("\u2191");
    default:
        return characters.isEmpty() ? QStringLiteral("Key%1").arg(keyCode) : characters.toUpper();
    }
}

QString HotKeyRecorder::displayText(quint32 keyCode, quint32 mask, const QString &characters)
{
    QString text;
    if (mask & KeyCodes::ControlMask)
        text += QStringLiteral("\u2303");
    if (mask & KeyCodes::OptionMask)
        text += QStringLiteral("\u2325");
    if (mask & KeyCodes::ShiftMask)
        text += QStringLiteral("\u21E7");
    if (mask & KeyCodes::CommandMask)
        text += QString::fromUtf16(PlatformProfile::commandGlyph);
    return text + keyName(keyCode, characters);
}

HotKeyRecorder::Outcome HotKeyRecorder::handleKey(quint32 keyCode, quint32 modifierMask, const QString &characters)
{
    if (!recording_)
        return Outcome::Ignored;
    refusal_.clear();
    const quint32 mask = modifierMask & (KeyCodes::ControlMask | KeyCodes::OptionMask | KeyCodes::ShiftMask | KeyCodes::CommandMask);
    if (mask == 0) {
        if (keyCode == KeyCodes::Escape) {
            stop();
            return Outcome::Cancelled;
        }
        return Outcome::Ignored;
    }
    if (TypingKeys::takesTyping(keyCode, mask)) {
        refusal_ = tr("Shift with %1 would type nothing in any other application. Add Ctrl, Alt or Super.")
                       .arg(keyName(keyCode, characters));
        Q_EMIT refused();
        return Outcome::Refused;
    }
    preferences_.setHotKeyCode(keyCode);
    preferences_.setHotKeyModifiers(mask);
    preferences_.setHotKeyDisplay(displayText(keyCode, mask, characters));
    NotificationCenter::shared().post(QLatin1String(Preferences::hotKeyChangedNotification));
    stop();
    return Outcome::Recorded;
}
