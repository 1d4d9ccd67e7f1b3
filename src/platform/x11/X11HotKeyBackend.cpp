#include "platform/x11/X11HotKeyBackend.h"

#include "platform/KeyCodes.h"
#include "platform/x11/X11KeySyms.h"

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

X11HotKeyBackend::X11HotKeyBackend() : x11(X11Display::ofApplication())
{
    if (!x11)
        return;
    xcb_connection_t *c = x11->connection();
    static const char xkbName[] = "XKEYBOARD";
    xcb_generic_error_t *error = nullptr;
    xcb_query_extension_reply_t *xkb =
        xcb_query_extension_reply(c, xcb_query_extension(c, sizeof xkbName - 1, xkbName), &error);
    std::free(error);
    if (xkb && xkb->present)
        xkbEventBase = xkb->first_event;
    std::free(xkb);
    readKeyboard();
    QCoreApplication::instance()->installNativeEventFilter(this);
}

X11HotKeyBackend::~X11HotKeyBackend()
{
    if (!x11 || !QCoreApplication::instance())
        return;  // the connection is gone with the application
    release();
    QCoreApplication::instance()->removeNativeEventFilter(this);
}

void X11HotKeyBackend::setHandlers(std::function<void()> onPressed, std::function<void(Result)> onRegrabbed)
{
    pressed = std::move(onPressed);
    regrabbed = std::move(onRegrabbed);
}

HotKeyBackend::Result X11HotKeyBackend::grab(quint32 keyCode, quint32 modifiers)
{
    if (!x11)
        return Result::Unavailable;
    release();
    wanted = Combination{keyCode, modifiers};
    return grabWanted();
}

void X11HotKeyBackend::ungrab()
{
    wanted.reset();
    release();
}

// The X modifier bits of a mask of command, shift, option and control.
uint16_t X11HotKeyBackend::modifierBits(quint32 mask) const
{
    uint16_t bits = 0;
    if (mask & KeyCodes::CommandMask)
        bits |= superBit;
    if (mask & KeyCodes::ShiftMask)
        bits |= XCB_MOD_MASK_SHIFT;
    if (mask & KeyCodes::OptionMask)
        bits |= altBit;
    if (mask & KeyCodes::ControlMask)
        bits |= XCB_MOD_MASK_CONTROL;
    return bits;
}

// Which modifier bits Super, Alt, NumLock and ScrollLock sit on, from the server's modifier mapping.
void X11HotKeyBackend::readKeyboard()
{
    xcb_connection_t *c = x11->connection();
    symbols.reset(xcb_key_symbols_alloc(c));
    superBit = XCB_MOD_MASK_4;
    altBit = XCB_MOD_MASK_1;
    numLockBit = scrollLockBit = 0;
    if (!symbols)
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
                const xcb_keysym_t sym = xcb_key_symbols_get_keysym(symbols.get(), key, column);
                if (sym == numLockSym)
                    numLockBit = bit;
                else if (sym == scrollLockSym)
                    scrollLockBit = bit;
                else if (!superFound && (sym == superLSym || sym == superRSym))
                    superBit = bit, superFound = true;
                else if (!altFound && (sym == altLSym || sym == altRSym || sym == metaLSym))
                    altBit = bit, altFound = true;
            }
        }
    }
    std::free(mapping);
}

HotKeyBackend::Result X11HotKeyBackend::grabWanted()
{
    if (!wanted)
        return Result::Grabbed;
    const std::optional<quint32> keysym = X11KeySyms::fromKeyCode(wanted->keyCode);
    if (!keysym || !symbols)
        return Result::NoSuchKey;
    QList<xcb_keycode_t> keys;
    if (xcb_keycode_t *found = xcb_key_symbols_get_keycode(symbols.get(), *keysym)) {
        for (xcb_keycode_t *k = found; *k != XCB_NO_SYMBOL; ++k) {
            if (!keys.contains(*k))
                keys.append(*k);
        }
        std::free(found);
    }
    if (keys.isEmpty())
        return Result::NoSuchKey;

    heldModifiers = modifierBits(wanted->modifiers);
    QList<uint16_t> lockBits;
    for (uint16_t bit : {uint16_t(XCB_MOD_MASK_LOCK), numLockBit, scrollLockBit}) {
        if (bit && !(heldModifiers & bit) && !lockBits.contains(bit))
            lockBits.append(bit);
    }

    xcb_connection_t *c = x11->connection();
    QList<std::pair<Grab, xcb_void_cookie_t>> requests;
    for (xcb_keycode_t key : keys) {
        for (int subset = 0; subset < (1 << lockBits.size()); ++subset) {
            uint16_t mods = heldModifiers;
            for (int i = 0; i < lockBits.size(); ++i) {
                if (subset & (1 << i))
                    mods |= lockBits[i];
            }
            requests.append({Grab{key, mods},
                             xcb_grab_key_checked(c, 0, x11->root(), mods, key, XCB_GRAB_MODE_ASYNC,
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
            grabs.append(grab);
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
    if (!x11)
        return;
    for (const Grab &grab : std::as_const(grabs))
        xcb_ungrab_key(x11->connection(), grab.key, x11->root(), grab.modifiers);
    if (!grabs.isEmpty())
        xcb_flush(x11->connection());
    grabs.clear();
    keyDown = false;
}

bool X11HotKeyBackend::isHeldKey(xcb_keycode_t key) const
{
    for (const Grab &grab : grabs) {
        if (grab.key == key)
            return true;
    }
    return false;
}

void X11HotKeyBackend::keyboardChanged()
{
    readKeyboard();
    if (!wanted)
        return;
    release();
    const Result result = grabWanted();
    if (regrabbed)
        regrabbed(result);
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
        const uint16_t locks = XCB_MOD_MASK_LOCK | numLockBit | scrollLockBit;
        if (key->event != x11->root() || !isHeldKey(key->detail) || (key->state & 0xff & ~locks) != heldModifiers)
            return false;
        // Auto-repeat: either presses without releases, or a release and a press with one timestamp.
        const bool repeat = keyDown || (key->detail == lastReleaseKey && key->time == lastReleaseTime);
        keyDown = true;
        if (!repeat) {
            lastPress = key->time;
            if (pressed)
                pressed();
        }
        return true;
    }
    case XCB_KEY_RELEASE: {
        const auto *key = reinterpret_cast<const xcb_key_release_event_t *>(event);
        if (key->event != x11->root() || !isHeldKey(key->detail))
            return false;
        keyDown = false;
        lastReleaseKey = key->detail;
        lastReleaseTime = key->time;
        return true;
    }
    case XCB_MAPPING_NOTIFY: {
        const auto *mapping = reinterpret_cast<const xcb_mapping_notify_event_t *>(event);
        if (mapping->request != XCB_MAPPING_POINTER)
            keyboardChanged();
        return false;
    }
    default:
        if (xkbEventBase && type == xkbEventBase) {
            const uint8_t xkbType = reinterpret_cast<const uint8_t *>(event)[1];
            if (xkbType == xkbNewKeyboardNotify || xkbType == xkbMapNotify)
                keyboardChanged();
        }
        return false;
    }
}
