#include "ModelContext.h"
#include "Prompt.h"
#include "ProcessLock.h"
#include "StoreLog.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {
using TestSupport::writeFile;
// The pid of a process that has just ended.
qint64 deadPid()
{
    QProcess process;
    process.start(QStringLiteral("/bin/true"));
    process.waitForStarted();
    const qint64 pid = process.processId();
    process.waitForFinished();
    return pid;
}
} // namespace

// Whatever a crash leaves behind, the next start takes the lock over and says so once.
TEST(ProcessLock, LeftoversOfACrashAreTakenOverWithOneLine)
{
    const QString dir = TestSupport::freshDir(QStringLiteral("lock-stale"));
    const QString path = dir + "/app.lock";
    struct Case {
        const char *name;
        QByteArray content;
        QString expected;
    };
    const qint64 dead = deadPid();
    const Case cases[] = {
        {"empty", {}, "Took over the empty lock file " + path + " (left by an interrupted start)."},
        {"dead pid", QByteArray::number(dead) + "\nvorn\nhost\n",
         QStringLiteral("Took over the stale lock file %1 (process %2 is gone).").arg(path).arg(dead)},
        {"garbage", "\xff\xfe not a pid", "Took over the unreadable lock file " + path + "."},
    };
    for (const Case &c : cases) {
        writeFile(path, c.content);
        ProcessLock lock(path);
        const ProcessLock::Result result = lock.acquire();
        ASSERT_TRUE(result.ok()) << c.name << ": " << result.message.toStdString();
        EXPECT_EQ(result.takeOver, c.expected) << c.name;
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readLine().trimmed().toLongLong(), qint64(::getpid())) << c.name;
        lock.release();
        EXPECT_FALSE(QFileInfo::exists(path)) << c.name;
    }
}

TEST(ProcessLock, ALiveHolderKeepsItAndIsNamed)
{
    const QString path = TestSupport::freshDir(QStringLiteral("lock-held")) + "/app.lock";
    ProcessLock first(path);
    ASSERT_TRUE(first.acquire().ok());
    EXPECT_TRUE(ProcessLock::isHeld(path));
    ProcessLock second(path);
    const ProcessLock::Result result = second.acquire();
    EXPECT_EQ(result.status, ProcessLock::Status::Held);
    EXPECT_EQ(result.pid, qint64(::getpid()));
    EXPECT_TRUE(result.takeOver.isEmpty());
    first.release();
    EXPECT_FALSE(ProcessLock::isHeld(path));
    EXPECT_TRUE(second.acquire().ok());
}

// A lock file of another user (left by "sudo vorn", say): free when none of their processes
// holds it, otherwise the message names the file, the user and what to do.
TEST(ProcessLock, AnotherUsersLock)
{
    if (::getuid() != 0)
        GTEST_SKIP() << "needs root to make a file of another user";
    const QString path = TestSupport::freshDir(QStringLiteral("lock-other")) + "/app.lock";
    writeFile(path, "4000000\nvorn\n");
    ASSERT_EQ(::chown(path.toLocal8Bit().constData(), 65534, 65534), 0);
    {
        ProcessLock lock(path);
        const ProcessLock::Result result = lock.acquire();
        ASSERT_TRUE(result.ok()) << result.message.toStdString();
        EXPECT_TRUE(result.takeOver.startsWith("Took over the lock file " + path + " left by user "))
            << result.takeOver.toStdString();
    }
    writeFile(path, "4000000\nvorn\n");
    ASSERT_EQ(::chown(path.toLocal8Bit().constData(), 65534, 65534), 0);
    // Held by a process of that user: an open file with a kernel lock on it.
    const int held = ::open(path.toLocal8Bit().constData(), O_RDONLY);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    ProcessLock lock(path);
    const ProcessLock::Result result = lock.acquire();
    ::close(held);
    EXPECT_EQ(result.status, ProcessLock::Status::OtherUser);
    EXPECT_TRUE(result.message.startsWith("The lock file " + path + " belongs to user ")) << result.message.toStdString();
    EXPECT_TRUE(result.message.endsWith("or if none runs, remove the file: rm '" + path + "'")) << result.message.toStdString();
    EXPECT_TRUE(QFileInfo::exists(path));
}

TEST(ProcessLock, ALinkOrFolderInItsPlaceIsRefusedNotFollowed)
{
    const QString dir = TestSupport::freshDir(QStringLiteral("lock-link"));
    writeFile(dir + "/target", "keep");
    ASSERT_TRUE(QFile::link(dir + "/target", dir + "/app.lock"));
    ProcessLock lock(dir + "/app.lock");
    const ProcessLock::Result result = lock.acquire();
    EXPECT_EQ(result.status, ProcessLock::Status::Failed);
    EXPECT_TRUE(result.message.contains("not a regular file")) << result.message.toStdString();
    QFile target(dir + "/target");
    ASSERT_TRUE(target.open(QIODevice::ReadOnly));
    EXPECT_EQ(target.readAll(), QByteArray("keep"));
}

// The store: a stale lock is taken over on open with one log line, and closing the store
// leaves neither the lock nor a journal behind.
TEST(ProcessLock, TheStoreTakesOverAStaleLockAndLeavesNothingBehindOnClose)
{
    const QString dir = TestSupport::freshDir(QStringLiteral("lock-store"));
    const QString path = dir + "/library.sqlite";
    writeFile(path + ".lock", QByteArray());
    QStringList lines;
    StoreLog::Capture capture([&lines](const QString &line) { lines << line; });
    {
        ModelContext ctx;
        ASSERT_TRUE(ctx.open(path).ok());
        EXPECT_EQ(lines, QStringList{"Took over the empty lock file " + path + ".lock (left by an interrupted start)."});
        auto *p = new Prompt;
        p->setTitle(QStringLiteral("kept"));
        ctx.insert(p);
        EXPECT_TRUE(QFileInfo::exists(path + ".lock"));
        ASSERT_TRUE(ctx.closeStore());
        EXPECT_FALSE(ctx.isOpen());
        EXPECT_EQ(ctx.fetch<Prompt>().size(), 1); // still there for the views
        EXPECT_FALSE(QFileInfo::exists(path + ".lock"));
        EXPECT_FALSE(QFileInfo::exists(path + "-wal") && QFileInfo(path + "-wal").size() > 0);
    }
    ModelContext again;
    ASSERT_TRUE(again.open(path).ok());
    EXPECT_EQ(again.fetch<Prompt>().size(), 1);
    EXPECT_EQ(lines.size(), 1);
}
