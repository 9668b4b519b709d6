#include "DuplicateCleaner.h"
#include "ModelContext.h"
#include "Prompt.h"
#include "PromptCategory.h"
#include "PromptGlobalVariable.h"
#include "PromptSyncService.h"
#include "PromptTag.h"
#include "StoreLog.h"
#include "TestSupport.h"
#include "UserAttribute.h"
#include "UserDefaults.h"

#include <gtest/gtest.h>


namespace {
const QString CatWriting = "11111111-1111-4111-8111-111111111111";
const QString CatCoding = "22222222-2222-4222-8222-222222222222";
const QString P1 = "A1B2C3D4-0000-4000-8000-000000000001";
const QString P2 = "A1B2C3D4-0000-4000-8000-000000000002";

SeedPrompt seedPrompt(const QString &id, const QString &title, const QStringList &categories = {CatWriting})
{
    SeedPrompt p;
    p.id = id;
    p.categories = categories;
    p.tags = {"text"};
    p.title = title;
    p.description = title + " description";
    p.templateText = "Do {{X}}";
    p.created = "2025-01-10";
    p.updated = "2025-01-12";
    return p;
}

// A small shipped library that each test edits before running a synchronisation.
struct Seed {
    PromptsRoot prompts;
    DataRoot data;

    Seed()
    {
        prompts.metadata = SeedMetadata{"1.0", "2025-01-15", "tests"};
        prompts.prompts = {seedPrompt(P1, "One"), seedPrompt(P2, "Two", {CatCoding})};
        data.metadata = SeedMetadata{"1.0", "2025-01-15", "tests"};
        data.categories = {SeedCategory{CatWriting, "Writing", "pencil", QString("Texts")},
                           SeedCategory{CatCoding, "Coding", "chevron", std::nullopt}};
        data.tags = {"text", "code", "text"};
        data.variables = QMap<QString, QStringList>{{"tones", {"formal", "casual"}}};
    }
};

class Sync : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString dir = TestSupport::freshDir(
            QString::fromLatin1(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        defaults = std::make_unique<UserDefaults>(dir + "/vorn.ini");
        ASSERT_TRUE(context.open(ModelContext::InMemory).ok());
        context.setAutosaveInterval(-1);
    }

    // Runs one synchronisation of `seed`, collecting the log lines and the completion values.
    bool run(bool force = false, const QString &build = "7")
    {
        PromptSyncService service(defaults.get(), build);
        return runWith(service, force);
    }
    bool runWith(PromptSyncService &service, bool force)
    {
        lines.clear();
        completions.clear();
        StoreLog::Capture capture([this](const QString &line) { lines << line; });
        return service.sync(seed.prompts.encode(), seed.data.encode(), &context, force,
                            [this](qsizetype total, qsizetype changed) { completions.append({total, changed}); });
    }
    void markSynced(const QString &promptsVersion = "1.0", const QString &dataVersion = "1.0",
                    const QString &build = "7")
    {
        defaults->setValue(PromptSyncService::promptsVersionKey, promptsVersion);
        defaults->setValue(PromptSyncService::dataVersionKey, dataVersion);
        defaults->setValue(PromptSyncService::storedBuildNumberKey, build);
    }
    Prompt *prompt(const QString &id) const
    {
        for (Prompt *p : context.fetch<Prompt>())
            if (p->idText() == id)
                return p;
        return nullptr;
    }
    PromptCategory *category(const QString &name) const
    {
        for (PromptCategory *c : context.fetch<PromptCategory>())
            if (c->name() == name)
                return c;
        return nullptr;
    }
    bool logged(const QString &line) const { return lines.contains(line); }
    std::unique_ptr<UserDefaults> defaults;
    ModelContext context;
    Seed seed;
    QStringList lines;
    QList<std::pair<qsizetype, qsizetype>> completions;
};

using Completion = std::pair<qsizetype, qsizetype>;
} // namespace

