#include "X11WindowPlatform.h"

#include "X11Connection.h"

#include <QKeyEvent>
#include <QWindow>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {
constexpr uint32_t AllDesktops = 0xFFFFFFFF;
// Stands for the kernel's reserved key code 0: no keyboard sends it and no layout maps it.
constexpr xcb_keycode_t UnsentKeycode = 8;
} // namespace

X11WindowPlatform::X11WindowPlatform(xcb_connection_t *connection) : m_connection(connection) {}

xcb_atom_t X11WindowPlatform::atom(const char *name) const
{
    auto *reply = xcb_intern_atom_reply(
        m_connection, xcb_intern_atom(m_connection, 0, uint16_t(std::strlen(name)), name), nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return result;
}

void X11WindowPlatform::setOnAllDesktops(QWindow *window)
{
    const xcb_window_t id = xcb_window_t(window->winId());
    const xcb_atom_t desktop = atom("_NET_WM_DESKTOP");
    if (desktop == XCB_ATOM_NONE)
        return;
    // Before mapping the window manager reads the property; once mapped it wants a request.
    xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, id, desktop, XCB_ATOM_CARDINAL, 32, 1,
                        &AllDesktops);
    if (window->isVisible()) {
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = id;
        message.type = desktop;
        message.data.data32[0] = AllDesktops;
        message.data.data32[1] = 1; // from an application
        xcb_send_event(m_connection, 0, X11Connection::rootWindow(),
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char *>(&message));
    }
    xcb_flush(m_connection);
}

void X11WindowPlatform::activate(QWindow *window, const QByteArray &)
{
    window->raise();
    window->requestActivate();
}

bool X11WindowPlatform::hasCompositor() const
{
    int screen = 0;
    if (const char *display = std::getenv("DISPLAY")) {
        const char *dot = std::strrchr(display, '.');
        const char *colon = std::strrchr(display, ':');
        if (dot && colon && dot > colon)
            screen = std::atoi(dot + 1);
    }
    const std::string name = "_NET_WM_CM_S" + std::to_string(screen);
    const xcb_atom_t selection = atom(name.c_str());
    if (selection == XCB_ATOM_NONE)
        return false;
    auto *reply = xcb_get_selection_owner_reply(
        m_connection, xcb_get_selection_owner(m_connection, selection), nullptr);
    const bool owned = reply && reply->owner != XCB_NONE;
    std::free(reply);
    return owned;
}

std::optional<uint32_t> X11WindowPlatform::cardinal(xcb_window_t window, xcb_atom_t property, xcb_atom_t type) const
{
    if (property == XCB_ATOM_NONE)
        return std::nullopt;
    auto *reply = xcb_get_property_reply(
        m_connection, xcb_get_property(m_connection, 0, window, property, type, 0, 1), nullptr);
    std::optional<uint32_t> value;
    if (reply && reply->format == 32 && xcb_get_property_value_length(reply) >= 4)
        value = *static_cast<const uint32_t *>(xcb_get_property_value(reply));
    std::free(reply);
    return value;
}

std::optional<xcb_timestamp_t> X11WindowPlatform::userTime(xcb_window_t window) const
{
    // Where the window manager supports it, Qt keeps the time on a window of its own.
    const std::optional<uint32_t> timeWindow = cardinal(window, atom("_NET_WM_USER_TIME_WINDOW"), XCB_ATOM_WINDOW);
    const std::optional<uint32_t> time = cardinal(timeWindow.value_or(window), atom("_NET_WM_USER_TIME"), XCB_ATOM_CARDINAL);
    if (!time || *time == 0)
        return std::nullopt;
    return xcb_timestamp_t(*time);
}

void X11WindowPlatform::prepareTyping(QWindow *window)
{
    // An input method of its own (IBus, Fcitx) has no table to read.
    const QByteArray module = qgetenv("QT_IM_MODULE");
    if (!module.isEmpty() && module != "compose")
        return;
    const xcb_window_t id = xcb_window_t(window->winId());
    // The key bears the window's last user time: Qt takes a key's time as the window's user
    // time, by which a window manager decides whether to give it the focus.
    const std::optional<xcb_timestamp_t> time = userTime(id);
    if (!time)
        return;
    xcb_key_press_event_t key{};
    key.response_type = XCB_KEY_PRESS;
    key.detail = UnsentKeycode;
    key.time = *time;
    key.root = X11Connection::rootWindow();
    key.event = id;
    key.child = XCB_NONE;
    key.same_screen = 1;
    // With no event mask the event goes to the window's own client: this program.
    xcb_send_event(m_connection, 0, id, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char *>(&key));
    key.response_type = XCB_KEY_RELEASE;
    xcb_send_event(m_connection, 0, id, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char *>(&key));
    xcb_flush(m_connection);
}

bool X11WindowPlatform::isTypingPreparation(const QKeyEvent &event) const
{
    return event.nativeScanCode() == UnsentKeycode && event.key() == 0;
}
