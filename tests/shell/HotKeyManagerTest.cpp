#include "HotKeyManager.h"
#include "HotKeyNotifier.h"
#include "StoreLog.h"
#include "TestSupport.h"
#include "UserDefaults.h"
#include "fakes/FakePlatform.h"
#include "x11/X11HotKeyBackend.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {
struct HotKeyFixture : ::testing::Test {
    HotKeyFixture() : defaults(TestSupport::freshDir(QStringLiteral("hotkey")) + QStringLiteral("/vorn.ini"))
    {
        auto owned = std::make_unique<FakeHotKeyBackend>();
        backend = owned.get();
        manager = std::make_unique<HotKeyManager>(std::move(owned), &defaults);
    }
    UserDefaults defaults;
    FakeHotKeyBackend *backend;
    std::unique_ptr<HotKeyManager> manager;
};
} // namespace

TEST(HotKeyLetter, FollowsTheSettingRules)
{
    const struct {
        std::optional<QString> setting;
        char letter;
    } cases[] = {{std::nullopt, 'P'}, {QString(), 'P'}, {QStringLiteral("k"), 'K'}, {QStringLiteral("ab"), 'A'},
                 {QStringLiteral("1"), 'P'}, {QStringLiteral("é"), 'P'}, {QStringLiteral(" z"), 'P'}};
    for (const auto &c : cases)
        EXPECT_EQ(HotKeyManager::letterForSetting(c.setting), QLatin1Char(c.letter))
            << c.setting.value_or(QStringLiteral("(unset)")).toStdString();
    EXPECT_EQ(HotKeyManager::keyCodeForCharacter(QLatin1Char('z')), QLatin1Char('Z'));
}

TEST_F(HotKeyFixture, RegistersTheConfiguredLetterAndOnlyTheLatest)
{
    manager->registerHotKey();
    ASSERT_EQ(backend->registered, QList<QChar>{QLatin1Char('P')});
    EXPECT_EQ(manager->hotKeyRef(), QLatin1Char('P'));

    defaults.setValue(QStringLiteral("hotkey_char"), QStringLiteral("k"));
    QSignalSpy updated(HotKeyNotifier::shared(), &HotKeyNotifier::hotKeyUpdated);
    manager->reRegisterHotKey();
    EXPECT_EQ(backend->registered, QList<QChar>{QLatin1Char('K')});
    EXPECT_EQ(updated.count(), 1);

    // Two changes in a row leave only the latest, and so does a plain second registration.
    defaults.setValue(QStringLiteral("hotkey_char"), QStringLiteral("a"));
    manager->reRegisterHotKey();
    defaults.setValue(QStringLiteral("hotkey_char"), QStringLiteral("b"));
    manager->reRegisterHotKey();
    manager->registerHotKey();
    EXPECT_EQ(backend->registered, QList<QChar>{QLatin1Char('B')});

    QSignalSpy pressed(manager.get(), &HotKeyManager::pressed);
    backend->press();
    ASSERT_TRUE(pressed.wait(1000));
    EXPECT_EQ(pressed.first().first().toByteArray(), QByteArray("token"));
}

TEST_F(HotKeyFixture, RefusedRegistrationLeavesNothingAndSaysSoOnce)
{
    backend->refuse = true;
    QStringList lines;
    {
        StoreLog::Capture capture([&lines](const QString &line) { lines.append(line); });
        manager->registerHotKey();
    }
    EXPECT_FALSE(manager->hotKeyRef().has_value());
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines.first().contains(QStringLiteral("vorn show")));

    // A later success (the other application let go) registers normally.
    backend->refuse = false;
    manager->reRegisterHotKey();
    EXPECT_EQ(manager->hotKeyRef(), QLatin1Char('P'));
}

TEST(X11HotKeyBackend, GrabsEveryCombinationOfTheMappedLocks)
{
    EXPECT_EQ(X11HotKeyBackend::lockCombinations({}), QList<uint16_t>{0});
    EXPECT_EQ(X11HotKeyBackend::lockCombinations({2, 16}), (QList<uint16_t>{0, 2, 16, 18}));
    EXPECT_EQ(X11HotKeyBackend::lockCombinations({2, 16, 32}).size(), 8);
}
