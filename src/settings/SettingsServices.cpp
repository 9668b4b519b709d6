#include "SettingsServices.h"

#include "UnavailableSignInService.h"

namespace {
class NoShortcut : public ShortcutService {
public:
    void reRegister() override {}
    void postHotKeyUpdated() override {}
    QString portalHint() const override { return {}; }
};

class NoLoginItem : public LoginItemControl {
public:
    bool isEnabled() const override { return false; }
    void toggle() override {}
};

struct Registry {
    ShortcutService *shortcuts = nullptr;
    SettingsServices::LoginItemFactory loginItems;
    SignInService *signIn = nullptr;
};

Registry &registry()
{
    static Registry instance;
    return instance;
}
} // namespace

void SettingsServices::setShortcutService(ShortcutService *service)
{
    registry().shortcuts = service;
}

ShortcutService *SettingsServices::shortcutService()
{
    static NoShortcut none;
    return registry().shortcuts ? registry().shortcuts : &none;
}

void SettingsServices::setLoginItemFactory(LoginItemFactory factory)
{
    registry().loginItems = std::move(factory);
}

std::unique_ptr<LoginItemControl> SettingsServices::createLoginItem()
{
    if (registry().loginItems)
        if (auto item = registry().loginItems())
            return item;
    return std::make_unique<NoLoginItem>();
}

void SettingsServices::setSignInService(SignInService *service)
{
    registry().signIn = service;
}

SignInService *SettingsServices::signInService()
{
    static UnavailableSignInService unavailable;
    return registry().signIn ? registry().signIn : &unavailable;
}
