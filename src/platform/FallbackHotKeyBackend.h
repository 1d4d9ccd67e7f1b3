#pragma once

#include "platform/HotKeyBackend.h"

#include <memory>
#include <optional>

// The hot key through `primary` (the desktop portal) unless it answers, before it ever bound the
// key, that it cannot serve this session at all (Unavailable: a portal whose only global-shortcuts
// backend belongs to another desktop). Then `fallback` holds the key from then on: the session's
// own way (GNOME's custom shortcut), or nothing (null) where the user binds `corvane --toggle` in
// the compositor's configuration.
class FallbackHotKeyBackend : public HotKeyBackend {
public:
    FallbackHotKeyBackend(std::unique_ptr<HotKeyBackend> primary, std::unique_ptr<HotKeyBackend> fallback);

    Result grab(quint32 keyCode, quint32 modifiers) override;
    void ungrab() override;
    void setHandlers(std::function<void(const ActivationRequest &)> pressed,
                     std::function<void(Result)> regrabbed) override;

    Owner owner() const override;
    QString triggerDescription() const override;
    bool canConfigure() const override;
    void configure() override;
    std::optional<std::pair<quint32, quint32>> desktopKey() const override;
    QString failureReason() const override;

    // Whether the fallback has taken over.
    bool fellBack() const { return fellBack_; }

private:
    HotKeyBackend *current() const { return fellBack_ ? fallback_.get() : primary_.get(); }
    Result fallBack();

    std::unique_ptr<HotKeyBackend> primary_;
    std::unique_ptr<HotKeyBackend> fallback_;
    std::function<void(Result)> regrabbed_;
    std::optional<std::pair<quint32, quint32>> wanted_;
    bool fellBack_ = false;
    bool primaryBound_ = false;
};
