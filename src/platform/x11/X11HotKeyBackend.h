#pragma once

#include "platform/HotKeyBackend.h"
#include "platform/x11/X11Display.h"

#include <QAbstractNativeEventFilter>
#include <QList>
#include <memory>
#include <optional>

struct _XCBKeySymbols;

// Global hot keys on X11: a passive key grab on the root window of Qt's own connection, for the
// combination with every state of CapsLock, NumLock and ScrollLock. Each grab is checked, so a
// combination another program holds is reported (and whatever part was taken is released), and the
// grab is renewed when the keyboard mapping changes. Without X11 every grab is Unavailable.
class X11HotKeyBackend : public HotKeyBackend, private QAbstractNativeEventFilter {
public:
    X11HotKeyBackend();
    ~X11HotKeyBackend() override;
    X11HotKeyBackend(const X11HotKeyBackend &) = delete;
    X11HotKeyBackend &operator=(const X11HotKeyBackend &) = delete;

    Result grab(quint32 keyCode, quint32 modifiers) override;
    void ungrab() override;
    // Each press comes with its X server time: windows shown because of it are activated with it,
    // which focus-stealing prevention accepts.
    void setHandlers(std::function<void(const ActivationRequest &)> pressed,
                     std::function<void(Result)> regrabbed) override;

private:
    struct Combination {
        quint32 keyCode;
        quint32 modifiers;
    };
    struct Grab {
        xcb_keycode_t key;
        uint16_t modifiers;
    };
    struct KeySymbolsDeleter {
        void operator()(_XCBKeySymbols *symbols) const;
    };

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;
    Result grabWanted();
    void release();
    void readKeyboard();
    void keyboardChanged();
    uint16_t modifierBits(quint32 mask) const;
    bool isHeldKey(xcb_keycode_t key) const;

    std::optional<X11Display> x11_;
    std::unique_ptr<_XCBKeySymbols, KeySymbolsDeleter> symbols_;
    uint16_t superBit_ = XCB_MOD_MASK_4, altBit_ = XCB_MOD_MASK_1, numLockBit_ = 0, scrollLockBit_ = 0;
    uint8_t xkbEventBase_ = 0;  // first event number of the XKEYBOARD extension; 0 without it

    std::optional<Combination> wanted_;
    QList<Grab> grabs_;         // every grab held now
    uint16_t heldModifiers_ = 0;
    bool keyDown_ = false;      // a press was reported and its release has not come yet
    xcb_timestamp_t lastReleaseTime_ = 0;
    xcb_keycode_t lastReleaseKey_ = 0;

    std::function<void(const ActivationRequest &)> pressed_;
    std::function<void(Result)> regrabbed_;
};
