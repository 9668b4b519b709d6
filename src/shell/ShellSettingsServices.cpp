#include "ShellSettingsServices.h"

#include "HotKeyManager.h"
#include "HotKeyNotifier.h"
#include "LaunchAtLoginManager.h"
#include "SettingsServices.h"

#include <QCoreApplication>

void ShellShortcutService::reRegister()
{
    // Registering drops the current shortcut first, so at most one is ever held.
    HotKeyManager::shared()->registerHotKey();
}

void ShellShortcutService::postHotKeyUpdated()
{
    Q_EMIT HotKeyNotifier::shared()->hotKeyUpdated();
}

QString ShellShortcutService::portalHint() const
{
    const HotKeyBackend *backend = HotKeyManager::shared()->backend();
    if (!backend || backend->name() != QLatin1String("portal"))
        return {};
    //: Under the shortcut setting when the desktop's portal binds the shortcut. Name the
    //: desktop's own settings pages as they are called in the language.
    return QCoreApplication::translate("ShellShortcutService",
                                       "Your desktop owns this shortcut: change it in its keyboard settings "
                                       "(for example Settings → Keyboard → Shortcuts → VORN).");
}

namespace ShellSettingsServices {
void install()
{
    static ShellShortcutService shortcuts;
    SettingsServices::setShortcutService(&shortcuts);
    SettingsServices::setLoginItemFactory([] { return std::make_unique<LaunchAtLoginManager>(); });
}
} // namespace ShellSettingsServices
