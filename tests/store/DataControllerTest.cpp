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
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QThread>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <tuple>

namespace {
using TestSupport::readFile;
using TestSupport::writeFile;
const QString P1 = "A1B2C3D4-0000-4000-8000-000000000001";

// A library of many prompts, so that loading it takes a while.
void writeLibrary(const QString &path, int prompts)
{
    QDir().mkpath(QFileInfo(path).path());
    ModelContext context;
    ASSERT_TRUE(context.open(path).ok());
    for (int i = 0; i < prompts; ++i) {
        auto *prompt = new Prompt;
        prompt->setTitle(QStringLiteral("Prompt %1").arg(i));
        prompt->setTemplateText(QString(i < 300 ? 500 : 0, QLatin1Char('t')));
        context.insert(prompt);
    }
    ASSERT_TRUE(context.closeStore());
}

// Runs the event loop until done() or ten seconds.
template <class F> bool spinUntil(F done)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

// A data controller of its own per case: a fresh folder, settings, the test seed files, and
// the store's log lines caught.
class Controller : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = TestSupport::freshDir(QString::fromLatin1(
            ::testing::UnitTest::GetInstance()->current_test_info()->name()));
        defaults = std::make_unique<UserDefaults>(dir + "/vorn.ini");
        UserDefaults::setStandard(defaults.get());
        qputenv("VORN_SEED_DIR", QByteArray(VORN_TEST_SEED_DIR));
        PromptSyncService::shared(); // its greeting lines are not part of any case
        options.storePath = dir + "/data/library.sqlite";
        options.documentsDir = dir + "/Documents";
        capture = std::make_unique<StoreLog::Capture>([this](const QString &line) { lines << line; });
    }
    void TearDown() override
    {
        capture.reset();
        controller.reset();
        UserDefaults::setStandard(nullptr);
        qunsetenv("VORN_SEED_DIR");
    }
    DataController &make()
    {
        controller = std::make_unique<DataController>(options);
        return *controller;
    }
    // A controller set up over an in-memory store, or the store file when inMemory is false.
    bool start(bool inMemory = true)
    {
        options.inMemory = inMemory;
        QString error;
        const bool ok = make().setUp(&error);
        EXPECT_TRUE(ok) << error.toStdString();
        return ok;
    }
    ModelContext &context() { return *controller->mainContext(); }
    Prompt *prompt(const QString &id)
    {
        for (Prompt *p : context().fetch<Prompt>())
            if (p->idText() == id)
                return p;
        return nullptr;
    }
    QStringList documents() const
    {
        return QDir(options.documentsDir).entryList(QDir::Files, QDir::Name);
    }

    QString dir;
    DataController::Options options;
    std::unique_ptr<UserDefaults> defaults;
    std::unique_ptr<DataController> controller;
    std::unique_ptr<StoreLog::Capture> capture;
    QStringList lines;
};
} // namespace

