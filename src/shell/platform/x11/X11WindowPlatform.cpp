#include "X11WindowPlatform.h"

#include "X11Connection.h"

#include <QWindow>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {
constexpr uint32_t AllDesktops = 0xFFFFFFFF;
}

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
