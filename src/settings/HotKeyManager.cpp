#include "settings/HotKeyManager.h"

#include "keys/DesktopKeyNames.h"
#include "keys/KeyCodes.h"
#include "keys/KeyLabels.h"
#include "keys/KeyNotation.h"
#include "keys/DesktopKeyNames.h"
#include "keys/KeyCodes.h"
#include "keys/KeyTokens.h"
#include "services/SystemLog.h"
#include "settings/HotKeyRecorder.h"
#include "settings/Preferences.h"

#include <QPointer>

namespace {

HotKeyManager::Status statusOf(HotKeyBackend::Result result)
{
    switch (result) {
    case HotKeyBackend::Result::Grabbed:
        return HotKeyManager::Status::Registered;
    case HotKeyBackend::Result::InUse:
        return HotKeyManager::Status::InUse;
    case HotKeyBackend::Result::NoSuchKey:
        return HotKeyManager::Status::NoSuchKey;
    case HotKeyBackend::Result::Refused:
        return HotKeyManager::Status::Refused;
    case HotKeyBackend::Result::Pending:
        return HotKeyManager::Status::NotRegistered;
    case HotKeyBackend::Result::Unavailable:
        break;
    }
    return HotKeyManager::Status::Unavailable;
}

} // namespace

HotKeyManager &HotKeyManager::shared()
{
    static HotKeyManager *manager =  // lives as long as the process
        new HotKeyManager(Preferences::shared(), nullptr);
    return *manager;
}

HotKeyManager::HotKeyManager(Preferences &preferences, std::unique_ptr<HotKeyBackend> backend, QObject *parent)
    : QObject(parent), preferences_(preferences), backend_(std::move(backend))
{
}

HotKeyManager::~HotKeyManager() = default;

void HotKeyManager::setBackend(std::unique_ptr<HotKeyBackend> newBackend)
{
    if (backend_)
        backend_->ungrab();
    backend_ = std::move(newBackend);
    handlersInstalled_ = false;
}

void HotKeyManager::setOnTrigger(std::function<void(const ActivationRequest &)> action)
{
    onTrigger_ = std::move(action);
}

void HotKeyManager::setConflictCheck(ConflictCheck check)
{
    conflictCheck_ = std::move(check);
}

QStringList HotKeyManager::chord(quint32 keyCode, quint32 modifiers)
{
    QStringList keys;
    const std::pair<quint32, const char *> names[] = {
        {KeyCodes::ControlMask, "ctrl"}, {KeyCodes::OptionMask, "alt"}, {KeyCodes::ShiftMask, "shift"},
        {KeyCodes::CommandMask, "super"}};
    for (const auto &[mask, name] : names) {
        if (modifiers & mask)
            keys.append(KeyNotation::keySymbol(QLatin1String(name)));
    }
    const std::optional<quint32> keysym = KeyCodes::toKeysym(keyCode);
    const std::optional<QString> key = keysym ? KeyTokens::fromKeysym(*keysym) : std::nullopt;
    if (!key)
        return {};
    keys.append(KeyNotation::keySymbol(*key));
    return keys;
}

QString HotKeyManager::displayFor(quint32 keyCode, quint32 modifiers)
{
    // The key's own character where it types one, as the recorder is given it.
    QString characters;
    const std::optional<int> qtKey = KeyCodes::toQtKey(keyCode);
    if (qtKey && *qtKey > Qt::Key_Space && *qtKey <= Qt::Key_ydiaeresis)
        characters = QString(QChar(char16_t(*qtKey)));
    else if (const std::optional<QString> name = DesktopKeyNames::keysymName(keyCode))
        characters = *name;
    return HotKeyRecorder::displayText(keyCode, modifiers, characters);
}

bool HotKeyManager::adoptDesktopKey()
{
    if (!backend_)
        return false;
    const std::optional<std::pair<quint32, quint32>> key = backend_->desktopKey();
    if (!key || (qint64(key->first) == preferences_.hotKeyCode() && key->second == preferences_.hotKeyModifiers()))
        return false;
    const QString display = displayFor(key->first, key->second);
    preferences_.setHotKeyCode(key->first);
    preferences_.setHotKeyModifiers(key->second);
    preferences_.setHotKeyDisplay(display);
    SystemLog::shared().write(QStringLiteral("Corvane: hot key ") + KeyLabels::hotKeyText(display, KeyLabelStyle::Words, KeyWords::English)
                              + QStringLiteral(" comes from the desktop's keyboard settings"));
    return true;
}

