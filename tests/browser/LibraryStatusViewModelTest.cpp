#include "DataController.h"
#include "LibraryStatusViewModel.h"
#include "ModelContext.h"
#include "Prompt.h"
#include "StoreTestData.h"
#include "TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {
const char *const Refuse = "CREATE TRIGGER refuse BEFORE INSERT ON prompt BEGIN SELECT RAISE(ABORT, 'database or disk is full'); END";
} // namespace

// A change whose save fails stays pending, the line says so and why, and the save is tried
// again by itself until it works; then the line goes.
TEST(LibraryStatus, NotSavedUntilARetrySaves)
{
    const QString dir = TestSupport::freshDir(QStringLiteral("status-unsaved"));
    DataController data({dir + "/library.sqlite", dir, false});
    ASSERT_TRUE(data.setUp());
    ModelContext *ctx = data.mainContext();
    ctx->setAutosaveInterval(10);
    LibraryStatusViewModel status(&data);
    EXPECT_TRUE(status.message().isEmpty());
    EXPECT_FALSE(status.unsaved());

    ASSERT_TRUE(ctx->execute(QString::fromLatin1(Refuse)));
    QSignalSpy changed(&status, &LibraryStatusViewModel::messageChanged);
    QSignalSpy failed(ctx, &ModelContext::saveFailed);
    TestData::addPrompt(*ctx, QStringLiteral("starred in the panel"));
    ASSERT_TRUE(failed.wait(3000));
    EXPECT_TRUE(status.unsaved());
    EXPECT_EQ(status.message(), "Changes not saved: database or disk is full. VORN keeps trying.");
    EXPECT_TRUE(ctx->hasChanges());
    EXPECT_GE(changed.count(), 1);

    // The retry comes after a second or so, not at once and not never.
    QElapsedTimer timer;
    timer.start();
    ASSERT_TRUE(failed.wait(5000));
    EXPECT_GE(timer.elapsed(), 800);
    // The disk has room again: the next retry saves and the line goes.
    ASSERT_TRUE(ctx->execute(QStringLiteral("DROP TRIGGER refuse")));
    QSignalSpy saved(ctx, &ModelContext::saved);
    ASSERT_TRUE(saved.wait(10000));
    EXPECT_FALSE(ctx->hasChanges());
    EXPECT_TRUE(status.message().isEmpty());
    EXPECT_FALSE(status.unsaved());
}

// A store moved aside is told once, with where it went; a store that cannot be opened is told
// instead of an empty library that looks reset; not saved wins over both.
TEST(LibraryStatus, NoticesOfTheStore)
{
    const QString dir = TestSupport::freshDir(QStringLiteral("status-notice"));
    {
        QFile junk(dir + "/library.sqlite");
        ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
        junk.write("not a database at all, but somebody's file\n");
    }
    DataController moved({dir + "/library.sqlite", dir, false});
    ASSERT_TRUE(moved.setUp());
    LibraryStatusViewModel status(&moved);
    const QStringList aside = QDir(dir).entryList({"library.sqlite.corrupt-*"}, QDir::Files);
    ASSERT_EQ(aside.size(), 1);
    EXPECT_TRUE(status.message().startsWith("The library could not be read (")) << status.message().toStdString();
    EXPECT_TRUE(status.message().contains(" was moved to " + dir + "/" + aside.first() + ". VORN started a new library"));
    EXPECT_FALSE(status.unsaved());

    ASSERT_TRUE(moved.mainContext()->execute(QString::fromLatin1(Refuse)));
    TestData::addPrompt(*moved.mainContext(), QStringLiteral("x"));
    EXPECT_FALSE(moved.mainContext()->save());
    EXPECT_TRUE(status.unsaved());
    EXPECT_TRUE(status.message().startsWith("Changes not saved: "));
    ASSERT_TRUE(moved.mainContext()->execute(QStringLiteral("DROP TRIGGER refuse")));
    ASSERT_TRUE(moved.mainContext()->save());
    EXPECT_TRUE(status.message().contains(" was moved to "));
    status.dismiss();
    EXPECT_TRUE(status.message().isEmpty());

    QDir().mkpath(dir + "/folder.sqlite");
    DataController unavailable({dir + "/folder.sqlite", dir, false});
    EXPECT_FALSE(unavailable.setUp());
    LibraryStatusViewModel closed(&unavailable);
    EXPECT_TRUE(closed.message().contains("unable to open database file")) << closed.message().toStdString();
    EXPECT_TRUE(closed.message().contains("Nothing was changed"));
}
