#pragma once

#include <QString>

// What the settings need from the global shortcut: the desktop shell implements it and
// hands it over through SettingsServices.
class ShortcutService {
public:
    virtual ~ShortcutService() = default;

    // Drops the registered shortcut and registers the letter now stored under "hotkey_char".
    virtual void reRegister() = 0;
    // Posts "HotKeyUpdated", so the tray menu shows the new letter.
    virtual void postHotKeyUpdated() = 0;
    // Where the desktop, not the program, owns the binding (the desktop portal): one sentence
    // telling the user where to change it. Empty otherwise.
    virtual QString portalHint() const = 0;
};
