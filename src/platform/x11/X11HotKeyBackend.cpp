#include "platform/x11/X11HotKeyBackend.h"

#include "keys/KeyCodes.h"

#include <QCoreApplication>
#include <cstdlib>
#include <xcb/xcb_keysyms.h>

namespace {

constexpr xcb_keysym_t numLockSym = 0xff7f, scrollLockSym = 0xff14, superLSym = 0xffeb, superRSym = 0xffec,
                       altLSym = 0xffe9, altRSym = 0xffea, metaLSym = 0xffe7;
constexpr uint8_t badAccess = 10;
// Of the XKEYBOARD extension's events, these replace the keyboard's keysyms or modifiers.
constexpr uint8_t xkbNewKeyboardNotify = 0, xkbMapNotify = 1;

} // namespace

void X11HotKeyBackend::KeySymbolsDeleter::operator()(_XCBKeySymbols *s) const
{
    xcb_key_symbols_free(s);
}

X11HotKeyBackend::X11HotKeyBackend() : x11_(X11Display::ofApplication())
{
    if (!x11_)
        return;
    xcb_connection_t *c = x11_->connection();
    static const char xkbName[] = "XKEYBOARD";
    xcb_generic_error_t *error = nullptr;
    xcb_query_extension_reply_t *xkb =
        xcb_query_extension_reply(c, xcb_query_extension(c, sizeof xkbName - 1, xkbName), &error);
    std::free(error);
    if (xkb && xkb->present)
        xkbEventBase_ = xkb->first_event;
    std::free(xkb);
    readKeyboard();
    QCoreApplication::instance()->installNativeEventFilter(this);
}

X11HotKeyBackend::~X11HotKeyBackend()
{
    if (!x11_ || !QCoreApplication::instance())
        return;  // the connection is gone with the application
    release();
    QCoreApplication::instance()->removeNativeEventFilter(this);
}

void X11HotKeyBackend::setHandlers(std::function<void(const ActivationRequest &)> onPressed, std::function<void(Result)> onRegrabbed)
{
    pressed_ = std::move(onPressed);
    regrabbed_ = std::move(onRegrabbed);
}

HotKeyBackend::Result X11HotKeyBackend::grab(quint32 keyCode, quint32 modifiers)
{
    if (!x11_)
        return Result::Unavailable;
    release();
    wanted_ = Combination{keyCode, modifiers};
    return grabWanted();
}

void X11HotKeyBackend::ungrab()
{
    wanted_.reset();
    release();
}

// The X modifier bits of a mask of command, shift, option and control.
uint16_t X11HotKeyBackend::modifierBits(quint32 mask) const
{
    uint16_t bits = 0;
    if (mask & KeyCodes::CommandMask)
        bits |= superBit_;
    if (mask & KeyCodes::ShiftMask)
        bits |= XCB_MOD_MASK_SHIFT;
    if (mask & KeyCodes::OptionMask)
        bits |= altBit_;
    if (mask & KeyCodes::ControlMask)
        bits |= XCB_MOD_MASK_CONTROL;
    return bits;
}

// Which modifier bits Super, Alt, NumLock and ScrollLock sit on, from the server's modifier mapping.
void X11HotKeyBackend::readKeyboard()
{
    xcb_connection_t *c = x11_->connection();
    symbols_.reset(xcb_key_symbols_alloc(c));
    superBit_ = XCB_MOD_MASK_4;
    altBit_ = XCB_MOD_MASK_1;
    numLockBit_ = scrollLockBit_ = 0;
    if (!symbols_)
        return;

    xcb_generic_error_t *error = nullptr;
    xcb_get_modifier_mapping_reply_t *mapping =
        xcb_get_modifier_mapping_reply(c, xcb_get_modifier_mapping(c), &error);
    std::free(error);
    if (!mapping)
        return;
    const xcb_keycode_t *keys = xcb_get_modifier_mapping_keycodes(mapping);
    const int perModifier = mapping->keycodes_per_modifier;
    bool superFound = false, altFound = false;
    // Modifiers 0 to 2 are Shift, Lock and Control; 3 to 7 are Mod1 to Mod5.
    for (int modifier = 3; modifier < 8; ++modifier) {
        const auto bit = uint16_t(1u << modifier);
        for (int k = 0; k < perModifier; ++k) {
            const xcb_keycode_t key = keys[modifier * perModifier + k];
            if (key == 0)
                continue;
            for (int column = 0; column < 4; ++column) {
                const xcb_keysym_t sym = xcb_key_symbols_get_keysym(symbols_.get(), key, column);
                if (sym == numLockSym)
                    numLockBit_ = bit;
                else if (sym == scrollLockSym)
                    scrollLockBit_ = bit;
                else if (!superFound && (sym == superLSym || sym == superRSym))
                    superBit_ = bit, superFound = true;
                else if (!altFound && (sym == altLSym || sym == altRSym || sym == metaLSym))
                    altBit_ = bit, altFound = true;
            }
        }
    }
    std::free(mapping);
}

