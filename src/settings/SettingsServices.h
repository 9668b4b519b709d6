#pragma once

#include "LoginItemControl.h"
#include "ShortcutService.h"
#include "SignInService.h"

#include <functional>
#include <memory>

// The desktop services the settings views use, handed over once by the host at start-up.
// The views themselves are created by QML and pick them up here. Until the host sets one,
// a stand-in that does nothing (sign-in: that fails) is used.
class SettingsServices {
public:
    using LoginItemFactory = std::function<std::unique_ptr<LoginItemControl>()>;

    // Not owned; it must outlive every settings view.
    static void setShortcutService(ShortcutService *service);
    static ShortcutService *shortcutService();

    // Each settings view asks for a fresh login item, so it reads the real state when it opens.
    static void setLoginItemFactory(LoginItemFactory factory);
    static std::unique_ptr<LoginItemControl> createLoginItem();

    // Not owned; it must outlive every account view.
    static void setSignInService(SignInService *service);
    static SignInService *signInService();
};
