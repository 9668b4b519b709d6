#include "ModelContext.h"
#include "Prompt.h"
#include "PromptCategory.h"
#include "PromptGlobalVariable.h"
#include "PromptParser.h"
#include "PromptSyncService.h"
#include "SeedLibrary.h"
#include "SeedRecords.h"
#include "StoreLog.h"
#include "SymbolTable.h"
#include "LibraryValidator.h"
#include "TestSupport.h"
#include "UserDefaults.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <gtest/gtest.h>

// What a new user meets first must be whole: every prompt reachable, every field visible,
// every reference resolved, nothing the validator would flag.
class ShippedLibrary : public ::testing::Test {
protected:
    void SetUp() override
    {
        qunsetenv("VORN_SEED_DIR");
        files = SeedLibrary::load();
        ASSERT_TRUE(files.ok()) << files.error.toStdString();
        QString error;
        auto decodedPrompts = PromptsRoot::decode(files.prompts, &error);
        ASSERT_TRUE(decodedPrompts) << error.toStdString();
        auto decodedData = DataRoot::decode(files.data, &error);
        ASSERT_TRUE(decodedData) << error.toStdString();
        prompts = *decodedPrompts;
        data = *decodedData;
        ASSERT_TRUE(context.open(ModelContext::InMemory).ok());
        StoreLog::Capture quiet([](const QString &) {});
        ASSERT_TRUE(PromptSyncService(&defaults, QStringLiteral("1")).sync(files.prompts, files.data, &context, false));
    }

    SeedLibrary::Files files;
    PromptsRoot prompts;
    DataRoot data;
    UserDefaults defaults{TestSupport::freshDir(QStringLiteral("library")) + QStringLiteral("/vorn.ini")};
    ModelContext context;
};

TEST_F(ShippedLibrary, IsLargeAndEveryReferenceAndIconResolves)
{
    EXPECT_GE(context.count<Prompt>(), 150);
    EXPECT_GE(context.count<PromptCategory>(), 12);
    const QStringList tagNames{"text", "image", "midjourney", "nano banana", "dall-e", "video", "audio", "sora", "veo", "3d"};
    EXPECT_EQ(QSet<QString>(data.tags.cbegin(), data.tags.cend()), QSet<QString>(tagNames.cbegin(), tagNames.cend()));
    ASSERT_EQ(context.count<Prompt>(), prompts.prompts.size());

    QSet<QString> ids, titles;
    const QList<Prompt *> stored = context.fetch<Prompt>();
    for (qsizetype i = 0; i < stored.size(); ++i) {
        const SeedPrompt &seed = prompts.prompts.at(i);
        const std::string name = seed.title.toStdString();
        EXPECT_FALSE(ids.contains(seed.id)) << "duplicate id " << name;
        EXPECT_FALSE(titles.contains(seed.title)) << "duplicate title " << name;
        ids.insert(seed.id);
        titles.insert(seed.title);
        EXPECT_EQ(stored.at(i)->idText(), seed.id) << name << ": id is not an upper-case UUID";
        EXPECT_LT(seed.title.size(), 60) << name;
        EXPECT_FALSE(seed.description.isEmpty()) << name;
        EXPECT_GE(stored.at(i)->categories().size(), 1) << name;
        EXPECT_EQ(stored.at(i)->categories().size(), seed.categories.size()) << name << ": unknown category";
        EXPECT_EQ(stored.at(i)->tags().size(), seed.tags.size()) << name << ": unknown tag";
        EXPECT_TRUE(SeedDate::parse(seed.created).isValid()) << name;
        EXPECT_LE(seed.created, seed.updated) << name;
    }
    // Every category has its description and an icon the symbol font draws; the named lists are filled.
    for (PromptCategory *c : context.fetch<PromptCategory>()) {
        EXPECT_TRUE(SymbolTable::shared().contains(c->iconSymbol())) << c->name().toStdString() << ": " << c->iconSymbol().toStdString();
        EXPECT_FALSE(c->categoryDescription().isEmpty()) << c->name().toStdString();
    }
    for (const char *list : {"languages", "tones", "audiences", "output_formats", "art_styles", "camera_shots", "lighting", "aspect_ratios"})
        EXPECT_TRUE(data.globalLists().contains(QString::fromLatin1(list))) << list;
    EXPECT_GE(data.globalLists().value(QStringLiteral("languages")).size(), 30);
    for (const QString &named : DataRoot::namedListKeys())
        EXPECT_FALSE(data.globalLists().value(named).isEmpty()) << named.toStdString();
}

