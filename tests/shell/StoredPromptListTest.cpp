#include "DataController.h"
#include "FormViewModel.h"
#include "ListingCache.h"
#include "ModelContext.h"
#include "Prompt.h"
#include "PromptCategory.h"
#include "PromptSearch.h"
#include "PromptSyncService.h"
#include "PromptTag.h"
#include "PromptsCommand.h"
#include "StoreLog.h"
#include "SyncEngine.h"
#include "TestSupport.h"
#include "UserAttribute.h"
#include "UserDefaults.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {
Prompt *titled(ModelContext &context, const QString &title)
{
    for (Prompt *prompt : context.fetch<Prompt>())
        if (prompt->title() == title)
            return prompt;
    return nullptr;
}

// The listings compared, each with every combination of the flags below.
const QList<QStringList> Searches = {
    {},
    {"item"},
    {"e"},
    {"review"},
    {"reveiw"},          // a typing slip: close matches only
    {"notes", "cafe"},   // accents folded
    {"coding"},          // a category name
    {"image"},           // a tag name
    {"paste"},           // in templates only
    {"zzzz"},            // nothing at all
    {"copy", "draft"},   // the duplicates
};
const QList<QStringList> Flags = {
    {}, {"--hidden"}, {"--all"}, {"--template"}, {"--exact"}, {"--json"},
    {"--hidden", "--all", "--template", "--json"},
};

struct Outcome {
    std::optional<int> code;
    QString out;
    QString err;
    QStringList log;
};

// The small test library with what makes a listing hard added: prompts sharing an id (one of
// them hidden), a prompt hidden by a user record that lost its link, favourites and uses that
// reorder the matches, an inactive prompt, categories and tags in several positions.
class StoredPromptListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        qputenv("VORN_SEED_DIR", VORN_TEST_LIBRARY_DIR);
        dir = TestSupport::freshDir(
            QString::fromUtf8(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        defaults = std::make_unique<UserDefaults>(dir + "/settings.ini");
        UserDefaults::setStandard(defaults.get());
        options.storePath = dir + "/library.sqlite";
        options.documentsDir = dir + "/Documents";
        open();
        fill(*controller->mainContext());
        controller->mainContext()->save();
    }

    void TearDown() override
    {
        controller.reset();
        UserDefaults::setStandard(nullptr);
    }

    void open()
    {
        controller = std::make_unique<DataController>(options);
        StoreLog::Capture quiet([](const QString &) {});
        ASSERT_TRUE(controller->setUp());
        controller->startupLoad();
    }

    static void fill(ModelContext &context)
    {
        const QList<PromptCategory *> categories = context.fetch<PromptCategory>();
        const QList<PromptTag *> tags = context.fetch<PromptTag>();
        ASSERT_GE(categories.size(), 2);
        ASSERT_GE(tags.size(), 2);
        const QUuid twin = QUuid::fromString(QStringLiteral("F0000000-0000-4000-8000-000000000001"));
        for (int i = 0; i < 6; ++i) {
            auto *prompt = new Prompt;
            prompt->setId(i < 3 ? twin : QUuid::createUuid());
            prompt->setTitle(QStringLiteral("Copy draft %1").arg(i % 4));
            prompt->setPromptDescription(i % 2 ? QStringLiteral("Item review of a draft") : QString());
            prompt->setTemplateText(QStringLiteral("Paste the {{Text}} here %1").arg(i));
            prompt->setActive(i != 4);
            prompt->setHot(i == 1);
            prompt->setCreatedAt(QDateTime::fromMSecsSinceEpoch(1700000000000 + i, Qt::UTC));
            prompt->setCategories({categories.at(i % 2), categories.at((i + 1) % categories.size())});
            prompt->setTags(i % 3 ? QList<PromptTag *>{tags.at(1), tags.at(0)} : QList<PromptTag *>{});
            context.insert(prompt);
            if (i == 1 || i == 3 || i == 5) {
                UserAttribute *attribute = prompt->ensureAttribute();
                attribute->setFavorite(i == 3);
                attribute->setUsageCount(i);
                attribute->setLastUsedAt(QDateTime::fromMSecsSinceEpoch(1750000000000 + i * 1000, Qt::UTC));
                attribute->setHidden(i == 5);
            }
        }
        // A hidden record whose prompt link was lost hides the prompt of its id all the same.
        auto *orphan = new UserAttribute;
        orphan->setTargetID(QUuid::fromString(QStringLiteral("E0000000-0000-4000-8000-000000000004")));
        orphan->setHidden(true);
        context.insert(orphan);
    }

    // The command as the loaded library answers it.
    Outcome loaded(const QStringList &args)
    {
        Outcome result;
        QTextStream out(&result.out);
        QTextStream err(&result.err);
        QString none;
        QTextStream in(&none);
        result.code = runPromptsCommand(args, in, out, err, *controller);
        out.flush();
        err.flush();
        return result;
    }

    // The command read from the store file, by a controller that has not opened it.
    Outcome stored(const QStringList &args)
    {
        Outcome result;
        DataController reader(options);
        StoreLog::Capture capture([&result](const QString &line) { result.log.append(line); });
        QTextStream out(&result.out);
        QTextStream err(&result.err);
        result.code = runPromptsListFromStore(args, out, err, reader);
        out.flush();
        err.flush();
        return result;
    }

    // Changes the store file behind VORN's back.
    void alter(const QString &sql) const
    {
        ModelContext context;
        ASSERT_TRUE(context.open(options.storePath).ok());
        ASSERT_TRUE(context.execute(sql));
        context.closeStore();
    }

    QByteArray storeDigest() const
    {
        QCryptographicHash hash(QCryptographicHash::Sha256);
        for (const char *suffix : {"", "-wal"})
            hash.addData(TestSupport::readFile(options.storePath + suffix));
        return hash.result();
    }

    QString dir;
    DataController::Options options;
    std::unique_ptr<UserDefaults> defaults;
    std::unique_ptr<DataController> controller;
};

