#include "ControllerFixture.h"
#include "DataController.h"
#include "Prompt.h"
#include "PromptCategory.h"
#include "PromptSyncService.h"
#include "PromptTag.h"
#include "SeedRecords.h"
#include "SqliteDatabase.h"
#include "StoreLog.h"
#include "TestSupport.h"
#include "UserAttribute.h"
#include "UserDefaults.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QThread>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>

namespace {
const QString P1 = "A1B2C3D4-0000-4000-8000-000000000001";

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

TEST_F(Controller, ExportWritesTheExactPromptsLayout)
{
    options.inMemory = true;
    DataController &dc = make();
    ASSERT_TRUE(dc.setUp());
    auto *category = new PromptCategory;
    category->setId(QUuid("11111111-1111-4111-8111-111111111111"));
    auto *tag = new PromptTag;
    tag->setName("text");
    auto *first = new Prompt;
    first->setId(QUuid(P1));
    first->setTitle("Ask \"why\" / how");
    first->setPromptDescription("Café");
    first->setTemplateText("Line 1\n{{Name}}\t</b>");
    first->setCreatedAt(QDateTime(QDate(2025, 1, 2), QTime(23, 30)));
    first->setUpdatedAt(QDateTime(QDate(2025, 1, 3), QTime(0, 0)));
    first->setHot(true);
    first->setCategories({category});
    first->setTags({tag});
    context().insert(first);
    auto *second = new Prompt;
    second->setId(QUuid("a1b2c3d4-0000-4000-8000-00000000000f"));
    second->setTitle("Bare");
    second->setCreatedAt(QDateTime(QDate(2024, 12, 31), QTime(0, 0)));
    second->setUpdatedAt(QDateTime(QDate(2024, 12, 31), QTime(0, 0)));
    second->setActive(false);
    context().insert(second);
    // Saved, the templates are in the store only: the export reads them from there.
    ASSERT_TRUE(context().save());

    QStringList revealed;
    dc.setRevealer([&](const QString &path) { revealed << path; });
    const QString path = dc.exportData({}, true);
    EXPECT_EQ(path, options.documentsDir + "/prompts.json");
    EXPECT_EQ(revealed, QStringList{path});
    EXPECT_EQ(lines, (QStringList{"Starting data export...", "✅ Export Successful!", "Prompts: " + path}));

    const QString today = QDate::currentDate().toString("yyyy-MM-dd");
    const QString expected = QString::fromUtf8(R"({
    "metadata": {
        "author": "Full Export",
        "last_updated": "%1",
        "version": "1.7"
    },
    "prompts": [
        {
            "active": true,
            "categories": [
                "11111111-1111-4111-8111-111111111111"
            ],
            "created": "2025-01-02",
            "description": "Café",
            "hot": true,
            "id": "A1B2C3D4-0000-4000-8000-000000000001",
            "tags": [
                "text"
            ],
            "template": "Line 1\n{{Name}}\t</b>",
            "title": "Ask \"why\" / how",
            "updated": "2025-01-03"
        },
        {
            "active": false,
            "categories": [
            ],
            "created": "2024-12-31",
            "description": "",
            "hot": false,
            "id": "A1B2C3D4-0000-4000-8000-00000000000F",
            "tags": [
            ],
            "template": "",
            "title": "Bare",
            "updated": "2024-12-31"
        }
    ]
}
)").arg(today);
    EXPECT_EQ(QString::fromUtf8(readFile(path)).toStdString(), expected.toStdString());

    // A second export replaces the file; without reveal the file manager is left alone.
    context().remove(second);
    revealed.clear();
    EXPECT_EQ(dc.exportData(), path);
    EXPECT_TRUE(revealed.isEmpty());
    const auto back = PromptsRoot::decode(readFile(path));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->prompts.size(), 1);
}

