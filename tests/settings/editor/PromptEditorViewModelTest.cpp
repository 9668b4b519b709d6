#include "PromptEditorViewModel.h"

#include "ModelContext.h"
#include "Prompt.h"
#include "PromptTag.h"
#include "StoreTestData.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <memory>

namespace {
const QDateTime Before(QDate(2023, 3, 1), QTime(8, 0));

struct Editor : ::testing::Test {
    ModelContext context;
    Prompt *prompt = new Prompt;
    std::unique_ptr<PromptEditorViewModel> editor;
    int backups = 0;

    Editor()
    {
        context.setAutosaveInterval(-1);
        EXPECT_TRUE(context.open(QString::fromLatin1(ModelContext::InMemory)).ok());
        prompt->setTitle("Old title");
        prompt->setPromptDescription("Old description");
        prompt->setTemplateText("Old {{Template}}");
        prompt->setUpdatedAt(Before);
        prompt->setNew(true);
        context.insert(prompt);
        editor = std::make_unique<PromptEditorViewModel>(&context, nullptr);
        editor->setBackupAction([this] { ++backups; });
        editor->setPrompt(prompt);
    }
};
} // namespace

TEST_F(Editor, FieldsAreCopiesThatCancelAndEscapeDrop)
{
    EXPECT_EQ(editor->title(), "Old title");
    EXPECT_EQ(editor->description(), "Old description");
    EXPECT_EQ(editor->templateText(), "Old {{Template}}");
    editor->setTitle("New");
    editor->setTemplateText(QString());
    EXPECT_EQ(prompt->title(), "Old title");

    QSignalSpy closed(editor.get(), &PromptEditorViewModel::closed);
    editor->cancel();
    QCoreApplication::processEvents();
    EXPECT_EQ(closed.size(), 1);
    EXPECT_EQ(prompt->title(), "Old title");
    EXPECT_EQ(prompt->templateText(), "Old {{Template}}");
    EXPECT_EQ(prompt->updatedAt(), Before);
    EXPECT_EQ(backups, 0);
}

TEST_F(Editor, SaveWritesTheTextsAndDateThenBacksUpAfterTheEvent)
{
    auto *tag = new PromptTag;
    tag->setName("text");
    context.insert(tag);
    prompt->addTag(tag);
    editor->setTitle("New title");
    editor->setDescription(QString());
    editor->setTemplateText("{{Unbalanced");

    QSignalSpy closed(editor.get(), &PromptEditorViewModel::closed);
    const QDateTime start = QDateTime::currentDateTime();
    editor->save();
    EXPECT_EQ(closed.size(), 1);
    EXPECT_EQ(prompt->title(), "New title");
    EXPECT_EQ(prompt->promptDescription(), QString());
    EXPECT_EQ(prompt->templateText(), "{{Unbalanced"); // saved as typed
    EXPECT_GE(prompt->updatedAt(), start.addSecs(-1));
    EXPECT_TRUE(prompt->isNew());
    EXPECT_EQ(prompt->tags().size(), 1);
    // The backup waits for the current event, and runs even when the sheet is gone by then.
    EXPECT_EQ(backups, 0);
    editor.reset();
    QCoreApplication::processEvents();
    EXPECT_EQ(backups, 1);
}

TEST_F(Editor, SavingWithoutChangesStillDatesAndBacksUp)
{
    editor->save();
    QCoreApplication::processEvents();
    EXPECT_GT(prompt->updatedAt(), Before);
    EXPECT_EQ(prompt->title(), "Old title");
    EXPECT_EQ(backups, 1);
}

// The palette: sorted by key, the first ten values, snippets with capitalised key words.
TEST_F(Editor, PaletteIsSortedByKeyShowsTheFirstTenValuesAndCopiesSnippets)
{
    QStringList twelve;
    for (int i = 1; i <= 12; ++i)
        twelve.append(QStringLiteral("v%1").arg(i));
    TestData::addList(context, "tones", twelve);
    TestData::addList(context, "Audience", {"devs"});
    TestData::addList(context, "empty", {});
    const QVariantList palette = editor->variables();
    ASSERT_EQ(palette.size(), 3);
    EXPECT_EQ(palette[0].toMap()["key"].toString(), "Audience");
    EXPECT_EQ(palette[1].toMap()["help"].toString(), QString());
    EXPECT_TRUE(palette[1].toMap()["values"].toStringList().isEmpty());
    const QVariantMap tones = palette[2].toMap();
    EXPECT_EQ(tones["values"].toStringList(), twelve.mid(0, 10));
    EXPECT_EQ(tones["help"].toString(), twelve.mid(0, 10).join(u'\n'));
    EXPECT_EQ(tones["snippet"].toString(), "{{Tones: [tones]}}");

    EXPECT_EQ(PromptEditorViewModel::labelForKey("frontend_frameworks"), "Frontend Frameworks");
    EXPECT_EQ(PromptEditorViewModel::snippetForKey("API_keys"), "{{Api Keys: [API_keys]}}");
    QSignalSpy copied(editor.get(), &PromptEditorViewModel::copied);
    editor->copySnippet("frontend_frameworks");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "{{Frontend Frameworks: [frontend_frameworks]}}");
    EXPECT_EQ(copied.size(), 1);
}
