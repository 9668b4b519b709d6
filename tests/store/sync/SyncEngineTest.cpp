#include "ModelContext.h"
#include "Prompt.h"
#include "PromptCategory.h"
#include "PromptSyncService.h"
#include "SeedLibrary.h"
#include "StoreLog.h"
#include "SyncEngine.h"
#include "SyncFolder.h"
#include "TestSupport.h"
#include "UserAttribute.h"
#include "UserDefaults.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <memory>

namespace {
const QString P1 = "A1B2C3D4-0000-4000-8000-000000000001";
const QString P2 = "A1B2C3D4-0000-4000-8000-000000000002";
const QString Mine = "C0FFEE00-0000-4000-8000-0000000000AA";

void settle()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

// One machine: its own settings, store, shipped library and sync, sharing one folder.
struct Device {
    QString dir;
    std::unique_ptr<UserDefaults> defaults;
    std::unique_ptr<ModelContext> context;
    std::unique_ptr<PromptSyncService> shipped;
    std::unique_ptr<SyncEngine> engine;
    qint64 clockOffset = 0;

    Device(const QString &root, const QString &name, const QString &folder)
    {
        dir = root + '/' + name;
        QDir().mkpath(dir);
        defaults = std::make_unique<UserDefaults>(dir + "/vorn.ini");
        defaults->setValue(SyncEngine::FolderKey, folder);
        defaults->setValue(SyncEngine::DeviceNameKey, name);
        context = std::make_unique<ModelContext>();
        context->setAutosaveInterval(-1);
        EXPECT_TRUE(context->open(dir + "/library.sqlite").ok());
        shipped = std::make_unique<PromptSyncService>(defaults.get(), "1");
        const SeedLibrary::Files files = SeedLibrary::load();
        EXPECT_TRUE(files.ok());
        shipped->sync(files.prompts, files.data, context.get(), false);
    }
    ~Device()
    {
        if (engine)
            engine->stop();
        engine.reset();
        context.reset();
    }
    void startSync()
    {
        SyncEngine::Options options;
        options.context = context.get();
        options.defaults = defaults.get();
        options.localDir = dir + "/sync";
        engine = std::make_unique<SyncEngine>(options);
        engine->clock().setPhysicalClock([this] { return QDateTime::currentMSecsSinceEpoch() + clockOffset; });
        engine->start();
        settle();
    }
    // What the user does is saved, written and read back like the app does it.
    void sync()
    {
        EXPECT_TRUE(context->save());
        engine->syncNow();
        settle();
        EXPECT_TRUE(context->save());
        settle();
    }
    Prompt *prompt(const QString &id) const
    {
        for (Prompt *p : context->fetch<Prompt>())
            if (p->idText() == id)
                return p;
        return nullptr;
    }
    void use(const QString &id)
    {
        UserAttribute *a = prompt(id)->ensureAttribute();
        a->setUsageCount(a->usageCount() + 1);
        a->setLastUsedAt(QDateTime::currentDateTimeUtc());
    }
};

class SyncEngineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = TestSupport::freshDir(QString::fromLatin1(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        folder = root + "/Shared";
        QDir().mkpath(folder);
        qputenv("VORN_SEED_DIR", QByteArray(VORN_TEST_SEED_DIR));
        capture = std::make_unique<StoreLog::Capture>([this](const QString &line) {
            if (line.startsWith("Sync: "))
                lines << line;
        });
        laptop = std::make_unique<Device>(root, "laptop", folder);
        desktop = std::make_unique<Device>(root, "desktop", folder);
        laptop->startSync();
        desktop->startSync();
    }
    void TearDown() override
    {
        laptop.reset();
        desktop.reset();
        capture.reset();
        qunsetenv("VORN_SEED_DIR");
    }
    // Both ways, as a sync tool delivers the files.
    void exchange()
    {
        laptop->sync();
        desktop->sync();
        laptop->sync();
    }
    QStringList folderFiles() const { return QDir(folder).entryList(QDir::Files | QDir::Hidden); }

    QString root;
    QString folder;
    QStringList lines;
    std::unique_ptr<StoreLog::Capture> capture;
    std::unique_ptr<Device> laptop;
    std::unique_ptr<Device> desktop;
};
} // namespace