TEST_F(Sync, EmptyStoreRunsBothPartsWithoutMarkingNew)
{
    markSynced();
    ASSERT_TRUE(run());
    EXPECT_TRUE(logged("  - Prompts: Current 1.0 / Stored 1.0 -> Sync: false"));
    EXPECT_TRUE(logged("PromptSyncService: Syncing DATA..."));
    EXPECT_TRUE(logged("PromptSyncService: Syncing PROMPTS..."));
    EXPECT_EQ(lines.last(), "PromptSyncService: Sync finished. Inserted: 2, Updated: 0");
    EXPECT_EQ(completions, (QList<Completion>{{2, 2}}));
    ASSERT_EQ(context.count<Prompt>(), 2);
    for (Prompt *p : context.fetch<Prompt>()) {
        EXPECT_FALSE(p->isNew());
        EXPECT_FALSE(p->isUpdated());
    }
    EXPECT_EQ(context.count<PromptTag>(), 2); // "text" listed twice in the file
    EXPECT_FALSE(context.hasChanges());
    EXPECT_EQ(category("Writing")->sortOrder(), 0);
    EXPECT_EQ(category("Coding")->sortOrder(), 1);
    EXPECT_EQ(category("Writing")->categoryDescription(), "Texts");
    EXPECT_EQ(prompt(P1)->createdAt(), QDateTime(QDate(2025, 1, 10), QTime(0, 0)));
}

// The first run writes the settings after its success; a file without metadata is version
// "0.0". A new build alone reruns both parts and marks what arrives as new.
TEST_F(Sync, FirstRunWritesSettingsAndANewBuildAloneRerunsBothParts)
{
    seed.prompts.metadata.reset();
    ASSERT_TRUE(run());
    EXPECT_TRUE(logged("  - Prompts: Current 0.0 / Stored 0.0 -> Sync: true"));
    EXPECT_TRUE(logged("  - Build:   App 7 / Stored 0 -> Mismatch: true"));
    EXPECT_EQ(defaults->string(PromptSyncService::promptsVersionKey), "0.0");
    EXPECT_EQ(defaults->string(PromptSyncService::dataVersionKey), "1.0");
    EXPECT_EQ(defaults->string(PromptSyncService::storedBuildNumberKey), "7");
    seed.prompts.prompts.append(seedPrompt("A1B2C3D4-0000-4000-8000-000000000003", "Three"));
    seed.prompts.prompts[0].title = "One, edited";
    ASSERT_TRUE(run(false, "8"));
    EXPECT_TRUE(logged("  - Prompts: Current 0.0 / Stored 0.0 -> Sync: true"));
    EXPECT_TRUE(logged("  - Data:    Current 1.0 / Stored 1.0 -> Sync: true"));
    EXPECT_TRUE(logged("  - Build:   App 8 / Stored 7 -> Mismatch: true"));
    EXPECT_EQ(defaults->string(PromptSyncService::storedBuildNumberKey), "8");
    EXPECT_EQ(completions, (QList<Completion>{{3, 2}}));
    EXPECT_TRUE(prompt("A1B2C3D4-0000-4000-8000-000000000003")->isNew());
    EXPECT_TRUE(prompt(P1)->isUpdated());
    EXPECT_EQ(prompt(P1)->title(), "One, edited");
    EXPECT_FALSE(prompt(P2)->isUpdated());
}

TEST_F(Sync, ForcedRunRewritesLinksButCountsOnlyContentChanges)
{
    ASSERT_TRUE(run());
    seed.prompts.prompts[1].categories = {CatWriting};
    seed.prompts.prompts[1].hot = true;
    seed.prompts.prompts[1].active = false;
    seed.prompts.prompts[1].tags = {"code", "text"};
    ASSERT_TRUE(run(true));
    EXPECT_EQ(completions, (QList<Completion>{{2, 0}}));
    Prompt *two = prompt(P2);
    EXPECT_FALSE(two->isUpdated());
    EXPECT_TRUE(two->isHot());
    EXPECT_FALSE(two->isActive());
    ASSERT_EQ(two->categories().size(), 1);
    EXPECT_EQ(two->categories().at(0)->name(), "Writing");
    ASSERT_EQ(two->tags().size(), 2);
    EXPECT_EQ(two->tags().at(0)->name(), "code");

    seed.prompts.prompts[1].updated = "2025-02-01";
    ASSERT_TRUE(run(true));
    EXPECT_EQ(completions, (QList<Completion>{{2, 1}}));
    EXPECT_TRUE(prompt(P2)->isUpdated());
    EXPECT_EQ(prompt(P2)->updatedAt(), QDateTime(QDate(2025, 2, 1), QTime(0, 0)));
}

