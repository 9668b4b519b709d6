#include "ImportSheetViewModel.h"
#include "ModelContext.h"
#include "Prompt.h"
#include "PromptCategory.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {
const QString Valid = QStringLiteral(R"({"id": "C3C3C3C3-0000-0000-0000-000000000003", "categories": ["Writing"],
    "tags": ["text"], "title": "Letter", "description": "A letter", "template": "Dear {{Name}}",
    "created": "2024-01-31", "updated": "2024-02-29", "active": true})");

class ImportSheetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ctx.open(ModelContext::InMemory).ok());
        ctx.setAutosaveInterval(-1);
        auto *c = new PromptCategory;
        c->setName(QStringLiteral("Writing"));
        ctx.insert(c);
        ASSERT_TRUE(ctx.save());
        sheet.setCreateBackup([this] { ++backups; });
    }

    ModelContext ctx;
    ImportSheetViewModel sheet{&ctx, nullptr};
    int backups = 0;
};
} // namespace

// Save needs text; a failure keeps the text for correction and imports nothing; a success
// empties the editor, and each successful save backs up once.
TEST_F(ImportSheetTest, SaveNeedsTextAFailureKeepsItAndASuccessEmptiesTheEditor)
{
    QSignalSpy canSave(&sheet, &ImportSheetViewModel::jsonTextChanged);
    EXPECT_FALSE(sheet.canSave());
    sheet.save();
    EXPECT_EQ(sheet.errorMessage(), QString());
    EXPECT_EQ(sheet.successMessage(), QString());
    sheet.setJsonText(QStringLiteral(" "));
    EXPECT_TRUE(sheet.canSave());
    EXPECT_EQ(canSave.size(), 1);

    sheet.setJsonText(QStringLiteral("[]"));
    sheet.save();
    EXPECT_EQ(sheet.errorMessage(), QStringLiteral("No prompts found to import."));
    EXPECT_EQ(sheet.successMessage(), QString());
    EXPECT_EQ(sheet.jsonText(), QStringLiteral("[]"));
    EXPECT_EQ(ctx.count<Prompt>(), 0);
    EXPECT_EQ(backups, 0);

    // A success empties the editor and replaces the earlier error.
    sheet.setJsonText(QStringLiteral("{"));
    sheet.save();
    ASSERT_EQ(sheet.errorMessage(), QStringLiteral("JSON Error: Not a valid Prompt or List of Prompts."));

    QSignalSpy result(&sheet, &ImportSheetViewModel::resultChanged);
    sheet.setJsonText(Valid);
    sheet.save();
    EXPECT_EQ(sheet.errorMessage(), QString());
    EXPECT_EQ(sheet.successMessage(), QStringLiteral("Processed 1 items: 1 inserted, 0 updated."));
    EXPECT_EQ(sheet.jsonText(), QString());
    EXPECT_FALSE(sheet.canSave());
    EXPECT_EQ(result.size(), 1);
    EXPECT_EQ(ctx.count<Prompt>(), 1);
    EXPECT_EQ(backups, 1);
    // The same paste again updates the prompt; each successful save backs up once.
    sheet.setJsonText(Valid);
    sheet.save();
    EXPECT_EQ(sheet.successMessage(), QStringLiteral("Processed 1 items: 0 inserted, 1 updated."));
    EXPECT_EQ(ctx.count<Prompt>(), 1);
    EXPECT_EQ(backups, 2);
}