// The export and the automatic backups: an empty library gives a file without prompts; a
// backup is named by its time and only the newest twenty are kept, other files left alone; a
// library's export has the exact layout and replaces the last one.
TEST_F(Controller, ExportWritesTheExactLayoutAndOnlyTheNewestTwentyBackupsAreKept)
{
    ASSERT_TRUE(start());
    DataController &dc = *controller;
    ASSERT_FALSE(QDir(options.documentsDir).exists());
    const auto empty = PromptsRoot::decode(readFile(dc.exportData()));
    ASSERT_TRUE(empty && empty->metadata);
    EXPECT_TRUE(empty->prompts.isEmpty());
    EXPECT_EQ(empty->metadata->author, "Full Export");

    // Older backups from earlier days, the user's own export and files that only look alike.
    QStringList old;
    for (int day = 1; day <= 25; ++day)
        old << QStringLiteral("Backup_2025-01-%1 10-00-00 prompts.json").arg(day, 2, 10, QLatin1Char('0'));
    const QStringList others{"prompts.json", "Backup_notes.txt", "Backup_2025-01-01 10-00-00 prompts.json.bak"};
    for (const QString &name : old + others)
        writeFile(options.documentsDir + QLatin1Char('/') + name, "{}");
    lines.clear();
    ASSERT_TRUE(dc.createBackup().ok);
    QStringList backups = documents();
    for (const QString &name : others)
        EXPECT_EQ(backups.removeAll(name), 1) << name.toStdString();
    ASSERT_EQ(backups.size(), DataController::KeptBackups);
    EXPECT_EQ(backups.first(), old.at(6)) << "the six oldest went";
    const QString backup = backups.last(); // today's
    EXPECT_TRUE(QRegularExpression(R"(^Backup_\d{4}-\d\d-\d\d \d\d-\d\d-\d\d prompts\.json$)")
                    .match(backup).hasMatch()) << backup.toStdString();
    EXPECT_FALSE(backup.startsWith(QStringLiteral("Backup_2025-01-")));
    EXPECT_EQ(lines.last(), "✅ Backup created: " + backup.chopped(QStringLiteral("prompts.json").size()) + "...");

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
    lines.clear();
    const QString path = dc.exportData({}, true);
    EXPECT_EQ(path, options.documentsDir + "/prompts.json");
    EXPECT_EQ(revealed, QStringList{path});
    EXPECT_EQ(lines, (QStringList{"Starting data export...", "✅ Export Successful!", "Prompts: " + path}));
    // Qt's indented layout with the keys in order; the ids upper case, the dates as days.
    const QByteArray expected = QJsonDocument::fromJson(QStringLiteral(R"({"metadata": {"author": "Full Export",
        "last_updated": "%1", "version": "1.7"}, "prompts": [{"active": true, "categories":
        ["11111111-1111-4111-8111-111111111111"], "created": "2025-01-02", "description": "Café", "hot": true,
        "id": "A1B2C3D4-0000-4000-8000-000000000001", "tags": ["text"], "template": "Line 1\n{{Name}}\t</b>",
        "title": "Ask \"why\" / how", "updated": "2025-01-03"}, {"active": false, "categories": [],
        "created": "2024-12-31", "description": "", "hot": false, "id": "A1B2C3D4-0000-4000-8000-00000000000F",
        "tags": [], "template": "", "title": "Bare", "updated": "2024-12-31"}]})")
        .arg(QDate::currentDate().toString("yyyy-MM-dd")).toUtf8()).toJson(QJsonDocument::Indented);
    ASSERT_TRUE(expected.contains("\"categories\": [\n            ],")) << "the layout of an empty list";
    EXPECT_EQ(readFile(path).toStdString(), expected.toStdString());

    // A second export replaces the file; without reveal the file manager is left alone.
    context().remove(second);
    revealed.clear();
    EXPECT_EQ(dc.exportData(), path);
    EXPECT_TRUE(revealed.isEmpty());
    const auto back = PromptsRoot::decode(readFile(path));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->prompts.size(), 1);
}