// Only the part whose version changed runs; prompts refer to categories by id or name, and
// names that are not there are left out.
TEST_F(Sync, OnlyTheChangedPartRunsAndCategoriesAreFoundByIdOrName)
{
    seed.prompts.prompts[0].categories = {"Coding", "No such category", CatWriting, CatWriting.toLower()};
    seed.prompts.prompts[0].tags = {"text", "never-created"};
    ASSERT_TRUE(run());
    Prompt *one = prompt(P1);
    ASSERT_EQ(one->categories().size(), 2);
    EXPECT_EQ(one->categories().at(0)->name(), "Coding");
    EXPECT_EQ(one->categories().at(1)->name(), "Writing");
    ASSERT_EQ(one->tags().size(), 1);
    EXPECT_EQ(context.count<PromptTag>(), 2);

    seed.data.metadata->version = "0.9"; // lower also counts as a change
    seed.data.categories[1].icon = "terminal";
    seed.prompts.prompts[0].title = "Applied later";
    ASSERT_TRUE(run());
    EXPECT_TRUE(logged("PromptSyncService: Syncing DATA..."));
    EXPECT_FALSE(logged("PromptSyncService: Syncing PROMPTS..."));
    EXPECT_EQ(category("Coding")->iconSymbol(), "terminal");
    EXPECT_EQ(prompt(P1)->title(), "One");
    EXPECT_EQ(defaults->string(PromptSyncService::dataVersionKey), "0.9");
    EXPECT_EQ(completions, (QList<Completion>{{2, 0}}));

    // A prompts-only run has no categories of its own: the stored ones are found by id or name.
    seed.prompts.metadata->version = "1.1";
    seed.prompts.prompts[1].categories = {"Writing", CatCoding};
    ASSERT_TRUE(run());
    EXPECT_FALSE(logged("PromptSyncService: Syncing DATA..."));
    EXPECT_TRUE(logged("PromptSyncService: Syncing PROMPTS..."));
    EXPECT_EQ(prompt(P1)->title(), "Applied later");
    ASSERT_EQ(prompt(P2)->categories().size(), 2);
    EXPECT_EQ(prompt(P2)->categories().at(0)->name(), "Writing");
    EXPECT_EQ(prompt(P2)->categories().at(1)->name(), "Coding");
}

TEST_F(Sync, IdentifiersThatAreNotUuidsStayStableAcrossRuns)
{
    seed.data.categories.append(SeedCategory{"misc", "Miscellaneous", "folder", std::nullopt});
    seed.prompts.prompts.append(seedPrompt("prompt-7", "Seven", {"misc"}));
    ASSERT_TRUE(run());
    Prompt *seven = prompt(PromptSyncService::idForSeed("prompt-7").toString(QUuid::WithoutBraces).toUpper());
    ASSERT_TRUE(seven);
    seven->ensureAttribute()->setFavorite(true);
    ASSERT_TRUE(run(true));
    ASSERT_TRUE(run(true));
    EXPECT_EQ(context.count<PromptCategory>(), 3);
    EXPECT_EQ(context.count<Prompt>(), 3);
    EXPECT_EQ(completions, (QList<Completion>{{3, 0}}));
    seven = prompt(uuidText(PromptSyncService::idForSeed("prompt-7")));
    ASSERT_TRUE(seven);
    EXPECT_TRUE(seven->isFavorite());
    ASSERT_EQ(seven->categories().size(), 1);
    EXPECT_EQ(seven->categories().at(0)->name(), "Miscellaneous");
    EXPECT_NE(PromptSyncService::idForSeed("misc"), PromptSyncService::idForSeed("prompt-7"));
    EXPECT_EQ(PromptSyncService::idForSeed(CatWriting.toLower()), QUuid(CatWriting));
}