TEST_F(SyncEngineTest, TheSameFieldChangedOnBothEndsAlikeInEitherOrder)
{
    for (const bool laptopFirst : {true, false}) {
        Device *first = laptopFirst ? laptop.get() : desktop.get();
        Device *second = laptopFirst ? desktop.get() : laptop.get();
        // Each changes the title before seeing the other's change.
        first->prompt(P1)->setTitle(laptopFirst ? "laptop, earlier" : "desktop, earlier");
        EXPECT_TRUE(first->context->save());
        QThread::msleep(5);
        second->prompt(P1)->setTitle(laptopFirst ? "desktop, later" : "laptop, later");
        EXPECT_TRUE(second->context->save());
        first->sync();
        second->sync();
        first->sync();
        // The later change wins on both.
        const QString later = laptopFirst ? "desktop, later" : "laptop, later";
        EXPECT_EQ(laptop->prompt(P1)->title(), later);
        EXPECT_EQ(desktop->prompt(P1)->title(), later);
    }
}

TEST_F(SyncEngineTest, UsesMadeOfflineOnBothAddUpAndAResetTravelsAsWhatItCleared)
{
    laptop->use(P1);
    desktop->use(P1);
    laptop->sync();
    desktop->sync();
    laptop->sync();
    EXPECT_EQ(laptop->prompt(P1)->usageCount(), 2);
    EXPECT_EQ(desktop->prompt(P1)->usageCount(), 2);
    // Read again and again: still 2.
    desktop->sync();
    laptop->sync();
    EXPECT_EQ(laptop->prompt(P1)->usageCount(), 2);

    // A reset on the laptop, and a use on the desktop it had not seen yet.
    laptop->prompt(P1)->ensureAttribute()->setFavorite(true);
    exchange();
    UserAttribute *a = laptop->prompt(P1)->ensureAttribute();
    a->setUsageCount(0);
    a->setFavorite(false);
    a->setLastUsedAt({});
    desktop->use(P1);
    laptop->sync();
    desktop->sync();
    laptop->sync();
    EXPECT_EQ(laptop->prompt(P1)->usageCount(), 1);
    EXPECT_EQ(desktop->prompt(P1)->usageCount(), 1);
    EXPECT_FALSE(desktop->prompt(P1)->isFavorite());
}

TEST_F(SyncEngineTest, AnAdministratorsPromptTravelsAndItsDeletionStaysUnlessANewerEdit)
{
    auto *prompt = new Prompt;
    prompt->setId(QUuid::fromString(Mine));
    prompt->setTitle("My own");
    prompt->setTemplateText("Write {{topic}}");
    prompt->setCategories({laptop->context->fetch<PromptCategory>().first()});
    laptop->context->insert(prompt);
    exchange();
    ASSERT_NE(desktop->prompt(Mine), nullptr);
    EXPECT_EQ(desktop->prompt(Mine)->templateText(), "Write {{topic}}");
    ASSERT_EQ(desktop->prompt(Mine)->categories().size(), 1);
    EXPECT_EQ(desktop->prompt(Mine)->categories().first()->idText(),
              laptop->context->fetch<PromptCategory>().first()->idText());

    // The desktop edits it offline; the laptop deletes it later.
    desktop->prompt(Mine)->setTitle("Edited before the deletion");
    EXPECT_TRUE(desktop->context->save());
    QThread::msleep(5);
    laptop->context->remove(laptop->prompt(Mine));
    laptop->sync();
    desktop->sync();
    laptop->sync();
    EXPECT_EQ(laptop->prompt(Mine), nullptr);
    EXPECT_EQ(desktop->prompt(Mine), nullptr);

    // A shipped prompt deleted on one device and edited later on the other comes back whole.
    laptop->context->remove(laptop->prompt(P2));
    laptop->sync();
    QThread::msleep(5);
    desktop->prompt(P2)->setTitle("Still wanted");
    desktop->sync();
    EXPECT_NE(desktop->prompt(P2), nullptr);
    laptop->sync();
    ASSERT_NE(laptop->prompt(P2), nullptr);
    EXPECT_EQ(laptop->prompt(P2)->title(), "Still wanted");
    EXPECT_EQ(laptop->prompt(P2)->templateText(), desktop->prompt(P2)->templateText());
    EXPECT_FALSE(laptop->prompt(P2)->templateText().isEmpty());
}