TEST_F(ShippedLibrary, TemplatesAreValidAndEveryFieldShows)
{
    const LibraryValidator::Result result = LibraryValidator::validateAll(context);
    EXPECT_EQ(result.promptCount, context.count<Prompt>());
    for (const TemplateValidationError &finding : result.errors)
        ADD_FAILURE() << finding.promptTitle.toStdString() << ": " << finding.error.toStdString();

    PromptParser::GlobalMap globals;
    for (PromptGlobalVariable *list : context.fetch<PromptGlobalVariable>())
        globals.insert(list->key(), list->values());
    // Every placeholder the validator reads must be a field for the parser too, or it
    // would silently vanish from the form; list references must name a shipped list.
    static const QRegularExpression validatorPattern(QStringLiteral("\\{\\{([^}]+)\\}\\}"));
    static const QRegularExpression listReference(QStringLiteral(":\\s*\\[([^\\]]*)\\]\\s*\\}\\}"));
    for (Prompt *p : context.fetch<Prompt>()) {
        const std::string name = p->title().toStdString();
        const QList<ParsedPromptVariable> variables = PromptParser().parse(p->templateText(), globals);
        qsizetype placeholders = 0;
        for (auto it = validatorPattern.globalMatch(p->templateText()); it.hasNext(); it.next())
            ++placeholders;
        EXPECT_GE(placeholders, 1) << name << " has no field";
        EXPECT_EQ(variables.size(), placeholders) << name;
        for (const ParsedPromptVariable &v : variables) {
            EXPECT_FALSE(v.label.isEmpty()) << name;
            EXPECT_TRUE(v.type.kind() != VariableType::Kind::comboBox || !v.type.options().isEmpty())
                << name << ": empty choice " << v.label.toStdString();
        }
        for (auto it = listReference.globalMatch(p->templateText()); it.hasNext();) {
            const QString key = it.next().captured(1);
            EXPECT_TRUE(globals.contains(key)) << name << ": unknown list [" << key.toStdString() << "]";
        }
    }
}

// A new library version that changes one prompt marks exactly that prompt as updated.
TEST_F(ShippedLibrary, NextVersionMarksOnlyTheChangedPromptUpdated)
{
    QJsonObject root = QJsonDocument::fromJson(files.prompts).object();
    QJsonObject metadata = root.value(QStringLiteral("metadata")).toObject();
    metadata.insert(QStringLiteral("version"), metadata.value(QStringLiteral("version")).toString() + QStringLiteral(".1"));
    root.insert(QStringLiteral("metadata"), metadata);
    QJsonArray list = root.value(QStringLiteral("prompts")).toArray();
    QJsonObject changed = list.at(7).toObject();
    changed.insert(QStringLiteral("description"), changed.value(QStringLiteral("description")).toString() + " Now sharper.");
    list.replace(7, changed);
    root.insert(QStringLiteral("prompts"), list);

    QStringList lines;
    StoreLog::Capture capture([&lines](const QString &line) { lines << line; });
    ASSERT_TRUE(PromptSyncService(&defaults, QStringLiteral("1"))
                    .sync(QJsonDocument(root).toJson(), files.data, &context, false));
    EXPECT_TRUE(lines.contains(QStringLiteral("PromptSyncService: Sync finished. Inserted: 0, Updated: 1"))) << lines.join('\n').toStdString();
    QStringList updated;
    for (Prompt *p : context.fetch<Prompt>())
        if (p->isUpdated())
            updated << p->idText();
    EXPECT_EQ(updated, QStringList{changed.value(QStringLiteral("id")).toString()});
}
