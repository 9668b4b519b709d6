#pragma once

#include <QUrl>

// Hands a link (mail, web) to the desktop's handler.
namespace DesktopUrlOpener {
// Through the desktop services, falling back to xdg-open when they refuse. Call it while the
// window still has the focus: some desktops only let a focused application open windows.
bool open(const QUrl &url);
} // namespace DesktopUrlOpener