// Read from the store file, the listing is the loaded library's, the file is left as it was, and
// the log is the start-up load's.
TEST_F(StoredPromptListTest, ListsAndLogsWhatTheLoadedLibraryDoes)
{
    QMap<QStringList, Outcome> expected;
    for (const QStringList &search : Searches)
        for (const QStringList &flags : Flags)
            expected.insert(QStringList{"list"} + search + flags, loaded(QStringList{"list"} + search + flags));
    // The cases are telling: close matches, duplicates and hidden prompts show up somewhere.
    EXPECT_TRUE(expected.value({"list", "reveiw"}).out.startsWith(u'\n'));
    EXPECT_EQ(expected.value({"list", "copy", "draft", "--hidden", "--all", "--template", "--json"})
                  .out.count("F0000000-0000-4000-8000-000000000001"), 1);
    EXPECT_NE(expected.value({"list", "item"}).out, expected.value({"list", "item", "--hidden"}).out);
    ASSERT_TRUE(controller->closeStore());

    const QByteArray before = storeDigest();
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        SCOPED_TRACE(it.key().join(u' ').toStdString());
        const Outcome fast = stored(it.key());
        ASSERT_EQ(fast.code, std::optional<int>(0));
        EXPECT_EQ(fast.out, it->out);
        EXPECT_EQ(fast.err, it->err);
    }
    EXPECT_EQ(storeDigest(), before);
    EXPECT_FALSE(QFile::exists(options.storePath + ".lock"));

    // It logs what the start-up load logs when that skips its work.
    controller.reset();
    QStringList full;
    {
        StoreLog::Capture capture([&full](const QString &line) { full.append(line); });
        DataController again(options);
        ASSERT_TRUE(again.setUp());
        again.startupLoad();
        ASSERT_TRUE(again.closeStore());
    }
    const Outcome fast = stored({"list", "item"});
    ASSERT_TRUE(fast.code);
    EXPECT_EQ(fast.log, full);
    EXPECT_TRUE(full.join(u'\n').contains("Skipping sync"));
}

