#pragma once

#include "JournalCodec.h"
#include "LoginItemControl.h"
#include "ModelContext.h"
#include "SettingsViewModel.h"
#include "ShortcutService.h"
#include "StoreLog.h"
#include "SyncFolder.h"
#include "TestSupport.h"
#include "UserDefaults.h"

#include <QDir>
#include <QStringList>

#include <gtest/gtest.h>

#include <memory>

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

// An in-memory store, the test's own defaults file and the fakes, for a settings view-model.
class SettingsFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ctx.open(ModelContext::InMemory).ok());
        dir = TestSupport::freshDir(
            QString::fromLatin1(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        defaults = std::make_unique<UserDefaults>(dir + QStringLiteral("/vorn.ini"));
        shortcuts = std::make_unique<FakeShortcutService>(defaults.get());
    }

    std::unique_ptr<SettingsViewModel> make(FakeLoginItem **login = nullptr,
                                            DataController *data = nullptr,
                                            ModelContext *context = nullptr)
    {
        auto item = std::make_unique<FakeLoginItem>();
        if (login)
            *login = item.get();
        SettingsViewModel::Services services;
        services.shortcuts = shortcuts.get();
        services.loginItem = std::move(item);
        services.data = data;
        return std::make_unique<SettingsViewModel>(context ? context : &ctx, defaults.get(),
                                                   std::move(services));
    }

    ModelContext ctx;
    QString dir;
    std::unique_ptr<UserDefaults> defaults;
    std::unique_ptr<FakeShortcutService> shortcuts;
};

// Another device's journal in the sync folder, as the sync tool delivers it: one favourite.
inline bool deliverJournal(const QString &folder, const QString &device, const QString &name, qint64 wall)
{
    SyncJournal journal;
    journal.device = device;
    journal.name = name;
    journal.written = wall;
    journal.records.append({{wall, 0, device}, QStringLiteral("attr"),
                            QStringLiteral("A1B2C3D4-0000-4000-8000-000000000001"), QStringLiteral("favorite"), true});
    QString error;
    return SyncFolder::writeAtomically(QDir(folder).filePath(SyncFolder::journalName(device)),
                                       JournalCodec::encode(journal), &error);
}
