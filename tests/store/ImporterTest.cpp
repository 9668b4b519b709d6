#include "ModelContext.h"
#include "Prompt.h"
#include "PromptCategory.h"
#include "PromptImporter.h"
#include "PromptSyncService.h"
#include "PromptTag.h"
#include "UserAttribute.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <ostream>

void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {
const QString WritingId = "A1A1A1A1-0000-0000-0000-000000000001";
const QString CodingId = "B2B2B2B2-0000-0000-0000-000000000002";
const QString PromptId = "C3C3C3C3-0000-0000-0000-000000000003";

QJsonObject record(const QString &id, const QString &title, const QJsonArray &categories = {},
                   const QJsonArray &tags = {}, const QString &templateText = "Hi {{Name}}")
{
    return {{"id", id},
            {"categories", categories},
            {"tags", tags},
            {"title", title},
            {"description", QStringLiteral("About ") + title},
            {"template", templateText},
            {"created", "2024-01-31"},
            {"updated", "2024-02-29"}};
}

QString json(const QJsonObject &object)
{
    return QString::fromUtf8(QJsonDocument(object).toJson());
}

QString json(const QJsonArray &array)
{
    return QString::fromUtf8(QJsonDocument(array).toJson());
}

// An in-memory library with two categories and one tag, and an importer that counts backups.
class ImporterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ctx.open(ModelContext::InMemory).ok());
        ctx.setAutosaveInterval(-1);
        writing = addCategory(WritingId, "Writing");
        coding = addCategory(CodingId, "Coding");
        auto *tag = new PromptTag;
        tag->setName("text");
        ctx.insert(tag);
        ASSERT_TRUE(ctx.save());
    }

    PromptCategory *addCategory(const QString &id, const QString &name)
    {
        auto *category = new PromptCategory;
        category->setId(uuidFromText(id));
        category->setName(name);
        ctx.insert(category);
        return category;
    }

    PromptImporter::Result run(const QString &text)
    {
        PromptImporter importer(ctx, [this] {
            ++backups;
            savedAtBackup = !ctx.hasChanges();
        });
        return importer.importText(text);
    }

    void expectError(const QString &text, const QString &message)
    {
        const PromptImporter::Result result = run(text);
        EXPECT_EQ(result.errorMessage, message) << qPrintable(text.left(200));
        EXPECT_TRUE(result.successMessage.isEmpty());
        EXPECT_FALSE(result.ok());
    }

    Prompt *promptById(const QString &id) const
    {
        for (Prompt *prompt : ctx.fetch<Prompt>()) {
            if (prompt->id() == uuidFromText(id))
                return prompt;
        }
        return nullptr;
    }

    ModelContext ctx;
    PromptCategory *writing = nullptr;
    PromptCategory *coding = nullptr;
    int backups = 0;
    bool savedAtBackup = false;
};
} // namespace

TEST_F(ImporterTest, DecodingAndSizeFailuresUseTheirMessagesAndTouchNothing)
{
    const QString jsonError = "JSON Error: Not a valid Prompt or List of Prompts.";
    expectError("not json", jsonError);
    expectError("42", jsonError);
    expectError("[1, 2]", jsonError);
    QJsonObject noTags = record(PromptId, "A");
    noTags.remove("tags");
    expectError(json(noTags), jsonError);
    QJsonObject wrongType = record(PromptId, "A");
    wrongType.insert("hot", "yes");
    expectError(json(wrongType), jsonError);
    // One bad record spoils the whole array.
    expectError(json(QJsonArray{record(PromptId, "A"), noTags}), jsonError);
    expectError("[]", "No prompts found to import.");

    // A lone surrogate has no UTF-8 form; invalid bytes from a file are refused the same way.
    expectError(QString(QChar(0xD800)), "Invalid text encoding.");
    PromptImporter importer(ctx);
    EXPECT_EQ(importer.importData(QByteArray("[\xff\xfe]")).errorMessage, "Invalid text encoding.");
    // Oversized text is refused before decoding, pasted or from a file.
    QString huge = json(record(PromptId, "Big"));
    huge.append(QString(PromptImporter::MaxTextBytes, u' '));
    expectError(huge, "The pasted text is larger than 20 MB.");
    EXPECT_EQ(importer.importData(huge.toUtf8()).errorMessage, "The pasted text is larger than 20 MB.");

    EXPECT_EQ(ctx.count<Prompt>(), 0);
    EXPECT_EQ(ctx.count<PromptTag>(), 1);
    EXPECT_FALSE(ctx.hasChanges());
    EXPECT_EQ(backups, 0);
}