// Only a file that is damaged or not a VORN library is moved aside, never deleted, whether the
// store is opened at once or in the background; the panel's notice names where it went and the
// shipped library is loaded into a fresh store that is still there after a restart.
TEST_F(Controller, OnlyADamagedOrForeignFileIsMovedAsideAndTheLibraryLoadedAgain)
{
    const QString path = options.storePath;
    auto foreign = [&path](const char *sql) {
        SqliteDatabase db;
        ASSERT_TRUE(db.open(path, nullptr));
        ASSERT_TRUE(db.exec(QString::fromLatin1(sql)));
    };
    auto damaged = [&path] {
        writeLibrary(path, 300);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_GT(file.size(), 40000);
        file.seek(8192);
        file.write(QByteArray(20000, '\x55'));
    };
    // Each file is moved aside exactly as it was: nothing is written to a file not known to be ours.
    const std::pair<const char *, std::function<void()>> cases[] = {
        {"not a database", [&] { writeFile(path, "this is not a database, but it might be somebody's data\n"); }},
        {"foreign tables", [&] { foreign("CREATE TABLE notes(body TEXT)"); }},
        {"foreign tables of our version", [&] { foreign("CREATE TABLE notes(body TEXT); PRAGMA user_version = 1"); }},
        {"damaged pages", damaged},
    };
    for (const bool background : {false, true}) {
        for (const auto &[name, prepare] : cases) {
            SCOPED_TRACE(std::string(name) + (background ? ", in the background" : ""));
            QDir(dir + "/data").removeRecursively();
            QDir().mkpath(dir + "/data");
            prepare();
            const QByteArray before = readFile(path);
            lines.clear();
            DataController &dc = make();
            if (background) {
                std::optional<bool> opened;
                dc.setUpInBackground([&](bool ok, const QString &) { opened = ok; });
                ASSERT_TRUE(spinUntil([&] { return opened.has_value(); }));
                EXPECT_TRUE(*opened);
            } else {
                QString error;
                ASSERT_TRUE(dc.setUp(&error)) << error.toStdString();
            }
            const QStringList moved = QDir(dir + "/data").entryList({"library.sqlite.corrupt-*"}, QDir::Files);
            ASSERT_EQ(moved.size(), 1) << QDir(dir + "/data").entryList(QDir::Files).join(", ").toStdString();
            EXPECT_TRUE(QRegularExpression(R"(^library\.sqlite\.corrupt-\d{4}-\d\d-\d\dT\d\d-\d\d-\d\d$)")
                            .match(moved.at(0)).hasMatch()) << moved.at(0).toStdString();
            EXPECT_EQ(readFile(dir + "/data/" + moved.at(0)), before) << "the moved file is the old one, whole";
            ASSERT_GE(lines.size(), 3) << lines.join('\n').toStdString();
            EXPECT_TRUE(lines.at(0).startsWith("ModelContainer creation failed. Attempting to reset store... Error: "));
            EXPECT_EQ(lines.at(1), "The unreadable store was moved to " + dir + "/data/" + moved.at(0));
            EXPECT_EQ(lines.last(), "Store successfully reset.");
            EXPECT_TRUE(dc.notice().contains(" was moved to " + dir + "/data/" + moved.first() + ". "))
                << dc.notice().toStdString();
            dc.dismissNotice();
            EXPECT_TRUE(dc.notice().isEmpty());
            EXPECT_TRUE(context().isOpen());
            EXPECT_EQ(context().count<Prompt>(), 2);
            EXPECT_EQ(context().count<PromptCategory>(), 2);
            controller.reset();
            ASSERT_TRUE(start(false));
            EXPECT_EQ(context().count<Prompt>(), 2) << "the fresh store holds the library after a restart";
            controller.reset();
        }
    }
}

// Busy, not openable, locked: the file is left exactly as it was and the reason is kept for
// the panel.
TEST_F(Controller, AStoreThatIsOnlyUnavailableIsLeftAlone)
{
    writeLibrary(options.storePath, 1);
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
        // In the background the same is reported at once, with nothing loaded.
        options.lockWaitMs = 0;
        DataController &bg = make();
        bool opened = true;
        QString why;
        bg.setUpInBackground([&](bool ok, const QString &e) { opened = ok; why = e; });
        EXPECT_FALSE(bg.isLoading());
        EXPECT_FALSE(opened);
        EXPECT_TRUE(why.contains("in use by another VORN process")) << why.toStdString();
        EXPECT_FALSE(bg.notice().isEmpty());
        controller.reset();
    }
    // Another program holds SQLite's own lock ("database is locked").
    {
        SqliteDatabase holder;
        ASSERT_TRUE(holder.open(options.storePath, nullptr));
        ASSERT_TRUE(holder.exec("PRAGMA locking_mode=EXCLUSIVE; BEGIN EXCLUSIVE"));
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
    QString error;
    EXPECT_FALSE(make().setUp(&error));
    EXPECT_TRUE(error.contains("unable to open database file")) << error.toStdString();
    EXPECT_TRUE(QFileInfo(options.storePath).isDir());
    EXPECT_TRUE(QDir(dir + "/data").entryList({"*corrupt*"}).isEmpty());
    EXPECT_FALSE(lines.contains("Store successfully reset."));
}

TEST_F(Controller, ResetUserStatsCreatesAndClearsRecords)
{
    ASSERT_TRUE(start());
    controller->startupLoad();
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
    controller->resetUserStats();
    EXPECT_EQ(lines, (QStringList{"Resetting user stats (usage, favorites, hot)...",
                                  "✅ Reset complete. Updated 2 prompts and 2 categories."}));
    EXPECT_EQ(context().count<UserAttribute>(), 4);
    EXPECT_EQ(one->attributes(), record);
    EXPECT_FALSE(record->isFavorite() || record->isHidden() || one->isHot());
    EXPECT_EQ(record->usageCount(), 0);
    EXPECT_FALSE(record->lastUsedAt().isValid());
    EXPECT_TRUE(one->isNew());
    for (PromptCategory *category : context().fetch<PromptCategory>())
        EXPECT_EQ(category->attributes()->targetID(), category->id());
    EXPECT_FALSE(context().hasChanges());
}