HotKeyBackend::Result X11HotKeyBackend::grabWanted()
{
    if (!wanted_)
        return Result::Grabbed;
    const std::optional<quint32> keysym = KeyCodes::toKeysym(wanted_->keyCode);
    if (!keysym || !symbols_)
        return Result::NoSuchKey;
    QList<xcb_keycode_t> keys;
    if (xcb_keycode_t *found = xcb_key_symbols_get_keycode(symbols_.get(), *keysym)) {
        for (xcb_keycode_t *k = found; *k != XCB_NO_SYMBOL; ++k) {
            if (!keys.contains(*k))
                keys.append(*k);
        }
        std::free(found);
    }
    if (keys.isEmpty())
        return Result::NoSuchKey;

    heldModifiers_ = modifierBits(wanted_->modifiers);
    QList<uint16_t> lockBits;
    for (uint16_t bit : {uint16_t(XCB_MOD_MASK_LOCK), numLockBit_, scrollLockBit_}) {
        if (bit && !(heldModifiers_ & bit) && !lockBits.contains(bit))
            lockBits.append(bit);
    }

    xcb_connection_t *c = x11_->connection();
    QList<std::pair<Grab, xcb_void_cookie_t>> requests;
    for (xcb_keycode_t key : keys) {
        for (int subset = 0; subset < (1 << lockBits.size()); ++subset) {
            uint16_t mods = heldModifiers_;
            for (int i = 0; i < lockBits.size(); ++i) {
                if (subset & (1 << i))
                    mods |= lockBits[i];
            }
            requests.append({Grab{key, mods},
                             xcb_grab_key_checked(c, 0, x11_->root(), mods, key, XCB_GRAB_MODE_ASYNC,
                                                  XCB_GRAB_MODE_ASYNC)});
        }
    }
    // Every request is checked (each its own round trip answer); Qt hides X errors otherwise.
    bool refused = false, inUse = false;
    for (const auto &[grab, cookie] : requests) {
        if (xcb_generic_error_t *error = xcb_request_check(c, cookie)) {
            refused = true;
            inUse = inUse || error->error_code == badAccess;
            std::free(error);
        } else {
            grabs_.append(grab);
        }
    }
    if (refused) {
        release();
        return inUse ? Result::InUse : Result::NoSuchKey;
    }
    return Result::Grabbed;
}

void X11HotKeyBackend::release()
{
    if (!x11_)
        return;
    for (const Grab &grab : std::as_const(grabs_))
        xcb_ungrab_key(x11_->connection(), grab.key, x11_->root(), grab.modifiers);
    if (!grabs_.isEmpty())
        xcb_flush(x11_->connection());
    grabs_.clear();
    keyDown_ = false;
}

bool X11HotKeyBackend::isHeldKey(xcb_keycode_t key) const
{
    for (const Grab &grab : grabs_) {
        if (grab.key == key)
            return true;
    }
    return false;
}

void X11HotKeyBackend::keyboardChanged()
{
    readKeyboard();
    if (!wanted_)
        return;
    release();
    const Result result = grabWanted();
    if (regrabbed_)
        regrabbed_(result);
}

bool X11HotKeyBackend::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    const uint8_t type = event->response_type & 0x7f;
    switch (type) {
    case XCB_KEY_PRESS: {
        const auto *key = reinterpret_cast<const xcb_key_press_event_t *>(event);
        const uint16_t locks = XCB_MOD_MASK_LOCK | numLockBit_ | scrollLockBit_;
        if (key->event != x11_->root() || !isHeldKey(key->detail) || (key->state & 0xff & ~locks) != heldModifiers_)
            return false;
        // Auto-repeat: either presses without releases, or a release and a press with one timestamp.
        const bool repeat = keyDown_ || (key->detail == lastReleaseKey_ && key->time == lastReleaseTime_);
        keyDown_ = true;
        if (!repeat) {
            if (pressed_)
                pressed_(ActivationRequest{QString(), quint32(key->time)});
        }
        return true;
    }
    case XCB_KEY_RELEASE: {
        const auto *key = reinterpret_cast<const xcb_key_release_event_t *>(event);
        if (key->event != x11_->root() || !isHeldKey(key->detail))
            return false;
        keyDown_ = false;
        lastReleaseKey_ = key->detail;
        lastReleaseTime_ = key->time;
        return true;
    }
    case XCB_MAPPING_NOTIFY: {
        const auto *mapping = reinterpret_cast<const xcb_mapping_notify_event_t *>(event);
        if (mapping->request != XCB_MAPPING_POINTER)
            keyboardChanged();
        return false;
    }
    default:
        if (xkbEventBase_ && type == xkbEventBase_) {
            const uint8_t xkbType = reinterpret_cast<const uint8_t *>(event)[1];
            if (xkbType == xkbNewKeyboardNotify || xkbType == xkbMapNotify)
                keyboardChanged();
        }
        return false;
    }
}
