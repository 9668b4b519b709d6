#pragma once

#include <QUrl>

#include <functional>

// Hands a link (mail, web) to the desktop's handler.
namespace DesktopUrlOpener {
// Through xdg-open when it is installed, else through the desktop services. False when
// nothing could take the link; failed runs later when xdg-open found no program for it
// (its exit status says so). Call it while the window still has the focus: some desktops
// only let a focused application open windows.
bool open(const QUrl &url, const std::function<void()> &failed = {});
} // namespace DesktopUrlOpener