TEST_F(Controller, ExportOfAnEmptyLibraryAndBackupNames)
{
    options.inMemory = true;
    DataController &dc = make();
    ASSERT_TRUE(dc.setUp());
    ASSERT_FALSE(QDir(options.documentsDir).exists());
    const QString path = dc.exportData();
    const auto root = PromptsRoot::decode(readFile(path));
    ASSERT_TRUE(root);
    EXPECT_TRUE(root->prompts.isEmpty());
    ASSERT_TRUE(root->metadata);
    EXPECT_EQ(root->metadata->author, "Full Export");

    lines.clear();
    dc.createBackup();
    ASSERT_EQ(documents().size(), 2);
    const QString backup = documents().first();
    EXPECT_TRUE(QRegularExpression(R"(^Backup_\d{4}-\d\d-\d\d \d\d-\d\d-\d\d prompts\.json$)").match(backup).hasMatch())
        << backup.toStdString();
    EXPECT_EQ(lines.last(), "✅ Backup created: " + backup.chopped(QStringLiteral("prompts.json").size()) + "...");
}

TEST_F(Controller, OnlyTheNewestTwentyAutomaticBackupsAreKept)
{
    options.inMemory = true;
    DataController &dc = make();
    ASSERT_TRUE(dc.setUp());
    QDir().mkpath(options.documentsDir);
    // Older backups from earlier days, the user's own export and files that only look alike.
    QStringList old;
    for (int day = 1; day <= 25; ++day)
        old << QStringLiteral("Backup_2025-01-%1 10-00-00 prompts.json").arg(day, 2, 10, QLatin1Char('0'));
    const QStringList others{QStringLiteral("prompts.json"), QStringLiteral("Backup_notes.txt"),
                             QStringLiteral("Backup_2025-01-01 10-00-00 prompts.json.bak")};
    for (const QString &name : old + others)
        writeFile(options.documentsDir + QLatin1Char('/') + name, "{}");

    ASSERT_TRUE(dc.createBackup().ok);
    const QStringList left = documents();
    for (const QString &name : others)
        EXPECT_TRUE(left.contains(name)) << name.toStdString();
    QStringList backups = left;
    for (const QString &name : others)
        backups.removeAll(name);
    ASSERT_EQ(backups.size(), DataController::KeptBackups);
    // The six oldest went; today's new one is among those kept.
    EXPECT_EQ(backups.first(), old.at(6));
    EXPECT_FALSE(backups.last().startsWith(QStringLiteral("Backup_2025-01-")));
}

TEST_F(Controller, UnreadableStoreIsMovedAsideAndTheLibraryLoadedAgain)
{
    QDir().mkpath(dir + "/data");
    const QByteArray junk = "this is not a database, but it might be somebody's data\n";
    writeFile(options.storePath, junk);
    DataController &dc = make();
    QString error;
    ASSERT_TRUE(dc.setUp(&error)) << error.toStdString();

    const QStringList moved = QDir(dir + "/data").entryList({"library.sqlite.corrupt-*"}, QDir::Files, QDir::Name);
    ASSERT_EQ(moved.size(), 1) << QDir(dir + "/data").entryList(QDir::Files).join(", ").toStdString();
    EXPECT_TRUE(QRegularExpression(R"(^library\.sqlite\.corrupt-\d{4}-\d\d-\d\dT\d\d-\d\d-\d\d$)").match(moved.at(0)).hasMatch());
    EXPECT_EQ(readFile(dir + "/data/" + moved.at(0)), junk);

    ASSERT_GE(lines.size(), 3);
    EXPECT_TRUE(lines.at(0).startsWith("ModelContainer creation failed. Attempting to reset store... Error: "));
    EXPECT_EQ(lines.at(1), "The unreadable store was moved to " + dir + "/data/" + moved.at(0));
    EXPECT_EQ(lines.last(), "Store successfully reset.");
    EXPECT_EQ(context().count<Prompt>(), 2);
    EXPECT_EQ(context().count<PromptCategory>(), 2);

    // The fresh store holds the library after a restart.
    controller.reset();
    DataController &again = make();
    ASSERT_TRUE(again.setUp());
    EXPECT_EQ(context().count<Prompt>(), 2);
}