TEST_F(Sync, NothingDisappearsFromTheStoreAndUserRecordsReattach)
{
    // Records of the user from before a reset: favourite prompt, hidden category.
    auto *favourite = new UserAttribute;
    favourite->setTargetID(QUuid(P1));
    favourite->setFavorite(true);
    context.insert(favourite);
    auto *hidden = new UserAttribute;
    hidden->setTargetID(QUuid(CatCoding));
    hidden->setHidden(true);
    context.insert(hidden);
    auto *oldList = new PromptGlobalVariable("tones", {"old"});
    auto *otherList = new PromptGlobalVariable("untouched", {"keep"});
    context.insert(oldList);
    context.insert(otherList);

    ASSERT_TRUE(run());
    EXPECT_TRUE(prompt(P1)->isFavorite());
    EXPECT_EQ(prompt(P1)->attributes(), favourite);
    EXPECT_TRUE(category("Coding")->isHidden());
    EXPECT_EQ(oldList->values(), (QStringList{"formal", "casual"}));
    EXPECT_EQ(otherList->values(), QStringList{"keep"});
    EXPECT_EQ(context.count<PromptGlobalVariable>(), 2);

    seed.prompts.prompts.removeFirst();
    seed.data.categories.removeFirst();
    seed.data.tags = {"code"};
    seed.data.variables.reset();
    seed.data.namedLists.insert("auth_providers", {"GitHub"});
    ASSERT_TRUE(run(true));
    EXPECT_EQ(context.count<Prompt>(), 2);
    EXPECT_EQ(context.count<PromptCategory>(), 2);
    EXPECT_EQ(context.count<PromptTag>(), 2);
    EXPECT_TRUE(prompt(P1)->isFavorite());
    EXPECT_EQ(oldList->values(), (QStringList{"formal", "casual"}));
    EXPECT_EQ(context.count<PromptGlobalVariable>(), 3);
    EXPECT_EQ(completions, (QList<Completion>{{1, 0}}));
}

TEST_F(Sync, DuplicatesLeaveTheNewestHoldingTheUserRecord)
{
    ASSERT_TRUE(run());
    // A second copy of P1, newer, and a second copy of "Writing", both as an older
    // replication might have left them; the older P1 and the second Writing carry user state.
    Prompt *older = prompt(P1);
    older->ensureAttribute()->setUsageCount(5);
    auto *newer = new Prompt;
    newer->setId(QUuid(P1));
    newer->setTitle("Newer copy");
    newer->setUpdatedAt(QDateTime(QDate(2030, 1, 1), QTime(0, 0)));
    context.insert(newer);
    auto *writingCopy = new PromptCategory;
    writingCopy->setId(QUuid(CatWriting));
    writingCopy->setName("Writing");
    writingCopy->ensureAttribute()->setHidden(true);
    context.insert(writingCopy);
    auto *linked = new Prompt;
    linked->setCategories({writingCopy});
    context.insert(linked);
    ASSERT_TRUE(context.save());

    ASSERT_TRUE(run(true));
    EXPECT_TRUE(logged("PromptSyncService: Starting deduplication..."));
    EXPECT_TRUE(logged("PromptSyncService: Deduplication finished. Removed 1 categories and 1 prompts."));
    Prompt *survivor = prompt(P1);
    EXPECT_EQ(survivor, newer);
    EXPECT_EQ(survivor->usageCount(), 5);
    ASSERT_EQ(context.fetch<PromptCategory>().size(), 2);
    PromptCategory *writing = category("Writing");
    EXPECT_NE(writing, writingCopy);
    EXPECT_TRUE(writing->isHidden());
    EXPECT_EQ(linked->categories(), QList<PromptCategory *>{writing});
    EXPECT_FALSE(context.hasChanges());

    lines.clear();
    StoreLog::Capture capture([this](const QString &line) { lines << line; });
    DuplicateCleaner::deduplicate(&context);
    EXPECT_EQ(lines, (QStringList{"PromptSyncService: Starting deduplication...",
                                  "PromptSyncService: No duplicates found."}));
}

