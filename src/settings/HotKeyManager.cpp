#include "settings/HotKeyManager.h"

#include "platform/SystemLog.h"
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

void HotKeyManager::setOnTrigger(std::function<void()> action)
{
    onTrigger_ = std::move(action);
}

void HotKeyManager::start()
{
    if (backend_ && !handlersInstalled_) {
        const QPointer<HotKeyManager> self(this);
        backend_->setHandlers(
            [self] {
                if (self)
                    self->pressed();
            },
            [self](HotKeyBackend::Result result) {
                if (self)
                    self->update(result, false);
            });
        handlersInstalled_ = true;
    }
    registerHotKey();
}

void HotKeyManager::registerHotKey()
{
    if (!backend_) {
        update(HotKeyBackend::Result::Unavailable, true);
        return;
    }
    backend_->ungrab();
    // Preferences keep both within 32 bits.
    const qint64 code = preferences_.hotKeyCode();
    const auto result = code >= 0 && code <= 0xFFFFFFFFLL
        ? backend_->grab(quint32(code), preferences_.hotKeyModifiers())
        : HotKeyBackend::Result::NoSuchKey;
    update(result, true);
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

void HotKeyManager::pressed()
{
    // The action runs after the key event, never inside the desktop's event dispatch.
    QMetaObject::invokeMethod(
        this,
        [this, token = backend_ ? backend_->activationToken() : QString()] {
            activationToken_ = token;
            if (onTrigger_)
                onTrigger_();
            activationToken_.clear();
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