// A reset first backs the library up; without a backup it deletes nothing, with one it keeps
// the user's records, also over a restart.
TEST_F(Controller, ResetDatabaseBacksUpFirstAndKeepsTheUsersRecords)
{
    ASSERT_TRUE(start(false));
    DataController &dc = *controller;
    dc.startupLoad();
    prompt(P1)->ensureAttribute()->setFavorite(true);
    auto *own = new Prompt;
    own->setTitle("Imported by the user");
    context().insert(own);
    ASSERT_TRUE(context().save());

    writeFile(options.documentsDir, "a file where the folder should be");
    lines.clear();
    dc.resetDatabase();
    EXPECT_TRUE(lines.contains("❌ Database reset failed: the backup could not be written"));
    EXPECT_FALSE(lines.contains("✅ Database reset complete (user records kept)."));
    EXPECT_EQ(context().count<Prompt>(), 3);
    EXPECT_EQ(context().count<PromptTag>(), 2);

    ASSERT_TRUE(QFile::remove(options.documentsDir));
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

    controller.reset();
    ASSERT_TRUE(start(false));
    EXPECT_TRUE(prompt(P1)->isFavorite());
}

TEST_F(Controller, SeedFilesMissingOrBrokenAndLoadIfEmptyLooksAtCategoriesOnly)
{
    ASSERT_TRUE(start());
    DataController &dc = *controller;
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

    qputenv("VORN_SEED_DIR", QByteArray(VORN_TEST_SEED_DIR));
    context().insert(new PromptCategory);
    lines.clear();
    dc.loadIfEmpty();
    EXPECT_TRUE(lines.isEmpty());
    EXPECT_EQ(context().count<Prompt>(), 0);
    context().remove(context().fetch<PromptCategory>().first());
    dc.loadIfEmpty();
    EXPECT_EQ(context().count<Prompt>(), 2);
}

TEST_F(Controller, CleanupKeepsTheFirstCopyAndTheUsersRecord)
{
    ASSERT_TRUE(start());
    DataController &dc = *controller;
    const auto cleanup = [&] {
        lines.clear();
        dc.cleanupDuplicates();
        return lines;
    };
    EXPECT_EQ(cleanup(), QStringList{"Cleanup: No duplicates found."});
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

    EXPECT_EQ(cleanup(), (QStringList{"Cleanup: Removed 1 duplicate categories.", "Cleanup: Removed 1 duplicate prompts."}));
    EXPECT_EQ(context().fetch<Prompt>(), QList<Prompt *>{first});
    EXPECT_TRUE(first->isFavorite());
    EXPECT_EQ(context().fetch<PromptCategory>(), QList<PromptCategory *>{category});
    EXPECT_FALSE(context().hasChanges());

    // Asked again with nothing changed the answer is the same; a copy made since is found.
    EXPECT_EQ(cleanup(), QStringList{"Cleanup: No duplicates found."});
    auto *another = new Prompt;
    another->setId(QUuid(P1));
    context().insert(another);
    EXPECT_EQ(cleanup(), QStringList{"Cleanup: Removed 1 duplicate prompts."});
    EXPECT_EQ(context().fetch<Prompt>(), QList<Prompt *>{first});
}

