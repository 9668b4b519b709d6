#include "LaunchAtLoginManager.h"
#include "StoreLog.h"
#include "TestSupport.h"
#include "fakes/FakePlatform.h"
#include "xdg/XdgAutostartEntry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {
using TestSupport::writeFile;

QString readAll(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return QString::fromUtf8(file.readAll());
}

// An autostart folder of its own, with the paths of the current and the earlier entry.
struct Autostart {
    explicit Autostart(const QString &name)
        : folder(TestSupport::freshDir(name) + QStringLiteral("/autostart")),
          entry(folder + QStringLiteral("/" VORN_APP_ID ".desktop")), legacy(folder + QStringLiteral("/vorn.desktop"))
    {
    }
    XdgAutostartEntry make(const QString &executable = QStringLiteral("/usr/bin/vorn")) const
    {
        return XdgAutostartEntry(entry, executable, legacy);
    }
    QString folder, entry, legacy;
};

const QByteArray EarlierEntry = "[Desktop Entry]\nType=Application\nName=VORN\nExec=vorn\nX-GNOME-Autostart-Delay=5\n";
} // namespace

TEST(XdgAutostartEntry, EnableWritesAnEntryForTheBinaryAndDisableRemovesIt)
{
    const Autostart autostart(QStringLiteral("autostart"));
    XdgAutostartEntry entry = autostart.make(QStringLiteral("/opt/my apps/vorn"));
    EXPECT_FALSE(entry.isEnabled());
    QString error;
    ASSERT_TRUE(entry.enable(&error)) << error.toStdString();
    EXPECT_TRUE(entry.isEnabled());
    const QString text = readAll(autostart.entry);
    EXPECT_TRUE(text.contains(QStringLiteral("\nExec=\"/opt/my apps/vorn\"\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("\nTryExec=/opt/my apps/vorn\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("\nX-GNOME-Autostart-Delay=")));
    EXPECT_TRUE(text.contains(QStringLiteral("\nX-KDE-autostart-after=panel\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("\nIcon=" VORN_APP_ID "\n")));
    ASSERT_TRUE(entry.disable(&error));
    EXPECT_FALSE(QFile::exists(autostart.entry));
    EXPECT_TRUE(entry.disable(&error)); // nothing to remove is no failure
}

TEST(XdgAutostartEntry, ByDefaultNamesTheRunningBinaryByItsAbsolutePathUnderTheApplicationId)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                           + QStringLiteral("/autostart");
    QDir(folder).removeRecursively();
    XdgAutostartEntry entry;
    EXPECT_EQ(entry.entryPath(), folder + QStringLiteral("/" VORN_APP_ID ".desktop"));
    QString error;
    ASSERT_TRUE(entry.enable(&error)) << error.toStdString();
    const QString binary = QCoreApplication::applicationFilePath();
    ASSERT_TRUE(QDir::isAbsolutePath(binary));
    const QString text = readAll(entry.entryPath());
    EXPECT_TRUE(text.contains(QStringLiteral("\nExec=") + XdgAutostartEntry::quoteExecArgument(binary) + u'\n'));
    EXPECT_TRUE(text.contains(QStringLiteral("\nTryExec=") + binary + u'\n'));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral(VORN_APP_ID ".desktop")});
    ASSERT_TRUE(entry.disable(&error));

    // A relative name is made absolute: the session starts the entry from its own folder.
    const Autostart autostart(QStringLiteral("autostart-relative"));
    ASSERT_TRUE(autostart.make(QStringLiteral("bin/vorn")).enable(&error));
    EXPECT_TRUE(readAll(autostart.entry).contains(QStringLiteral("\nTryExec=") + QDir::current().absoluteFilePath(
                                                      QStringLiteral("bin/vorn")) + u'\n'));
}

TEST(XdgAutostartEntry, TheWrittenEntryPassesTheDesktopEntryValidator)
{
    const QString validator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (validator.isEmpty())
        GTEST_SKIP() << "desktop-file-validate is not installed";
    const Autostart autostart(QStringLiteral("autostart-valid"));
    QString error;
    for (const QString &binary : {QStringLiteral("/usr/bin/vorn"), QStringLiteral("/opt/my $apps/100%/vorn")}) {
        ASSERT_TRUE(autostart.make(binary).enable(&error));
        QProcess check;
        check.start(validator, {autostart.entry});
        ASSERT_TRUE(check.waitForFinished(30000));
        EXPECT_EQ(check.exitCode(), 0) << binary.toStdString() << ": " << check.readAllStandardOutput().toStdString();
    }
}

TEST(XdgAutostartEntry, EntriesSwitchedOffByTheDesktopCountAsDisabled)
{
    const Autostart autostart(QStringLiteral("autostart-off"));
    // Keys of other groups do not count.
    for (const auto &[tail, enabled] : {std::pair{"X-GNOME-Autostart-enabled=false\n", false},
                                        {"Hidden=true\n", false}, {"[Desktop Action x]\nHidden=true\n", true}}) {
        writeFile(autostart.entry, QByteArray("[Desktop Entry]\nType=Application\nExec=vorn\n") + tail);
        EXPECT_EQ(autostart.make().isEnabled(), enabled) << tail;
    }
}

TEST(XdgAutostartEntry, AnEarlierEntryIsTakenOverOnOrOff)
{
    const Autostart autostart(QStringLiteral("autostart-legacy-on"));
    writeFile(autostart.legacy, EarlierEntry);
    LaunchAtLoginManager manager(std::make_unique<XdgAutostartEntry>(autostart.make()));
    EXPECT_TRUE(manager.isEnabled());
    EXPECT_FALSE(QFile::exists(autostart.legacy));
    const QString taken = readAll(autostart.entry); // naming this binary
    EXPECT_TRUE(taken.contains(QStringLiteral("\nExec=/usr/bin/vorn\n")) && taken.contains("\nTryExec=/usr/bin/vorn\n"));

    // Switching it off removes it, and it stays off.
    manager.toggle();
    EXPECT_FALSE(manager.isEnabled());
    EXPECT_TRUE(QDir(autostart.folder).isEmpty());
    EXPECT_FALSE(autostart.make().isEnabled());

    // One switched off by the desktop is moved as it is, and stays off.
    const Autostart off(QStringLiteral("autostart-legacy-off"));
    const QByteArray switchedOff = "[Desktop Entry]\nType=Application\nName=VORN\nExec=\"/opt/old vorn/vorn\"\n"
                                   "X-GNOME-Autostart-enabled=false\n";
    writeFile(off.legacy, switchedOff);
    LaunchAtLoginManager offManager(std::make_unique<XdgAutostartEntry>(off.make()));
    EXPECT_FALSE(offManager.isEnabled());
    EXPECT_FALSE(QFile::exists(off.legacy));
    EXPECT_EQ(readAll(off.entry).toUtf8(), switchedOff);
    // Switching it on writes the current entry, without the desktop's off switch.
    offManager.toggle();
    EXPECT_TRUE(offManager.isEnabled());
    EXPECT_TRUE(readAll(off.entry).contains(QStringLiteral("X-GNOME-Autostart-enabled=true")));
}

TEST(XdgAutostartEntry, EntriesOfOtherProgramsAndACurrentEntryAreLeftAsTheyAre)
{
    // Another program's "vorn.desktop" is not ours to move or remove.
    const Autostart other(QStringLiteral("autostart-foreign"));
    const QByteArray foreign = "[Desktop Entry]\nType=Application\nName=Vorn sync\nExec=/usr/bin/vorn-sync --daemon\n";
    writeFile(other.legacy, foreign);
    XdgAutostartEntry entry = other.make();
    EXPECT_FALSE(entry.isEnabled());
    QString error;
    ASSERT_TRUE(entry.enable(&error));
    ASSERT_TRUE(entry.disable(&error));
    EXPECT_EQ(readAll(other.legacy).toUtf8(), foreign);

    // Beside a current entry the earlier one is a duplicate that would start a second copy.
    const Autostart both(QStringLiteral("autostart-both"));
    const QByteArray current = "[Desktop Entry]\nType=Application\nExec=/usr/bin/vorn\nHidden=true\n";
    writeFile(both.entry, current);
    writeFile(both.legacy, EarlierEntry);
    EXPECT_FALSE(both.make().isEnabled());
    EXPECT_FALSE(QFile::exists(both.legacy));
    EXPECT_EQ(readAll(both.entry).toUtf8(), current);
}

TEST(XdgAutostartEntry, QuotesExecArgumentsAsDesktopEntriesRequire)
{
    for (const auto &[path, quoted] : {std::pair{"/usr/bin/vorn", "/usr/bin/vorn"}, {"/a b/vorn", "\"/a b/vorn\""},
                                       {"/a$b/vorn", "\"/a\\\\$b/vorn\""}, {"/100%/vorn", "/100%%/vorn"}})
        EXPECT_EQ(XdgAutostartEntry::quoteExecArgument(QString::fromUtf8(path)), QString::fromUtf8(quoted)) << path;
    // And reads the program back out of an Exec line.
    EXPECT_EQ(XdgAutostartEntry::execProgram(QStringLiteral("vorn show")), QStringLiteral("vorn"));
    EXPECT_EQ(XdgAutostartEntry::execProgram(QStringLiteral("\"/a \\$b/vorn\" --x")), QStringLiteral("/a $b/vorn"));
}

namespace {
QStringList toggleLogging(LaunchAtLoginManager &manager)
{
    QStringList lines;
    StoreLog::Capture capture([&lines](const QString &line) { lines.append(line); });
    manager.toggle();
    return lines;
}
} // namespace

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
    const QStringList lines = toggleLogging(manager);
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
    EXPECT_EQ(toggleLogging(manager), QStringList{QStringLiteral("Failed to toggle Launch at Login: not allowed")});
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
