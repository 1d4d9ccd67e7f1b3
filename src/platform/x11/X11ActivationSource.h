#pragma once

#include "platform/ActivationSource.h"

#include <QAbstractNativeEventFilter>
#include <QTimer>

class X11WindowIdentity;

// Follows _NET_ACTIVE_WINDOW on the root window through Qt's own X11 connection. Without X11 it
// knows no active application and reports none.
class X11ActivationSource : public ActivationSource, private QAbstractNativeEventFilter {
public:
    // `windows` may be null (not on X11); it must outlive this source.
    explicit X11ActivationSource(const X11WindowIdentity *windows);
    ~X11ActivationSource() override;
    X11ActivationSource(const X11ActivationSource &) = delete;
    X11ActivationSource &operator=(const X11ActivationSource &) = delete;

    std::optional<RunningApp> frontmostApp() override;
    void follow(Handler handler) override;
    bool isAvailable() const override { return windows_ != nullptr; }

    // For a Wayland session, where X sees only the XWayland windows: when no X window is active
    // (_NET_ACTIVE_WINDOW none) and no window of this program has the focus either, a native window
    // has it, and it is reported as an application without identifier. The last X window is then
    // never taken for the native one. Without it, no active window changes nothing.
    void setSeesPartOfTheSession(bool partial) { partial_ = partial; }

private:
    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;
    void watchRootProperties();
    void reportUnseenFocus();

    const X11WindowIdentity *windows_;
    Handler handler_;
    bool filtering_ = false;
    bool partial_ = false;
    QTimer unseenFocus_;
};
