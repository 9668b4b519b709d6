#pragma once

#include "FileRevealer.h"
#include "HotKeyBackend.h"
#include "LoginItemService.h"
#include "TrayAvailability.h"
#include "WindowPlatform.h"

#include <memory>

// Picks the backends for the platform the app runs on (X11, Wayland with the desktop portal,
// or neither). Tests build the shell parts with fakes instead.
namespace PlatformServices {
std::unique_ptr<HotKeyBackend> createHotKeyBackend();
std::unique_ptr<TrayAvailability> createTrayAvailability();
std::unique_ptr<WindowPlatform> createWindowPlatform();
std::unique_ptr<LoginItemService> createLoginItemService();
std::unique_ptr<FileRevealer> createFileRevealer();
} // namespace PlatformServices