void HotKeyManager::start()
{
    if (backend_ && !handlersInstalled_) {
        const QPointer<HotKeyManager> self(this);
        backend_->setHandlers(
            [self](const ActivationRequest &request) {
                if (self)
                    self->pressed(request);
            },
            [self](HotKeyBackend::Result result) {
                if (!self)
                    return;
                // The user changed our key in the desktop's own settings: it is the hot key now.
                if (self->adoptDesktopKey())
                    self->registerHotKey();
                else
                    self->update(result, false);
            });
        handlersInstalled_ = true;
    }
    // Where the desktop keeps the binding in its settings, the key found there is the hot key.
    adoptDesktopKey();
    registerHotKey();
}

void HotKeyManager::registerHotKey()
{
    const qint64 code = preferences_.hotKeyCode();
    const bool valid = code >= 0 && code <= 0xFFFFFFFFLL;  // preferences keep both within 32 bits
    // What the desktop already does with the key, checked before anything is bound or suggested.
    conflict_ = conflictOfStoredKey();
    if (!backend_) {
        update(HotKeyBackend::Result::Unavailable, true);
        return;
    }
    backend_->ungrab();
    const auto result = !valid ? HotKeyBackend::Result::NoSuchKey
        : !conflict_.isEmpty() ? HotKeyBackend::Result::InUse
                               : backend_->grab(quint32(code), preferences_.hotKeyModifiers());
    update(result, true);
}

void HotKeyManager::desktopBindingsChanged()
{
    if (conflictOfStoredKey() != conflict_)
        registerHotKey();
}

QString HotKeyManager::conflictOfStoredKey() const
{
    const qint64 code = preferences_.hotKeyCode();
    const bool valid = code >= 0 && code <= 0xFFFFFFFFLL;  // preferences keep both within 32 bits
    return valid && conflictCheck_ ? conflictCheck_(quint32(code), preferences_.hotKeyModifiers()) : QString();
}

HotKeyBackend::Owner HotKeyManager::owner() const
{
    return backend_ ? backend_->owner() : HotKeyBackend::Owner::Program;
}

QString HotKeyManager::triggerDescription() const
{
    return backend_ ? backend_->triggerDescription() : QString();
}

QString HotKeyManager::displayText() const
{
    const QString description = triggerDescription();
    return description.isEmpty() ? preferences_.hotKeyText() : description;
}

QString HotKeyManager::failureReason() const
{
    return backend_ ? backend_->failureReason() : QString();
}

bool HotKeyManager::canConfigure() const
{
    return backend_ && backend_->canConfigure();
}

void HotKeyManager::configure()
{
    if (canConfigure())
        backend_->configure();
}

void HotKeyManager::pressed(const ActivationRequest &request)
{
    // The action runs after the key event, never inside the desktop's event dispatch.
    QMetaObject::invokeMethod(
        this,
        [this, request] {
            if (onTrigger_)
                onTrigger_(request);
        },
        Qt::QueuedConnection);
}

// `reportAgain`: log a failure even when it is the same as before (the user asked for this key).
void HotKeyManager::update(HotKeyBackend::Result result, bool reportAgain)
{
    const Status status = statusOf(result);
    const QString description = triggerDescription();
    const bool changed = status != status_;
    const bool redescribed = description != description_;
    status_ = status;
    description_ = description;
    if (changed || reportAgain) {
        const QString display = preferences_.hotKeyDisplay();
        switch (status) {
        case Status::InUse:
            if (!conflict_.isEmpty())
                SystemLog::shared().write(QStringLiteral("Corvane: hot key ")
                                          + KeyLabels::hotKeyText(display, KeyLabelStyle::Words, KeyWords::English)
                                          + QStringLiteral(" is ") + conflict_);
            else
                SystemLog::shared().write(QStringLiteral("Corvane: hot key ") + display
                                          + QStringLiteral(" is in use by another program"));
            break;
        case Status::NoSuchKey:
            SystemLog::shared().write(QStringLiteral("Corvane: hot key ") + display
                                      + QStringLiteral(" is not on this keyboard"));
            break;
        case Status::Refused: {
            const QString reason = failureReason();
            SystemLog::shared().write(QStringLiteral("Corvane: the desktop refused the hot key ") + display
                                      + (reason.isEmpty() ? QString() : QStringLiteral(": ") + reason));
            break;
        }
        case Status::Unavailable:
            if (!conflict_.isEmpty())
                SystemLog::shared().write(QStringLiteral("Corvane: hot key ")
                                          + KeyLabels::hotKeyText(display, KeyLabelStyle::Words, KeyWords::English)
                                          + QStringLiteral(" is ") + conflict_);
            if (!unavailableLogged_) {
                unavailableLogged_ = true;
                SystemLog::shared().write(QStringLiteral(
                    "Corvane: global hot keys are not available in this session; "
                    "bind \"corvane --toggle\" to a key in the desktop's keyboard settings"));
            }
            break;
        case Status::Registered:
        case Status::NotRegistered:
            break;
        }
    }
    if (changed || redescribed || reportAgain)
        Q_EMIT statusChanged();
}
