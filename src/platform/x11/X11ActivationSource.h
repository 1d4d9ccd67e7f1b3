#pragma once

#include "platform/ActivationSource.h"

#include <QAbstractNativeEventFilter>

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

private:
    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;
    void watchRootProperties();

    const X11WindowIdentity *windows_;
    Handler handler_;
    bool filtering_ = false;
};
