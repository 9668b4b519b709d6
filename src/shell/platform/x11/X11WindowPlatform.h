#pragma once

#include "WindowPlatform.h"

#include <xcb/xcb.h>

#include <optional>

// EWMH hints for the panel: every desktop, and activation through the window manager.
class X11WindowPlatform : public WindowPlatform {
public:
    explicit X11WindowPlatform(xcb_connection_t *connection);

    void setOnAllDesktops(QWindow *window) override;
    void activate(QWindow *window, const QByteArray &activationToken) override;
    // A compositing manager owns the selection _NET_WM_CM_S<screen>.
    bool hasCompositor() const override;
    // Qt's own X11 input context reads the locale's compose table (a few milliseconds) at the
    // first key pressed into a text field: a key that no keyboard sends has it read earlier.
    void prepareTyping(QWindow *window) override;
    bool isTypingPreparation(const QKeyEvent &event) const override;

private:
    xcb_atom_t atom(const char *name) const;
    // The window's _NET_WM_USER_TIME, set by Qt where the window manager looks for it.
    std::optional<xcb_timestamp_t> userTime(xcb_window_t window) const;
    std::optional<uint32_t> cardinal(xcb_window_t window, xcb_atom_t property, xcb_atom_t type) const;

    xcb_connection_t *m_connection;
};