TEST_F(SyncEngineTest, AClockHoursAheadDoesNotFreezeTheOthersOut)
{
    desktop->clockOffset = 5LL * 3600 * 1000;
    desktop->prompt(P1)->ensureAttribute()->setFavorite(true);
    desktop->sync();
    laptop->sync();
    EXPECT_TRUE(laptop->prompt(P1)->isFavorite());
    // The laptop's clock is behind, yet its later change wins.
    laptop->prompt(P1)->ensureAttribute()->setFavorite(false);
    laptop->sync();
    desktop->sync();
    EXPECT_FALSE(desktop->prompt(P1)->isFavorite());
    EXPECT_FALSE(laptop->prompt(P1)->isFavorite());

    // Days ahead: held back with one line, applied nothing.
    desktop->clockOffset = 5LL * 24 * 3600 * 1000;
    desktop->prompt(P2)->ensureAttribute()->setFavorite(true);
    desktop->sync();
    laptop->sync();
    EXPECT_FALSE(laptop->prompt(P2)->isFavorite());
    EXPECT_TRUE(lines.join('\n').contains("48 hours ahead")) << qPrintable(lines.join('\n'));
}

// What the user changed travels: remembered values, tag suffixes, a title edited by hand; the
// other settings and the shipped library's own synchronisation do not.
TEST_F(SyncEngineTest, TheUsersChangesTravelOtherSettingsAndTheShippedLibrarysSyncDoNot)
{
    exchange();
    QFile journal(folder + '/' + SyncFolder::journalName(laptop->engine->status().deviceId));
    if (journal.open(QIODevice::ReadOnly)) {
        const QByteArray text = journal.readAll();
        EXPECT_FALSE(text.contains("\"e\":\"prompt\"")) << text.constData();
        EXPECT_FALSE(text.contains("\"e\":\"category\""));
    }
    laptop->defaults->setValue(P1 + "-Topic", "sync engines");
    laptop->defaults->setValue("tag_image_suffix", "--ar 16:9");
    laptop->defaults->setValue("hotkey_char", "K");
    laptop->defaults->setValue("isAdminMode", true);
    settle();
    laptop->prompt(P1)->setTitle("Changed by hand");
    laptop->sync();
    // A forced resynchronisation rewrites shipped content; still nothing for the folder.
    const SeedLibrary::Files files = SeedLibrary::load();
    laptop->shipped->sync(files.prompts, files.data, laptop->context.get(), true);
    laptop->sync();
    desktop->sync();
    EXPECT_EQ(desktop->prompt(P1)->title(), "Changed by hand");
    EXPECT_EQ(desktop->defaults->string(P1 + "-Topic"), "sync engines");
    EXPECT_EQ(desktop->defaults->string("tag_image_suffix"), "--ar 16:9");
    EXPECT_FALSE(desktop->defaults->contains("hotkey_char"));
    EXPECT_FALSE(desktop->defaults->contains("isAdminMode"));
}

