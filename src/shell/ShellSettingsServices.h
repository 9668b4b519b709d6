#pragma once

#include "LoginItemControl.h"
#include "ShortcutService.h"

// Hands the shell's shortcut and login item to the settings views.
class ShellShortcutService : public ShortcutService {
public:
    void reRegister() override;
    void postHotKeyUpdated() override;
    QString portalHint() const override;
};

namespace ShellSettingsServices {
// Installs the shell's services for every settings view of this process.
void install();
}
