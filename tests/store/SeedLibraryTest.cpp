#include "ModelContext.h"
#include "Prompt.h"
#include "PromptCategory.h"
#include "PromptGlobalVariable.h"
#include "PromptSyncService.h"
#include "SeedLibrary.h"
#include "StoreLog.h"
#include "TestSupport.h"
#include "UserDefaults.h"

#include <gtest/gtest.h>

// The library compiled into the program must decode and link up completely: a typo in a
// category reference or a tag name would silently drop the link at every start.
TEST(SeedLibrary, ShippedFilesDecodeAndEveryReferenceResolves)
{
    qunsetenv("VORN_SEED_DIR");
    EXPECT_EQ(SeedLibrary::directory(), ":/seed");
    const SeedLibrary::Files files = SeedLibrary::load();
    ASSERT_TRUE(files.ok()) << files.error.toStdString();
    QString error;
    const auto prompts = PromptsRoot::decode(files.prompts, &error);
    ASSERT_TRUE(prompts) << error.toStdString();
    const auto data = DataRoot::decode(files.data, &error);
    ASSERT_TRUE(data) << error.toStdString();
    ASSERT_TRUE(prompts->metadata);
    ASSERT_TRUE(data->metadata);

    UserDefaults defaults(TestSupport::freshDir("shipped") + "/vorn.ini");
    ModelContext context;
    ASSERT_TRUE(context.open(ModelContext::InMemory).ok());
    PromptSyncService service(&defaults, "1");
    QStringList lines;
    StoreLog::Capture capture([&](const QString &line) { lines << line; });
    ASSERT_TRUE(service.sync(files.prompts, files.data, &context, false));
    EXPECT_EQ(lines.last(), QString("PromptSyncService: Sync finished. Inserted: %1, Updated: 0").arg(prompts->prompts.size()));
    EXPECT_TRUE(lines.contains("PromptSyncService: No duplicates found."));
    EXPECT_EQ(context.count<PromptCategory>(), data->categories.size());
    EXPECT_EQ(context.count<PromptGlobalVariable>(), data->globalLists().size());

    const QList<Prompt *> stored = context.fetch<Prompt>();
    ASSERT_EQ(stored.size(), prompts->prompts.size());
    for (qsizetype i = 0; i < stored.size(); ++i) {
        const SeedPrompt &seed = prompts->prompts.at(i);
        EXPECT_EQ(stored.at(i)->idText(), seed.id) << "prompt id is not a canonical UUID";
        EXPECT_EQ(stored.at(i)->categories().size(), seed.categories.size()) << seed.id.toStdString();
        EXPECT_EQ(stored.at(i)->tags().size(), seed.tags.size()) << seed.id.toStdString();
    }
}
