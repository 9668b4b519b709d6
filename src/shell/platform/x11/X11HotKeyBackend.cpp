#include "X11HotKeyBackend.h"

#include "ShellTrace.h"

#include <QCoreApplication>

#include <xcb/xcb_keysyms.h>

#include <memory>

namespace {
// Keysyms from X11/keysymdef.h, kept here to avoid pulling in Xlib headers.
constexpr xcb_keysym_t XK_Num_Lock = 0xff7f;
constexpr xcb_keysym_t XK_Scroll_Lock = 0xff14;
constexpr xcb_keysym_t XK_Super_L = 0xffeb;
constexpr xcb_keysym_t XK_Super_R = 0xffec;
constexpr xcb_keysym_t XK_Alt_L = 0xffe9;
constexpr xcb_keysym_t XK_Alt_R = 0xffea;
constexpr xcb_keysym_t XK_Meta_L = 0xffe7;
constexpr xcb_keysym_t XK_Meta_R = 0xffe8;
constexpr uint8_t BadAccess = 10;

struct KeySymbolsDeleter {
    void operator()(xcb_key_symbols_t *symbols) const { xcb_key_symbols_free(symbols); }
};
using KeySymbols = std::unique_ptr<xcb_key_symbols_t, KeySymbolsDeleter>;
} // namespace

X11HotKeyBackend::X11HotKeyBackend(xcb_connection_t *connection, xcb_window_t root, QObject *parent)
    : HotKeyBackend(parent), m_connection(connection), m_root(root)
{
    QCoreApplication::instance()->installNativeEventFilter(this);
}

X11HotKeyBackend::~X11HotKeyBackend()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
    ungrab();
}

X11HotKeyBackend::ModifierMasks X11HotKeyBackend::readModifierMasks() const
{
    ModifierMasks masks;
    KeySymbols symbols(xcb_key_symbols_alloc(m_connection));
    auto *reply = xcb_get_modifier_mapping_reply(
        m_connection, xcb_get_modifier_mapping(m_connection), nullptr);
    uint16_t numLock = 0;
    uint16_t scrollLock = 0;
    bool capsMapped = false;
    if (reply && symbols) {
        const xcb_keycode_t *codes = xcb_get_modifier_mapping_keycodes(reply);
        const int perModifier = reply->keycodes_per_modifier;
        for (int modifier = 0; modifier < 8; ++modifier) {
            const uint16_t bit = uint16_t(1u << modifier);
            for (int i = 0; i < perModifier; ++i) {
                const xcb_keycode_t code = codes[modifier * perModifier + i];
                if (code == 0)
                    continue;
                if (modifier == 1)
                    capsMapped = true;
                for (int column = 0; column < 4; ++column) {
                    const xcb_keysym_t sym = xcb_key_symbols_get_keysym(symbols.get(), code, column);
                    if (sym == XK_Num_Lock)
                        numLock = bit;
                    else if (sym == XK_Scroll_Lock)
                        scrollLock = bit;
                    else if (sym == XK_Super_L || sym == XK_Super_R)
                        masks.super = masks.super ? masks.super : bit;
                    else if (sym == XK_Alt_L || sym == XK_Alt_R || sym == XK_Meta_L || sym == XK_Meta_R)
                        masks.alt = masks.alt ? masks.alt : bit;
                }
            }
        }
    }
    free(reply);
    if (!masks.super)
        masks.super = XCB_MOD_MASK_4;
    if (!masks.alt)
        masks.alt = XCB_MOD_MASK_1;
    if (capsMapped)
        masks.locks.append(XCB_MOD_MASK_LOCK);
    for (uint16_t bit : {numLock, scrollLock}) {
        // A lock that shares its bit with Shift, Super or Alt would change the shortcut itself.
        if (bit && bit != masks.super && bit != masks.alt && bit != XCB_MOD_MASK_SHIFT
            && bit != XCB_MOD_MASK_CONTROL && !masks.locks.contains(bit))
            masks.locks.append(bit);
    }
    return masks;
}

QList<uint16_t> X11HotKeyBackend::lockCombinations(const QList<uint16_t> &locks)
{
    QList<uint16_t> combinations{0};
    for (uint16_t bit : locks) {
        const qsizetype n = combinations.size();
        for (qsizetype i = 0; i < n; ++i)
            combinations.append(uint16_t(combinations[i] | bit));
    }
    return combinations;
}

