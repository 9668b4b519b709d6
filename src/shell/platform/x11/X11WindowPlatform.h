#pragma once

#include "WindowPlatform.h"

#include <xcb/xcb.h>

// EWMH hints for the panel: every desktop, and activation through the window manager.
class X11WindowPlatform : public WindowPlatform {
public:
    explicit X11WindowPlatform(xcb_connection_t *connection);

    void setOnAllDesktops(QWindow *window) override;
    void activate(QWindow *window, const QByteArray &activationToken) override;
    // A compositing manager owns the selection _NET_WM_CM_S<screen>.
    bool hasCompositor() const override;

private:
    xcb_atom_t atom(const char *name) const;

    xcb_connection_t *m_connection;
};