TEST_F(StoredPromptListTest, AnswersFromItsCacheUntilTheNextSave)
{
    const Outcome expected = loaded({"list", "draft"});
    ASSERT_TRUE(controller->closeStore());
    const QString cache = ListingCache::pathFor(options.storePath);
    EXPECT_EQ(stored({"list", "draft"}).out, expected.out);
    ASSERT_TRUE(QFile::exists(cache));
    const QByteArray cached = TestSupport::readFile(cache);

    // Nothing saved since, nothing read: a title changed behind VORN's back does not show.
    const QString copy = dir + "/before-rename.sqlite";
    ASSERT_TRUE(QFile::copy(options.storePath, copy));
    alter("UPDATE prompt SET title = 'Rewritten' WHERE title = 'Copy draft 3'");
    EXPECT_EQ(stored({"list", "draft"}).out, expected.out);

    // A save is seen at once.
    open();
    Prompt *renamed = titled(*controller->mainContext(), "Rewritten");
    ASSERT_TRUE(renamed);
    renamed->setTitle(QStringLiteral("Renamed draft"));
    ASSERT_TRUE(controller->mainContext()->save());
    const Outcome afterSave = loaded({"list", "draft"});
    ASSERT_TRUE(afterSave.out.contains("Renamed draft"));
    ASSERT_TRUE(controller->closeStore());
    EXPECT_EQ(stored({"list", "draft"}).out, afterSave.out);
    EXPECT_EQ(stored({"list", "draft"}).out, afterSave.out);

    // A copy of the store from before, put back, is listed as it was then: with the cache
    // written back as well, and without one.
    ASSERT_TRUE(QFile::remove(options.storePath) && QFile::copy(copy, options.storePath));
    QFile::remove(options.storePath + "-wal");
    QFile::remove(options.storePath + "-shm");
    EXPECT_EQ(stored({"list", "draft"}).out, expected.out);
    TestSupport::writeFile(cache, cached);
    EXPECT_EQ(stored({"list", "draft"}).out, expected.out);

    // A store from before save stamps is read every time, and has one from its next full open on.
    alter("DROP TABLE save_stamp");
    QFile::remove(options.storePath + "-wal");
    QFile::remove(cache);
    EXPECT_EQ(stored({"list", "draft"}).out, expected.out);
    EXPECT_FALSE(QFile::exists(cache));
    open();
    ASSERT_TRUE(controller->closeStore());
    EXPECT_EQ(stored({"list", "draft"}).out, expected.out);
    EXPECT_TRUE(QFile::exists(cache));
}

TEST_F(StoredPromptListTest, TheLoadedLibrarysSearchLeavesItsCacheAtTheEnd)
{
    ModelContext &context = *controller->mainContext();
    PromptSearch library(context);
    library.query(QStringLiteral("draft"), {}).run(); // the index is made
    // Changed after the search last ran: it reads the store again before it is written.
    Prompt *renamed = titled(context, "Copy draft 3");
    ASSERT_TRUE(renamed);
    renamed->setTitle(QStringLiteral("Renamed draft"));
    renamed->ensureAttribute()->setUsageCount(40);
    EXPECT_FALSE(ListingCache::keep(library, context, options.storePath)); // not saved yet
    ASSERT_TRUE(context.save());
    QMap<QStringList, QString> expected;
    for (const QStringList &search : Searches + QList<QStringList>{{"draft"}})
        for (const QStringList &flags : QList<QStringList>{{}, {"--hidden"}, {"--all"}, {"--exact"}})
            expected.insert(QStringList{"list"} + search + flags, loaded(QStringList{"list"} + search + flags).out);
    ASSERT_TRUE(expected.value({"list", "draft"}).contains("Renamed draft"));
    ASSERT_TRUE(ListingCache::keep(library, context, options.storePath));
    ASSERT_TRUE(controller->closeStore());

    // The store is not read: a title changed behind VORN's back does not show.
    alter("UPDATE prompt SET title = 'Rewritten'");
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        SCOPED_TRACE(it.key().join(u' ').toStdString());
        EXPECT_EQ(stored(it.key()).out, *it);
    }
}