TEST_F(ImporterTest, ItemChecksNameTheItemAndStopEverything)
{
    // The second of three items names unknown categories: not even the first is written.
    const QJsonArray items{record(PromptId, "First", {WritingId}, {"new"}),
                           record(QUuid::createUuid().toString(QUuid::WithoutBraces), "Second",
                                  {"Coding", "Nope", "writing"}),
                           record("x", "Third")};
    expectError(json(items), "Error in item 2 ('Second'): Unknown Categories: Nope, writing");
    EXPECT_EQ(ctx.count<Prompt>(), 0);
    EXPECT_EQ(ctx.count<PromptTag>(), 1);
    EXPECT_FALSE(ctx.hasChanges());
    EXPECT_EQ(backups, 0);

    expectError(
        json(QJsonArray{record(PromptId, "Ok"), record(PromptId, "Braces", {}, {}, "{{a}} }}")}),
        "Error in item 2 ('Braces'): Mismatched curly braces {{ }}.");
    EXPECT_EQ(ctx.count<Prompt>(), 0);

    // The brace check compares the counts of non-overlapping markers.
    const auto passes = [this](const QString &templateText) {
        return run(json(record("bad id", "T", {}, {}, templateText))).ok();
    };
    EXPECT_TRUE(passes("}} before {{"));
    EXPECT_TRUE(passes("{{{ }}")); // "{{{" holds one "{{" when split
    EXPECT_TRUE(passes("{{{{x}}}}"));
    EXPECT_TRUE(passes("no markers { } }"));
    EXPECT_FALSE(passes("{{ }} }}"));
    EXPECT_FALSE(passes("{{{{ }}"));
}

TEST_F(ImporterTest, CategoriesResolveByIdTextFirstThenByName)
{
    // A category named like another's id text: the id text wins.
    PromptCategory *impostor =
        addCategory(QUuid::createUuid().toString(QUuid::WithoutBraces), CodingId);
    ASSERT_TRUE(ctx.save());
    const PromptImporter::Result result =
        run(json(QJsonArray{record(PromptId, "A", {CodingId, "Writing"}),
                            record(QUuid::createUuid().toString(QUuid::WithoutBraces), "B")}));
    ASSERT_TRUE(result.ok()) << qPrintable(result.errorMessage);
    Prompt *a = promptById(PromptId);
    ASSERT_TRUE(a);
    EXPECT_EQ(a->categories(), (QList<PromptCategory *>{coding, writing}));
    EXPECT_FALSE(impostor->prompts().contains(a));
    EXPECT_EQ(ctx.count<Prompt>(), 2); // an item without categories passes
}

TEST_F(ImporterTest, InsertThenUpdateKeepsUserStateAndCountsOnce)
{
    // The same id twice in one paste gives one prompt, the last one's.
    const QJsonArray twice{record(PromptId, "Mail 0"), record(PromptId, "Mail", {WritingId}, {"text"})};
    PromptImporter::Result first = run(json(twice));
    EXPECT_EQ(first.successMessage, "Processed 2 items: 1 inserted, 0 updated.");
    EXPECT_TRUE(first.errorMessage.isEmpty());
    ASSERT_EQ(ctx.count<Prompt>(), 1);
    Prompt *prompt = promptById(PromptId);
    ASSERT_TRUE(prompt);
    EXPECT_EQ(prompt->title(), "Mail");
    EXPECT_TRUE(prompt->isNew());
    EXPECT_FALSE(prompt->isUpdated());
    EXPECT_EQ(prompt->createdAt(), QDate(2024, 1, 31).startOfDay());
    EXPECT_EQ(prompt->updatedAt(), QDate(2024, 2, 29).startOfDay());
    prompt->ensureAttribute()->setFavorite(true);
    prompt->setExternalId("ext-1");
    ASSERT_TRUE(ctx.save());

    // The same record again, as a one-element array this time, with new text and no category.
    QJsonObject changed = record(PromptId, "Mail 2");
    PromptImporter::Result second = run(json(QJsonArray{changed}));
    EXPECT_EQ(second.successMessage, "Processed 1 items: 0 inserted, 1 updated.");
    EXPECT_EQ(ctx.count<Prompt>(), 1);
    EXPECT_EQ(prompt->title(), "Mail 2");
    EXPECT_TRUE(prompt->isUpdated());
    EXPECT_TRUE(prompt->isNew());
    EXPECT_TRUE(prompt->isFavorite());
    EXPECT_EQ(prompt->externalId(), "ext-1");
    EXPECT_TRUE(prompt->categories().isEmpty()); // replaced, not merged
    EXPECT_TRUE(prompt->tags().isEmpty());
    EXPECT_TRUE(writing->prompts().isEmpty());

    // One backup per successful save, taken after the save.
    EXPECT_EQ(backups, 2);
    EXPECT_TRUE(savedAtBackup);
    EXPECT_FALSE(ctx.hasChanges());
}