// Only a file that is damaged or not a VORN library is moved aside, and the panel's notice
// names where it went.
TEST_F(Controller, OnlyADamagedOrForeignFileIsMovedAside)
{
    const QString path = options.storePath;
    auto foreign = [&path](const char *sql) {
        SqliteDatabase db;
        ASSERT_TRUE(db.open(path, nullptr));
        ASSERT_TRUE(db.exec(QString::fromLatin1(sql)));
    };
    auto damaged = [&path] {
        {
            ModelContext ctx;
            ASSERT_TRUE(ctx.open(path).ok());
            for (int i = 0; i < 300; ++i) {
                auto *p = new Prompt;
                p->setTitle(QStringLiteral("p%1").arg(i));
                p->setTemplateText(QString(500, QLatin1Char('t')));
                ctx.insert(p);
            }
            ASSERT_TRUE(ctx.closeStore());
        }
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_GT(file.size(), 40000);
        file.seek(8192);
        file.write(QByteArray(20000, '\x55'));
    };
    const std::pair<const char *, std::function<void()>> cases[] = {
        {"foreign tables", [&] { foreign("CREATE TABLE notes(body TEXT)"); }},
        {"foreign tables of our version", [&] { foreign("CREATE TABLE notes(body TEXT); PRAGMA user_version = 1"); }},
        {"damaged pages", damaged},
    };
    for (const auto &[name, make] : cases) {
        QDir(dir + "/data").removeRecursively();
        QDir().mkpath(dir + "/data");
        make();
        lines.clear();
        DataController &dc = this->make();
        QString error;
        ASSERT_TRUE(dc.setUp(&error)) << name << ": " << error.toStdString();
        const QStringList moved = QDir(dir + "/data").entryList({"library.sqlite.corrupt-*"}, QDir::Files);
        ASSERT_EQ(moved.size(), 1) << name;
        EXPECT_TRUE(lines.contains("Store successfully reset.")) << name;
        EXPECT_TRUE(dc.notice().contains(" was moved to " + dir + "/data/" + moved.first() + ". ")) << name << ": "
            << dc.notice().toStdString();
        dc.dismissNotice();
        EXPECT_TRUE(dc.notice().isEmpty());
        controller.reset();
    }
}

// Busy, not openable, locked: the file is left exactly as it was and the reason is kept for
// the panel.
TEST_F(Controller, AStoreThatIsOnlyUnavailableIsLeftAlone)
{
    QDir().mkpath(dir + "/data");
    {
        ModelContext ctx;
        ASSERT_TRUE(ctx.open(options.storePath).ok());
        auto *p = new Prompt;
        p->setTitle(QStringLiteral("mine"));
        ctx.insert(p);
        ASSERT_TRUE(ctx.closeStore());
    }
    const QByteArray before = readFile(options.storePath);
    options.lockWaitMs = 300;

    // Another VORN process holds the store: opening waits a moment, with one line, then gives up.
    {
        ModelContext other;
        ASSERT_TRUE(other.open(options.storePath).ok());
        DataController &dc = make();
        QString error;
        EXPECT_FALSE(dc.setUp(&error));
        EXPECT_TRUE(error.contains("in use by another VORN process")) << error.toStdString();
        ASSERT_EQ(lines.size(), 1);
        EXPECT_TRUE(lines.first().endsWith("Waiting up to 1 seconds for it to finish...")) << lines.first().toStdString();
        EXPECT_TRUE(dc.notice().startsWith(error));
        controller.reset();
    }
    // Another program holds SQLite's own lock ("database is locked").
    {
        SqliteDatabase holder;
        ASSERT_TRUE(holder.open(options.storePath, nullptr));
        ASSERT_TRUE(holder.exec("PRAGMA locking_mode=EXCLUSIVE; BEGIN EXCLUSIVE"));
        lines.clear();
        DataController &dc = make();
        QString error;
        EXPECT_FALSE(dc.setUp(&error));
        EXPECT_TRUE(error.contains("database is locked")) << error.toStdString();
        EXPECT_TRUE(dc.notice().contains("database is locked"));
        controller.reset();
    }
    EXPECT_EQ(readFile(options.storePath), before);
    EXPECT_TRUE(QDir(dir + "/data").entryList({"*corrupt*"}).isEmpty());

    // A store path that cannot be opened as a file at all ("unable to open database file").
    options.storePath = dir + "/data/folder.sqlite";
    QDir().mkpath(options.storePath);
    DataController &dc = make();
    QString error;
    EXPECT_FALSE(dc.setUp(&error));
    EXPECT_TRUE(error.contains("unable to open database file")) << error.toStdString();
    EXPECT_TRUE(QFileInfo(options.storePath).isDir());
    EXPECT_TRUE(QDir(dir + "/data").entryList({"*corrupt*"}).isEmpty());
    EXPECT_FALSE(lines.contains("Store successfully reset."));
}