TEST_F(SyncEngineTest, GarbageConflictCopiesAndTemporaryFilesInTheFolderAreSkipped)
{
    laptop->prompt(P1)->ensureAttribute()->setFavorite(true);
    laptop->sync();
    const QString laptopFile = SyncFolder::journalName(laptop->engine->status().deviceId);
    const QString stranger = "vorn-0badf00d-0000-4000-8000-000000000000.journal";
    auto write = [this](const QString &name, const QByteArray &bytes) {
        QFile file(folder + '/' + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    write(stranger, QByteArray("\x89PNG garbage\n", 13));
    QFile::copy(folder + '/' + laptopFile, folder + "/vorn-x.sync-conflict-20261207-120000-ABCDEF.journal");
    write(".syncthing." + laptopFile + ".tmp", "half a fi");
    write("~" + laptopFile, "{\"format\":\"vorn-sync\"");
    desktop->sync();
    desktop->sync();
    EXPECT_TRUE(desktop->prompt(P1)->isFavorite());
    EXPECT_EQ(lines.size(), 1) << qPrintable(lines.join('\n'));
    EXPECT_TRUE(lines.value(0).contains(stranger));
    // The store is whole and the other device is listed with what was wrong.
    EXPECT_TRUE(desktop->context->execute("PRAGMA integrity_check"));
    bool listed = false;
    for (const SyncEngine::Device &d : desktop->engine->status().devices)
        listed = listed || (d.id.startsWith("0badf00d") && !d.problem.isEmpty());
    EXPECT_TRUE(listed);
}

TEST_F(SyncEngineTest, ADeviceThatJoinsLateBringsWhatItHadAndTakesWhatTheFolderKnows)
{
    laptop->prompt(P1)->ensureAttribute()->setFavorite(true);
    laptop->use(P2);
    laptop->sync();
    // A third machine, used for a while without sync.
    Device late(root, "late", folder);
    late.prompt(P2)->ensureAttribute()->setFavorite(true);
    late.use(P2);
    late.use(P2);
    late.defaults->setValue(P2 + "-Language", "Rust");
    EXPECT_TRUE(late.context->save());
    late.startSync();
    late.sync();
    laptop->sync();
    EXPECT_TRUE(late.prompt(P1)->isFavorite());
    EXPECT_TRUE(laptop->prompt(P2)->isFavorite());
    EXPECT_EQ(laptop->prompt(P2)->usageCount(), 3);
    EXPECT_EQ(late.prompt(P2)->usageCount(), 3);
    EXPECT_EQ(laptop->defaults->string(P2 + "-Language"), "Rust");
}

TEST_F(SyncEngineTest, AFavouriteAndAHiddenPromptArriveAlsoAfterARestart)
{
    laptop->prompt(P1)->ensureAttribute()->setFavorite(true);
    laptop->prompt(P2)->ensureAttribute()->setHidden(true);
    laptop->sync();
    QSignalSpy favourite(desktop->prompt(P1), &Prompt::isFavoriteChanged);
    desktop->sync();
    EXPECT_TRUE(desktop->prompt(P1)->isFavorite());
    EXPECT_TRUE(desktop->prompt(P2)->isHidden());
    EXPECT_FALSE(desktop->prompt(P2)->isFavorite());
    EXPECT_GE(favourite.count(), 1) << "the views are told";
    EXPECT_EQ(folderFiles().size(), 2) << "each device writes only its own file: " << qPrintable(folderFiles().join(' '));
    EXPECT_TRUE(lines.isEmpty()) << qPrintable(lines.join('\n'));

    // Restart the desktop; meanwhile the laptop shows the prompt again and makes it a favourite.
    exchange();
    desktop->engine->stop();
    desktop->engine.reset();
    laptop->prompt(P2)->ensureAttribute()->setHidden(false);
    laptop->prompt(P2)->ensureAttribute()->setFavorite(true);
    laptop->sync();
    desktop->startSync();
    desktop->sync();
    EXPECT_FALSE(desktop->prompt(P2)->isHidden());
    EXPECT_TRUE(desktop->prompt(P2)->isFavorite());
    EXPECT_TRUE(desktop->prompt(P1)->isFavorite());
    ASSERT_EQ(desktop->engine->status().devices.size(), 1);
    EXPECT_EQ(desktop->engine->status().devices.value(0).name, "laptop");
    EXPECT_GE(desktop->engine->status().devices.value(0).applied, 2);
}