TEST_F(StoredPromptListTest, ACacheCutShortOrDamagedIsNoCache)
{
    const Outcome expected = loaded({"list", "reveiw"});
    ASSERT_TRUE(controller->closeStore());
    ASSERT_EQ(stored({"list", "reveiw"}).out, expected.out);
    const QString cache = ListingCache::pathFor(options.storePath);
    const QByteArray whole = TestSupport::readFile(cache);
    ASSERT_GT(whole.size(), 256);
    const auto listWith = [&](const QByteArray &bytes) {
        TestSupport::writeFile(cache, bytes);
        return stored({"list", "reveiw"});
    };
    // Cut anywhere: read from the store instead.
    for (qsizetype length = 0; length < whole.size(); length += 1 + length / 16) {
        SCOPED_TRACE(length);
        const Outcome cut = listWith(whole.left(length));
        EXPECT_EQ(cut.code, std::optional<int>(0));
        EXPECT_EQ(cut.out, expected.out);
    }
    // Any byte changed: whatever it lists, it reads nothing outside the file (the sanitizers
    // of the CI build watch) and ends.
    for (qsizetype at = 0; at < whole.size(); at += 1 + at / 32) {
        QByteArray changed = whole;
        changed[at] = char(changed[at] ^ 0x5a);
        EXPECT_EQ(listWith(changed).code, std::optional<int>(0));
    }
}

TEST_F(StoredPromptListTest, LeavesEverythingElseAndUnusualStoresToTheFullOpen)
{
    ASSERT_TRUE(controller->closeStore());
    // With a cache of the listing at hand, which answers nothing of the below.
    ASSERT_TRUE(stored({"list"}).code);
    const QByteArray before = storeDigest();
    const auto declines = [&](const QStringList &args) {
        const Outcome fast = stored(args);
        EXPECT_FALSE(fast.code) << args.join(u' ').toStdString();
        EXPECT_TRUE(fast.out.isEmpty() && fast.err.isEmpty() && fast.log.isEmpty());
    };
    // Other commands, help and usage errors.
    declines({"show", "E0000000-0000-4000-8000-000000000001"});
    declines({"list", "--help"});
    declines({"list", "--bogus"});

    // A lock file, held or left behind.
    {
        QFile lock(options.storePath + ".lock");
        ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    }
    declines({"list"});
    QFile::remove(options.storePath + ".lock");

    // A start-up load that has work to do: another build, the text suffix unset, the folder
    // sync on.
    const auto without = [&](const QString &key, const QString &value) {
        const std::optional<QString> kept = defaults->stringValue(key);
        if (value.isNull())
            defaults->remove(key);
        else
            defaults->setValue(key, value);
        declines({"list"});
        if (kept)
            defaults->setValue(key, *kept);
        else
            defaults->remove(key);
    };
    without(PromptSyncService::storedBuildNumberKey, "0");
    without(PromptSyncService::promptsVersionKey, "0.1");
    without(FormViewModel::TagTextSuffixKey, QString());
    without(SyncEngine::DeviceIdKey, "this-device");
    EXPECT_TRUE(stored({"list"}).code);
    EXPECT_EQ(storeDigest(), before);

    // An unusual store: a later schema, none at all, a damaged file; none of them is made or
    // changed.
    alter("PRAGMA user_version = 2");
    declines({"list"});
    QFile::remove(options.storePath);
    declines({"list"});
    EXPECT_FALSE(QFile::exists(options.storePath));
    TestSupport::writeFile(options.storePath, QByteArray(8192, 'x'));
    declines({"list"});
    EXPECT_EQ(QFileInfo(options.storePath).size(), 8192);
}
} // namespace