bool X11HotKeyBackend::registerShortcut(QChar letter)
{
    ungrab();
    m_letter = letter.toUpper();
    if (!grab()) {
        m_letter = QChar();
        return false;
    }
    return true;
}

void X11HotKeyBackend::unregisterShortcut()
{
    ungrab();
    m_letter = QChar();
}

bool X11HotKeyBackend::grab()
{
    m_masks = readModifierMasks();
    KeySymbols symbols(xcb_key_symbols_alloc(m_connection));
    if (!symbols)
        return false;
    // Letter keys carry the lower-case keysym in their first column.
    const xcb_keysym_t sym = xcb_keysym_t(m_letter.toLower().unicode());
    xcb_keycode_t *codes = xcb_key_symbols_get_keycode(symbols.get(), sym);
    m_keycodes.clear();
    for (xcb_keycode_t *code = codes; code && *code != XCB_NO_SYMBOL; ++code)
        m_keycodes.append(*code);
    free(codes);
    if (m_keycodes.isEmpty()) {
        m_lastError = QStringLiteral("no key produces the letter %1 in this keyboard layout").arg(m_letter);
        return false;
    }

    const uint16_t base = uint16_t(XCB_MOD_MASK_SHIFT | m_masks.super);
    QList<xcb_void_cookie_t> cookies;
    QList<uint16_t> modifiers;
    for (uint16_t locks : lockCombinations(m_masks.locks)) {
        for (xcb_keycode_t code : std::as_const(m_keycodes)) {
            // Events go to the root window (owner_events off), where the filter picks them up.
            cookies.append(xcb_grab_key_checked(m_connection, 0, m_root, uint16_t(base | locks), code,
                                                XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
            modifiers.append(uint16_t(base | locks));
        }
    }
    bool ok = true;
    bool refused = false;
    for (const xcb_void_cookie_t &cookie : cookies) {
        if (xcb_generic_error_t *error = xcb_request_check(m_connection, cookie)) {
            ok = false;
            refused = refused || error->error_code == BadAccess;
            free(error);
        }
    }
    m_grabbedModifiers = modifiers;
    if (!ok) {
        m_lastError = refused ? QStringLiteral("another application already holds Super+Shift+%1").arg(m_letter)
                              : QStringLiteral("the X server refused the key grab");
        ungrab();
        return false;
    }
    return true;
}

void X11HotKeyBackend::ungrab()
{
    if (m_grabbedModifiers.isEmpty())
        return;
    for (uint16_t locks : lockCombinations(m_masks.locks)) {
        for (xcb_keycode_t code : std::as_const(m_keycodes))
            xcb_ungrab_key(m_connection, code, m_root, uint16_t(XCB_MOD_MASK_SHIFT | m_masks.super | locks));
    }
    xcb_flush(m_connection);
    m_grabbedModifiers.clear();
}

bool X11HotKeyBackend::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType != "xcb_generic_event_t" || m_grabbedModifiers.isEmpty())
        return false;
    auto *event = static_cast<xcb_generic_event_t *>(message);
    const uint8_t type = event->response_type & ~0x80;
    if (type == XCB_MAPPING_NOTIFY) {
        // The keyboard layout changed: the letter may sit on another key now.
        auto *mapping = reinterpret_cast<xcb_mapping_notify_event_t *>(event);
        if (mapping->request != XCB_MAPPING_POINTER) {
            const QChar letter = m_letter;
            QMetaObject::invokeMethod(this, [this, letter] {
                if (m_letter == letter && !m_grabbedModifiers.isEmpty())
                    registerShortcut(letter);
            }, Qt::QueuedConnection);
        }
        return false;
    }
    if (type != XCB_KEY_PRESS)
        return false;
    auto *press = reinterpret_cast<xcb_key_press_event_t *>(event);
    if (press->event != m_root || !m_keycodes.contains(press->detail))
        return false;
    const uint16_t relevant = uint16_t(XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | m_masks.alt | m_masks.super);
    if ((press->state & relevant) != (XCB_MOD_MASK_SHIFT | m_masks.super))
        return false;
    ShellTrace::mark("hotkey received");
    // Not consumed: Qt still takes the event's time stamp, which the window manager needs to
    // let the panel take the focus; the panel is shown once this event is done.
    QMetaObject::invokeMethod(this, [this] { Q_EMIT activated({}); }, Qt::QueuedConnection);
    return false;
}