// Files that do not decode change nothing and report nothing but the reason; a save that fails
// leaves the settings as they were, so the next start tries again.
TEST_F(Sync, UndecodableFilesAndAFailedSaveLeaveStoreAndSettingsForTheNextStart)
{
    const QString path = TestSupport::freshDir("failed-save") + "/library.sqlite";
    context.close();
    ASSERT_TRUE(context.open(path).ok());
    PromptSyncService service(defaults.get(), "7");
    QString error;
    bool called = false;
    const auto report = [&](qsizetype, qsizetype) { called = true; };
    StoreLog::Capture capture([this](const QString &line) { lines << line; });
    EXPECT_FALSE(service.sync("{\"prompts\": 3}", "not json", &context, true, report, &error));
    EXPECT_EQ(error, "prompts: expected an array, found a number");
    EXPECT_FALSE(service.sync(seed.prompts.encode(), "{\"tags\": []}", &context, true, report, &error));
    EXPECT_EQ(error, "missing key \"categories\"");
    EXPECT_TRUE(lines.isEmpty());
    EXPECT_EQ(context.count<Prompt>(), 0);

    ASSERT_TRUE(context.execute("DROP TABLE prompt"));
    EXPECT_TRUE(service.sync(seed.prompts.encode(), seed.data.encode(), &context, false, report));
    EXPECT_FALSE(called);
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_TRUE(lines.last().startsWith("PromptSyncService: Error during sync: ")) << lines.last().toStdString();
    EXPECT_FALSE(defaults->contains(PromptSyncService::promptsVersionKey));
    EXPECT_FALSE(defaults->contains(PromptSyncService::dataVersionKey));
    EXPECT_FALSE(defaults->contains(PromptSyncService::storedBuildNumberKey));
}

TEST_F(Sync, ARunAskedForDuringARunWaitsForIt)
{
    PromptSyncService service(defaults.get(), "7");
    QStringList order;
    StoreLog::Capture capture([&](const QString &line) {
        if (line.startsWith("PromptSyncService Status:") || line.startsWith("PromptSyncService: Sync finished"))
            order << line;
    });
    bool innerDecoded = false;
    bool innerDone = false;
    ASSERT_TRUE(service.sync(seed.prompts.encode(), seed.data.encode(), &context, false, [&](qsizetype, qsizetype) {
        innerDecoded = service.sync(seed.prompts.encode(), seed.data.encode(), &context, true,
                                    [&](qsizetype, qsizetype) { innerDone = true; });
        EXPECT_FALSE(innerDone); // not started while the first run is still reporting
    }));
    EXPECT_TRUE(innerDecoded);
    EXPECT_TRUE(innerDone);
    EXPECT_EQ(order, (QStringList{"PromptSyncService Status:", "PromptSyncService: Sync finished. Inserted: 2, Updated: 0",
                                  "PromptSyncService Status:", "PromptSyncService: Sync finished. Inserted: 0, Updated: 0"}));
}

TEST_F(Sync, RunsAndTheStartupShortcutSkipOnlyWhenVersionsAndBuildAreCurrent)
{
    PromptSyncService service(defaults.get(), "7");
    const auto skip = [&](const QString &promptsVersion, const QString &dataVersion) {
        lines.clear();
        completions.clear();
        StoreLog::Capture capture([this](const QString &line) { lines << line; });
        return service.skipIfCurrent(promptsVersion, dataVersion, 2, &context,
                                     [this](qsizetype total, qsizetype changed) { completions.append({total, changed}); });
    };
    // An empty store is always filled, whatever the versions say.
    markSynced();
    EXPECT_FALSE(skip("1.0", "1.0"));
    EXPECT_TRUE(lines.isEmpty());
    ASSERT_TRUE(runWith(service, false));

    // Same versions and build: a run skips, with these lines and its completion, and so does
    // the shortcut, with the same.
    const QStringList skipped{"PromptSyncService Status:", "  - Prompts: Current 1.0 / Stored 1.0 -> Sync: false",
                              "  - Data:    Current 1.0 / Stored 1.0 -> Sync: false",
                              "  - Build:   App 7 / Stored 7 -> Mismatch: false",
                              "PromptSyncService: No changes detected and DB not empty. Skipping sync."};
    ASSERT_TRUE(run());
    EXPECT_EQ(lines, skipped);
    EXPECT_EQ(completions, (QList<Completion>{{2, 0}}));
    EXPECT_FALSE(context.hasChanges());
    ASSERT_TRUE(skip("1.0", "1.0"));
    EXPECT_EQ(lines, skipped);
    EXPECT_EQ(completions, (QList<Completion>{{2, 0}}));

    // Any version that differs, a lower one included, or another build: a run is due.
    EXPECT_FALSE(skip("1.1", "1.0"));
    EXPECT_FALSE(skip("1.0", "0.9"));
    EXPECT_TRUE(completions.isEmpty());
    PromptSyncService newBuild(defaults.get(), "8");
    EXPECT_FALSE(newBuild.skipIfCurrent("1.0", "1.0", 2, &context));
}
