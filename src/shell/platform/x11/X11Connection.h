#pragma once

#include <xcb/xcb.h>

// The X connection of the running Qt xcb platform; null on any other platform (offscreen
// still answers the native interface, but without a display).
namespace X11Connection {
xcb_connection_t *connection();
xcb_window_t rootWindow();
} // namespace X11Connection