// The startup load, in the background or not, syncs into an empty store, skips when the
// versions are those stored (after a restart too) and applies a new version of the files.
TEST_F(Controller, StartupLoadsDecideFromTheVersionsAndANewVersionSyncsAgain)
{
    const QString seedDir = dir + "/seed";
    QDir().mkpath(seedDir);
    const QByteArray prompts = readFile(QStringLiteral(VORN_TEST_SEED_DIR "/prompts.json"));
    writeFile(seedDir + "/prompts.json", prompts);
    writeFile(seedDir + "/data.json", readFile(QStringLiteral(VORN_TEST_SEED_DIR "/data.json")));
    qputenv("VORN_SEED_DIR", seedDir.toUtf8());
    ASSERT_TRUE(start(false));
    const auto load = [this] {
        std::optional<ActionOutcome> outcome;
        lines.clear();
        controller->startupLoadInBackground([&outcome](const ActionOutcome &result) { outcome = result; });
        EXPECT_FALSE(outcome) << "the files are looked at on a worker thread";
        EXPECT_TRUE(spinUntil([&] { return outcome.has_value(); }));
        return outcome.value_or(ActionOutcome::failed("no outcome"));
    };
    const QString skipped = "PromptSyncService: No changes detected and DB not empty. Skipping sync.";
    EXPECT_TRUE(load().ok);
    EXPECT_TRUE(lines.contains("Sync complete. Total: 2, Updates/Inserts: 2"));
    EXPECT_EQ(context().count<Prompt>(), 2);
    EXPECT_TRUE(load().ok);
    EXPECT_TRUE(lines.contains(skipped));
    EXPECT_TRUE(lines.contains("Sync complete. Total: 2, Updates/Inserts: 0"));
    ASSERT_TRUE(controller->closeStore());
    controller.reset();

    // Same files after a restart: skipped as a decoded run would be, with the file's count.
    lines.clear();
    ASSERT_TRUE(start(false));
    EXPECT_TRUE(controller->startupLoad().ok);
    EXPECT_TRUE(lines.contains(skipped));
    EXPECT_TRUE(lines.contains("Sync complete. Total: 2, Updates/Inserts: 0"));

    // A new version of the prompts file with an edited title is applied at the next start.
    QByteArray edited = prompts;
    edited.replace("\"version\": \"1.0\"", "\"version\": \"1.1\"");
    edited.insert(edited.indexOf("\"title\": \"") + 10, "New ");
    writeFile(seedDir + "/prompts.json", edited);
    lines.clear();
    EXPECT_TRUE(controller->startupLoad().ok);
    EXPECT_TRUE(lines.contains("  - Prompts: Current 1.1 / Stored 1.0 -> Sync: true")) << lines.join('\n').toStdString();
    EXPECT_TRUE(lines.contains("Sync complete. Total: 2, Updates/Inserts: 1")) << lines.join('\n').toStdString();

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

// Quitting while the library loads waits for the worker, writes nothing and lets the file go.
// Opened again, what waits for the library sees all of it, in the order it asked; the library
// is not open to anyone before that, and what asks afterwards runs at once.
TEST_F(Controller, ABackgroundOpenHandsTheWholeLibraryToWhatWaitsOrNothingWhenClosed)
{
    writeLibrary(options.storePath, 3000);
    {
        DataController &dc = make();
        bool ran = false;
        dc.setUpInBackground([&](bool, const QString &) { ran = true; });
        dc.whenLoaded([&] { ran = true; });
        ASSERT_TRUE(dc.isLoading());
        EXPECT_TRUE(dc.closeStore());
        EXPECT_FALSE(QFile::exists(options.storePath + ".lock"));
        // The load that was under way hands nothing over afterwards.
        QCoreApplication::processEvents();
        QThread::msleep(50);
        QCoreApplication::processEvents();
        EXPECT_FALSE(ran);
        EXPECT_EQ(dc.mainContext()->count<Prompt>(), 0);
        controller.reset();
    }
    DataController &dc = make();
    std::optional<bool> opened;
    dc.setUpInBackground([&](bool ok, const QString &error) {
        opened = ok;
        EXPECT_TRUE(error.isEmpty()) << error.toStdString();
    });
    ASSERT_TRUE(dc.isLoading());
    EXPECT_FALSE(dc.mainContext()->isOpen());
    QList<qsizetype> seen;
    dc.whenLoaded([&] { seen << dc.mainContext()->count<Prompt>(); });
    dc.whenLoaded([&] { seen << -1; });
    EXPECT_TRUE(seen.isEmpty());
    ASSERT_TRUE(spinUntil([&] { return opened.has_value(); }));
    EXPECT_TRUE(*opened);
    EXPECT_FALSE(dc.isLoading());
    EXPECT_EQ(seen, (QList<qsizetype>{3000, -1})) << "the library reopens whole";
    dc.whenLoaded([&] { seen << 0; });
    EXPECT_EQ(seen.size(), 3);

    // The loaded objects live on this thread and are held under the context (QML then never
    // takes one returned to it for its own), and saving them works.
    Prompt *first = dc.mainContext()->fetch<Prompt>().first();
    EXPECT_EQ(first->thread(), QThread::currentThread());
    ASSERT_TRUE(first->parent());
    EXPECT_EQ(first->parent()->parent(), dc.mainContext());
    EXPECT_EQ(first->parent()->thread(), QThread::currentThread());
    first->setTitle(QStringLiteral("Changed after the load"));
    EXPECT_TRUE(dc.mainContext()->save());
}
