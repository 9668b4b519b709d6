#include "XEmbedTray.h"

#include <cstdlib>
#include <cstring>

XEmbedTray::XEmbedTray(xcb_connection_t *connection, QObject *parent)
    : TrayAvailability(parent), m_connection(connection)
{
    const char *name = "_NET_SYSTEM_TRAY_S0";
    auto *reply = xcb_intern_atom_reply(
        m_connection, xcb_intern_atom(m_connection, 0, uint16_t(std::strlen(name)), name), nullptr);
    if (reply)
        m_selection = reply->atom;
    std::free(reply);
    connect(&m_poll, &QTimer::timeout, this, &XEmbedTray::check);
    check();
}

void XEmbedTray::check()
{
    bool available = false;
    if (m_selection != XCB_ATOM_NONE) {
        auto *reply = xcb_get_selection_owner_reply(
            m_connection, xcb_get_selection_owner(m_connection, m_selection), nullptr);
        available = reply && reply->owner != XCB_WINDOW_NONE;
        std::free(reply);
    }
    m_poll.start(available ? 10000 : 1000);
    if (available == m_available)
        return;
    m_available = available;
    Q_EMIT availabilityChanged(available);
}