TEST_F(Controller, ResetUserStatsCreatesAndClearsRecords)
{
    options.inMemory = true;
    DataController &dc = make();
    ASSERT_TRUE(dc.setUp());
    dc.startupLoad();
    ASSERT_TRUE(lines.contains("Sync complete. Total: 2, Updates/Inserts: 2"));
    ASSERT_EQ(context().count<UserAttribute>(), 0);
    Prompt *one = prompt(P1);
    ASSERT_TRUE(one->isHot());
    UserAttribute *record = one->ensureAttribute();
    record->setFavorite(true);
    record->setHidden(true);
    record->setUsageCount(9);
    record->setLastUsedAt(QDateTime::currentDateTime());
    one->setNew(true);

    lines.clear();
    dc.resetUserStats();
    EXPECT_EQ(lines, (QStringList{"Resetting user stats (usage, favorites, hot)...",
                                  "✅ Reset complete. Updated 2 prompts and 2 categories."}));
    EXPECT_EQ(context().count<UserAttribute>(), 4);
    EXPECT_EQ(one->attributes(), record);
    EXPECT_FALSE(record->isFavorite());
    EXPECT_FALSE(record->isHidden());
    EXPECT_EQ(record->usageCount(), 0);
    EXPECT_FALSE(record->lastUsedAt().isValid());
    EXPECT_FALSE(one->isHot());
    EXPECT_TRUE(one->isNew());
    for (PromptCategory *category : context().fetch<PromptCategory>())
        EXPECT_EQ(category->attributes()->targetID(), category->id());
    EXPECT_FALSE(context().hasChanges());
}

TEST_F(Controller, ResetDatabaseBacksUpAndKeepsTheUsersRecords)
{
    DataController &dc = make();
    ASSERT_TRUE(dc.setUp());
    dc.startupLoad();
    prompt(P1)->ensureAttribute()->setFavorite(true);
    auto *own = new Prompt;
    own->setTitle("Imported by the user");
    context().insert(own);
    ASSERT_TRUE(context().save());

    lines.clear();
    dc.resetDatabase();
    EXPECT_EQ(lines.first(), "Resetting database...");
    EXPECT_EQ(lines.last(), "✅ Database reset complete (user records kept).");
    EXPECT_TRUE(lines.contains("Manual sync complete. Total: 2, Updates/Inserts: 2"));
    ASSERT_EQ(documents().size(), 1);
    EXPECT_TRUE(readFile(options.documentsDir + "/" + documents().first()).contains("Imported by the user"));

    EXPECT_EQ(context().count<Prompt>(), 2);
    EXPECT_TRUE(prompt(P1)->isFavorite());
    EXPECT_EQ(defaults->string(PromptSyncService::promptsVersionKey), "1.0");

    // The favourite also survives a restart.
    controller.reset();
    DataController &again = make();
    ASSERT_TRUE(again.setUp());
    EXPECT_TRUE(prompt(P1)->isFavorite());
}