TEST_F(ImporterTest, NewTagsAreCreatedOnceFlagsDefaultToOffAndBadDatesAreNow)
{
    QJsonObject hot =
        record(QUuid::createUuid().toString(QUuid::WithoutBraces), "Hot", {}, {"image", "text"});
    hot.insert("hot", true);
    hot.insert("active", true);
    hot.insert("created", "2024-13-01"); // dates that do not parse become now
    hot.insert("updated", "2024/01/01");
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    const QJsonObject plain = record("not-a-uuid", "Plain", {}, {"image"});
    const PromptImporter::Result result = run(json(QJsonArray{hot, plain}));
    EXPECT_EQ(result.successMessage, "Processed 2 items: 2 inserted, 0 updated.");
    EXPECT_EQ(backups, 1);

    const QList<PromptTag *> tags = ctx.fetch<PromptTag>();
    ASSERT_EQ(tags.size(), 2);
    EXPECT_EQ(tags.at(1)->name(), "image");
    EXPECT_EQ(tags.at(1)->prompts().size(), 2);
    EXPECT_EQ(tags.at(0)->prompts().size(), 1); // the existing "text" tag was reused

    const QList<Prompt *> prompts = ctx.fetch<Prompt>();
    ASSERT_EQ(prompts.size(), 2);
    EXPECT_TRUE(prompts.at(0)->isHot());
    EXPECT_TRUE(prompts.at(0)->isActive());
    EXPECT_GE(prompts.at(0)->createdAt(), before);
    EXPECT_GE(prompts.at(0)->updatedAt(), before);
    // Absent "active" means inactive here, unlike in the shipped library.
    EXPECT_FALSE(prompts.at(1)->isHot());
    EXPECT_FALSE(prompts.at(1)->isActive());
    // An id that is no UUID gets the one the synchronisation derives from it.
    EXPECT_EQ(prompts.at(1)->id(), PromptSyncService::idForSeed("not-a-uuid"));
    EXPECT_TRUE(prompts.at(1)->isNew());

    // So pasting the same record again updates it instead of adding a copy.
    EXPECT_EQ(run(json(plain)).successMessage, "Processed 1 items: 0 inserted, 1 updated.");
    EXPECT_EQ(ctx.count<Prompt>(), 2);
}

TEST_F(ImporterTest, BackupLayoutRestoresPromptsWithTheirUserRecords)
{
    ASSERT_TRUE(run(json(record(PromptId, "Mail", {WritingId}))).ok());
    Prompt *prompt = promptById(PromptId);
    ASSERT_TRUE(prompt);
    UserAttribute *attribute = prompt->ensureAttribute();
    attribute->setFavorite(true);
    attribute->setUsageCount(4);
    // What a reset does: the prompt goes, its user record stays.
    ctx.remove(prompt);
    ASSERT_TRUE(ctx.save());
    ASSERT_EQ(ctx.count<Prompt>(), 0);

    const QJsonObject backup{
        {"metadata", QJsonObject{{"version", "1.7"}, {"last_updated", "2024-03-01"}, {"author", "Full Export"}}},
        {"prompts", QJsonArray{record(PromptId, "Mail", {WritingId})}}};
    EXPECT_EQ(run(json(backup)).successMessage, "Processed 1 items: 1 inserted, 0 updated.");
    prompt = promptById(PromptId);
    ASSERT_TRUE(prompt);
    EXPECT_TRUE(prompt->isFavorite());
    EXPECT_EQ(prompt->usageCount(), 4);
    EXPECT_EQ(ctx.count<UserAttribute>(), 1); // re-attached, not a second record

    // A backup with no prompts says so; an object that is neither layout is refused.
    expectError(json(QJsonObject{{"prompts", QJsonArray{}}}), "No prompts found to import.");
    expectError(json(QJsonObject{{"prompts", QJsonArray{1}}}),
                "JSON Error: Not a valid Prompt or List of Prompts.");
}

TEST_F(ImporterTest, FailedSaveReportsAndSkipsTheBackup)
{
    ASSERT_TRUE(ctx.execute(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON prompt BEGIN "
                                           "SELECT RAISE(ABORT, 'disk is full'); END")));
    const PromptImporter::Result result = run(json(record(PromptId, "A")));
    EXPECT_TRUE(result.errorMessage.startsWith("Save Error: ")) << qPrintable(result.errorMessage);
    EXPECT_TRUE(result.errorMessage.contains("disk is full"));
    EXPECT_TRUE(result.successMessage.isEmpty());
    EXPECT_EQ(backups, 0);
    EXPECT_TRUE(ctx.hasChanges()); // the changes stay pending
}
