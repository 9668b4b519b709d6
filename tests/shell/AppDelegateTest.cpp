#include "AppDelegate.h"
#include "DataController.h"
#include "ModelContext.h"
#include "Prompt.h"
#include "UserDefaults.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Quitting right after an edit, before the autosave ran, keeps the edit.
TEST(AppDelegate, WritesPendingEditsAndSettingsAtTermination)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    DataController::setSharedOptions({dir.filePath(QStringLiteral("library.sqlite")), dir.path(), false});
    ASSERT_TRUE(DataController::shared()->setUp(nullptr));
    UserDefaults defaults(dir.filePath(QStringLiteral("vorn.ini")));
    UserDefaults::setStandard(&defaults);

    ModelContext *context = DataController::shared()->mainContext();
    auto *prompt = new Prompt;
    prompt->setTitle(QStringLiteral("Written at quit"));
    context->insert(prompt);
    defaults.setValue(QStringLiteral("lastExpandedCategory"), QStringLiteral("written at quit"));
    ASSERT_TRUE(context->hasChanges());

    AppDelegate().applicationWillTerminate();

    EXPECT_FALSE(context->hasChanges());
    // Read as bytes: another QSettings in this process would see the unwritten value too.
    QFile ini(defaults.filePath());
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    EXPECT_TRUE(ini.readAll().contains("written at quit"));
    DataController::resetShared();
    ModelContext reopened;
    ASSERT_TRUE(reopened.open(dir.filePath(QStringLiteral("library.sqlite"))).ok());
    ASSERT_EQ(reopened.fetch<Prompt>().size(), 1);
    EXPECT_EQ(reopened.fetch<Prompt>().first()->title(), QStringLiteral("Written at quit"));
    UserDefaults::setStandard(nullptr);
}

// A quit whose final save fails says so and is not a clean exit; the store is let go anyway.
TEST(AppDelegate, AFailedFinalSaveIsReported)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("library.sqlite"));
    DataController::setSharedOptions({path, dir.path(), false});
    ASSERT_TRUE(DataController::shared()->setUp(nullptr));
    UserDefaults defaults(dir.filePath(QStringLiteral("vorn.ini")));
    UserDefaults::setStandard(&defaults);
    ModelContext *context = DataController::shared()->mainContext();
    ASSERT_TRUE(context->execute(QStringLiteral(
        "CREATE TRIGGER refuse BEFORE INSERT ON prompt BEGIN SELECT RAISE(ABORT, 'disk I/O error'); END")));
    auto *prompt = new Prompt;
    prompt->setTitle(QStringLiteral("Lost at quit"));
    context->insert(prompt);

    AppDelegate delegate;
    EXPECT_TRUE(delegate.finalSaveSucceeded());
    delegate.applicationWillTerminate();
    EXPECT_FALSE(delegate.finalSaveSucceeded());
    EXPECT_FALSE(QFile::exists(path + QStringLiteral(".lock")));
    DataController::resetShared();
    UserDefaults::setStandard(nullptr);
}