TEST_F(Controller, ResetDatabaseWithoutABackupDeletesNothing)
{
    options.inMemory = true;
    DataController &dc = make();
    ASSERT_TRUE(dc.setUp());
    dc.startupLoad();
    writeFile(dir + "/Documents", "a file where the folder should be");
    lines.clear();
    dc.resetDatabase();
    EXPECT_TRUE(lines.contains("❌ Database reset failed: the backup could not be written"));
    EXPECT_FALSE(lines.contains("✅ Database reset complete (user records kept)."));
    EXPECT_EQ(context().count<Prompt>(), 2);
    EXPECT_EQ(context().count<PromptTag>(), 2);
}

TEST_F(Controller, SeedFilesMissingOrBroken)
{
    options.inMemory = true;
    DataController &dc = make();
    ASSERT_TRUE(dc.setUp());
    const QString seedDir = dir + "/seed";
    QDir().mkpath(seedDir);
    qputenv("VORN_SEED_DIR", seedDir.toUtf8());
    writeFile(seedDir + "/prompts.json", "{\"prompts\": [{}]}");

    dc.startupLoad();
    dc.loadIfEmpty();
    dc.manualSync();
    EXPECT_EQ(lines, (QStringList{"JSON files not found in Bundle", "JSON files not found in Bundle"}));

    writeFile(seedDir + "/data.json", "{\"categories\": [], \"tags\": []}");
    lines.clear();
    dc.startupLoad();
    EXPECT_TRUE(lines.isEmpty());
    dc.manualSync();
    EXPECT_EQ(lines, QStringList{"Manual sync failed: prompts[0]: missing key \"id\""});
    EXPECT_EQ(context().count<Prompt>(), 0);
}

TEST_F(Controller, LoadIfEmptyLooksAtCategoriesOnly)
{
    options.inMemory = true;
    DataController &dc = make();
    ASSERT_TRUE(dc.setUp());
    context().insert(new PromptCategory);
    dc.loadIfEmpty();
    EXPECT_TRUE(lines.isEmpty());
    EXPECT_EQ(context().count<Prompt>(), 0);

    context().remove(context().fetch<PromptCategory>().first());
    dc.loadIfEmpty();
    EXPECT_EQ(context().count<Prompt>(), 2);
}

TEST_F(Controller, CleanupKeepsTheFirstCopyAndTheUsersRecord)
{
    options.inMemory = true;
    DataController &dc = make();
    ASSERT_TRUE(dc.setUp());
    dc.cleanupDuplicates();
    EXPECT_EQ(lines, QStringList{"Cleanup: No duplicates found."});

    auto *first = new Prompt;
    first->setId(QUuid(P1));
    first->setUpdatedAt(QDateTime(QDate(2020, 1, 1), QTime(0, 0)));
    context().insert(first);
    auto *copy = new Prompt;
    copy->setId(QUuid(P1));
    copy->ensureAttribute()->setFavorite(true);
    context().insert(copy);
    auto *category = new PromptCategory;
    context().insert(category);
    auto *categoryCopy = new PromptCategory;
    categoryCopy->setId(category->id());
    context().insert(categoryCopy);

    lines.clear();
    dc.cleanupDuplicates();
    EXPECT_EQ(lines, (QStringList{"Cleanup: Removed 1 duplicate categories.", "Cleanup: Removed 1 duplicate prompts."}));
    EXPECT_EQ(context().fetch<Prompt>(), QList<Prompt *>{first});
    EXPECT_TRUE(first->isFavorite());
    EXPECT_EQ(context().fetch<PromptCategory>(), QList<PromptCategory *>{category});
    EXPECT_FALSE(context().hasChanges());

    // Asked again with nothing changed the answer is the same; a copy made since is found.
    lines.clear();
    dc.cleanupDuplicates();
    EXPECT_EQ(lines, QStringList{"Cleanup: No duplicates found."});
    auto *another = new Prompt;
    another->setId(QUuid(P1));
    context().insert(another);
    lines.clear();
    dc.cleanupDuplicates();
    EXPECT_EQ(lines, QStringList{"Cleanup: Removed 1 duplicate prompts."});
    EXPECT_EQ(context().fetch<Prompt>(), QList<Prompt *>{first});
}

