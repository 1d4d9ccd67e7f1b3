#include "platform/FallbackHotKeyBackend.h"

FallbackHotKeyBackend::FallbackHotKeyBackend(std::unique_ptr<HotKeyBackend> primary,
                                             std::unique_ptr<HotKeyBackend> fallback)
    : primary_(std::move(primary)), fallback_(std::move(fallback))
{
}

HotKeyBackend::Result FallbackHotKeyBackend::grab(quint32 keyCode, quint32 modifiers)
{
    wanted_ = std::make_pair(keyCode, modifiers);
    if (fellBack_)
        return fallback_ ? fallback_->grab(keyCode, modifiers) : Result::Unavailable;
    const Result result = primary_->grab(keyCode, modifiers);
    if (result == Result::Unavailable && !primaryBound_)
        return fallBack();
    primaryBound_ = primaryBound_ || result == Result::Grabbed;
    return result;
}

void FallbackHotKeyBackend::ungrab()
{
    wanted_.reset();
    if (HotKeyBackend *backend = current())
        backend->ungrab();
}

void FallbackHotKeyBackend::setHandlers(std::function<void(const ActivationRequest &)> pressed,
                                        std::function<void(Result)> regrabbed)
{
    regrabbed_ = std::move(regrabbed);
    primary_->setHandlers(pressed, [this](Result result) {
        if (fellBack_)
            return;
        if (result == Result::Unavailable && !primaryBound_)
            result = fallBack();
        else
            primaryBound_ = primaryBound_ || result == Result::Grabbed;
        if (regrabbed_)
            regrabbed_(result);
    });
    if (fallback_) {
        fallback_->setHandlers(std::move(pressed), [this](Result result) {
            if (fellBack_ && regrabbed_)
                regrabbed_(result);
        });
    }
}

HotKeyBackend::Result FallbackHotKeyBackend::fallBack()
{
    fellBack_ = true;
    primary_->ungrab();
    if (!fallback_ || !wanted_)
        return Result::Unavailable;
    // The desktop's settings already hold a key for us (the user's choice, maybe): that one stands,
    // and the manager takes it from desktopKey().
    if (fallback_->desktopKey())
        return Result::Grabbed;
    return fallback_->grab(wanted_->first, wanted_->second);
}

HotKeyBackend::Owner FallbackHotKeyBackend::owner() const
{
    const HotKeyBackend *backend = current();
    return backend ? backend->owner() : Owner::Program;
}

QString FallbackHotKeyBackend::triggerDescription() const
{
    const HotKeyBackend *backend = current();
    return backend ? backend->triggerDescription() : QString();
}

bool FallbackHotKeyBackend::canConfigure() const
{
    const HotKeyBackend *backend = current();
    return backend && backend->canConfigure();
}

void FallbackHotKeyBackend::configure()
{
    if (HotKeyBackend *backend = current())
        backend->configure();
}

std::optional<std::pair<quint32, quint32>> FallbackHotKeyBackend::desktopKey() const
{
    const HotKeyBackend *backend = current();
    return backend ? backend->desktopKey() : std::nullopt;
}

QString FallbackHotKeyBackend::failureReason() const
{
    const HotKeyBackend *backend = current();
    return backend ? backend->failureReason() : primary_->failureReason();
}
