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

void HotKeyManager::pressed()
{
    // The action runs after the key event, never inside the desktop's event dispatch.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (onTrigger_)
                onTrigger_();
        },
        Qt::QueuedConnection);
}

// `reportAgain`: log a failure even when it is the same as before (the user asked for this key).
void HotKeyManager::update(HotKeyBackend::Result result, bool reportAgain)
{
    const Status status = statusOf(result);
    const bool changed = status != status_;
    status_ = status;
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
    if (changed || reportAgain)
        Q_EMIT statusChanged();
}