TEST_F(Controller, AWarmStartDecidesFromTheVersionsAndANewVersionSyncsAgain)
{
    const QString seedDir = dir + "/seed";
    QDir().mkpath(seedDir);
    const QByteArray prompts = readFile(QStringLiteral(VORN_TEST_SEED_DIR "/prompts.json"));
    writeFile(seedDir + "/prompts.json", prompts);
    writeFile(seedDir + "/data.json", readFile(QStringLiteral(VORN_TEST_SEED_DIR "/data.json")));
    qputenv("VORN_SEED_DIR", seedDir.toUtf8());
    {
        DataController &first = make();
        ASSERT_TRUE(first.setUp());
        ASSERT_TRUE(first.startupLoad().ok);
        ASSERT_TRUE(lines.contains("Sync complete. Total: 2, Updates/Inserts: 2"));
        ASSERT_TRUE(first.closeStore());
        controller.reset();
    }
    // Same files: skipped as a decoded run would be, with the file's count of prompts.
    lines.clear();
    DataController &warm = make();
    ASSERT_TRUE(warm.setUp());
    EXPECT_TRUE(warm.startupLoad().ok);
    EXPECT_TRUE(lines.contains("PromptSyncService: No changes detected and DB not empty. Skipping sync."));
    EXPECT_TRUE(lines.contains("Sync complete. Total: 2, Updates/Inserts: 0"));

    // A new version of the prompts file with an edited title is applied at the next start.
    QByteArray edited = prompts;
    edited.replace("\"version\": \"1.0\"", "\"version\": \"1.1\"");
    const qsizetype title = edited.indexOf("\"title\": \"") + 10;
    edited.insert(title, "New ");
    writeFile(seedDir + "/prompts.json", edited);
    lines.clear();
    EXPECT_TRUE(warm.startupLoad().ok);
    EXPECT_TRUE(lines.contains("  - Prompts: Current 1.1 / Stored 1.0 -> Sync: true")) << lines.join('\n').toStdString();
    EXPECT_TRUE(lines.contains("Sync complete. Total: 2, Updates/Inserts: 1")) << lines.join('\n').toStdString();
}

TEST_F(Controller, TheBackgroundStartupLoadSyncsAndSkipsAsTheOtherDoes)
{
    DataController &dc = make();
    ASSERT_TRUE(dc.setUp());
    const auto load = [&dc] {
        std::optional<ActionOutcome> outcome;
        dc.startupLoadInBackground([&outcome](const ActionOutcome &result) { outcome = result; });
        EXPECT_FALSE(outcome) << "the files are looked at on a worker thread";
        for (int wait = 0; wait < 2000 && !outcome; ++wait) {
            QCoreApplication::processEvents();
            QThread::msleep(5);
        }
        return outcome;
    };
    std::optional<ActionOutcome> first = load();
    ASSERT_TRUE(first);
    EXPECT_TRUE(first->ok);
    EXPECT_TRUE(lines.contains("Sync complete. Total: 2, Updates/Inserts: 2"));
    EXPECT_EQ(context().count<Prompt>(), 2);

    lines.clear();
    std::optional<ActionOutcome> warm = load();
    ASSERT_TRUE(warm);
    EXPECT_TRUE(lines.contains("PromptSyncService: No changes detected and DB not empty. Skipping sync."));
    EXPECT_TRUE(lines.contains("Sync complete. Total: 2, Updates/Inserts: 0"));

    // A controller let go while its worker runs waits for it and applies nothing.
    DataController::Options other = options;
    other.storePath = dir + "/other/library.sqlite";
    auto gone = std::make_unique<DataController>(other);
    ASSERT_TRUE(gone->setUp());
    lines.clear();
    gone->startupLoadInBackground();
    gone.reset();
    QCoreApplication::processEvents();
    EXPECT_FALSE(lines.contains("Sync complete. Total: 2, Updates/Inserts: 2"));
}
