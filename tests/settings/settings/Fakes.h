#pragma once

#include "LoginItemControl.h"
#include "ShortcutService.h"
#include "StoreLog.h"
#include "UserDefaults.h"

#include <QStringList>

// Records the shortcut calls, with the letter stored at the time of each re-registration.
class FakeShortcutService : public ShortcutService {
public:
    explicit FakeShortcutService(UserDefaults *defaults) : m_defaults(defaults) {}

    void reRegister() override
    {
        calls << QStringLiteral("register ") + m_defaults->string(QStringLiteral("hotkey_char"));
    }
    void postHotKeyUpdated() override { calls << QStringLiteral("HotKeyUpdated"); }
    QString portalHint() const override { return hint; }

    QStringList calls;
    QString hint;

private:
    UserDefaults *m_defaults;
};

// A login item that can be told to fail; like the real one it logs and keeps the real state.
class FakeLoginItem : public LoginItemControl {
public:
    bool isEnabled() const override { return enabled; }
    void toggle() override
    {
        ++toggles;
        if (fail) {
            StoreLog::line(QStringLiteral("Failed to toggle Launch at Login: denied"));
            return;
        }
        enabled = !enabled;
    }

    bool enabled = false;
    bool fail = false;
    int toggles = 0;
};
