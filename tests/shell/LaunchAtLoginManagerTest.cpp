#include "LaunchAtLoginManager.h"
#include "StoreLog.h"
#include "TestSupport.h"
#include "fakes/FakePlatform.h"
#include "xdg/XdgAutostartEntry.h"

#include <QFile>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {
QString readAll(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return QString::fromUtf8(file.readAll());
}
} // namespace

TEST(XdgAutostartEntry, EnableWritesAnEntryForTheBinaryAndDisableRemovesIt)
{
    const QString path = TestSupport::freshDir(QStringLiteral("autostart")) + QStringLiteral("/autostart/vorn.desktop");
    XdgAutostartEntry entry(path, QStringLiteral("/opt/my apps/vorn"));
    EXPECT_FALSE(entry.isEnabled());
    QString error;
    ASSERT_TRUE(entry.enable(&error)) << error.toStdString();
    EXPECT_TRUE(entry.isEnabled());
    const QString text = readAll(path);
    EXPECT_TRUE(text.contains(QStringLiteral("Exec=\"/opt/my apps/vorn\"\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("X-GNOME-Autostart-Delay=")));
    ASSERT_TRUE(entry.disable(&error));
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(entry.disable(&error)); // nothing to remove is no failure
}

TEST(XdgAutostartEntry, EntriesSwitchedOffByTheDesktopCountAsDisabled)
{
    const QString path = TestSupport::freshDir(QStringLiteral("autostart-off")) + QStringLiteral("/vorn.desktop");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Desktop Entry]\nType=Application\nExec=vorn\nX-GNOME-Autostart-enabled=false\n");
    file.close();
    EXPECT_FALSE(XdgAutostartEntry(path, QStringLiteral("vorn")).isEnabled());
}

TEST(XdgAutostartEntry, QuotesExecArgumentsAsDesktopEntriesRequire)
{
    EXPECT_EQ(XdgAutostartEntry::quoteExecArgument(QStringLiteral("/usr/bin/vorn")), QStringLiteral("/usr/bin/vorn"));
    EXPECT_EQ(XdgAutostartEntry::quoteExecArgument(QStringLiteral("/a b/vorn")), QStringLiteral("\"/a b/vorn\""));
    EXPECT_EQ(XdgAutostartEntry::quoteExecArgument(QStringLiteral("/a$b/vorn")), QStringLiteral("\"/a\\\\$b/vorn\""));
    EXPECT_EQ(XdgAutostartEntry::quoteExecArgument(QStringLiteral("/100%/vorn")), QStringLiteral("/100%%/vorn"));
}

TEST(LaunchAtLoginManager, ToggleFailureOnAnUnwritableFolderLogsAndSnapsBack)
{
    // A regular file where the folder should be: not even root can create the entry there.
    const QString dir = TestSupport::freshDir(QStringLiteral("autostart-blocked"));
    QFile blocker(dir + QStringLiteral("/autostart"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    LaunchAtLoginManager manager(std::make_unique<XdgAutostartEntry>(dir + QStringLiteral("/autostart/vorn.desktop"),
                                                                     QStringLiteral("/usr/bin/vorn")));
    EXPECT_FALSE(manager.isEnabled());
    QStringList lines;
    {
        StoreLog::Capture capture([&lines](const QString &line) { lines.append(line); });
        manager.toggle();
    }
    EXPECT_FALSE(manager.isEnabled());
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines.first().startsWith(QStringLiteral("Failed to toggle Launch at Login: ")));
}

TEST(LaunchAtLoginManager, FollowsTheServiceAndRereadsItAfterAFailure)
{
    auto owned = std::make_unique<FakeLoginItem>();
    FakeLoginItem *service = owned.get();
    service->enabled = true;
    LaunchAtLoginManager manager(std::move(owned));
    EXPECT_TRUE(manager.isEnabled());
    QSignalSpy changed(&manager, &LaunchAtLoginManager::isEnabledChanged);

    service->fail = true;
    QStringList lines;
    {
        StoreLog::Capture capture([&lines](const QString &line) { lines.append(line); });
        manager.toggle();
    }
    EXPECT_EQ(lines, QStringList{QStringLiteral("Failed to toggle Launch at Login: not allowed")});
    EXPECT_TRUE(manager.isEnabled()); // still registered, as the service says
    EXPECT_EQ(changed.count(), 0);

    service->fail = false;
    manager.toggle();
    EXPECT_FALSE(manager.isEnabled());
    EXPECT_FALSE(service->enabled);
    manager.toggle();
    EXPECT_TRUE(manager.isEnabled());
    EXPECT_EQ(changed.count(), 2);
}
