#pragma once

#include "TrayAvailability.h"

#include <QTimer>

#include <xcb/xcb.h>

// An XEmbed system tray (the _NET_SYSTEM_TRAY_S0 selection has an owner). Checked again every
// second while there is none, and rarely once there is.
class XEmbedTray : public TrayAvailability {
    Q_OBJECT

public:
    explicit XEmbedTray(xcb_connection_t *connection, QObject *parent = nullptr);
    bool isAvailable() const override { return m_available; }

private:
    void check();

    xcb_connection_t *m_connection;
    xcb_atom_t m_selection = XCB_ATOM_NONE;
    QTimer m_poll;
    bool m_available = false;
};
