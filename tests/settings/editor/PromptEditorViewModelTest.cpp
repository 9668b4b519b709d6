#include "PromptEditorViewModel.h"

#include "ModelContext.h"
#include "Prompt.h"
#include "PromptGlobalVariable.h"
#include "PromptTag.h"

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
        prompt->setId(QUuid::createUuid());
        prompt->setTitle(QStringLiteral("Old title"));
        prompt->setPromptDescription(QStringLiteral("Old description"));
        prompt->setTemplateText(QStringLiteral("Old {{Template}}"));
        prompt->setUpdatedAt(Before);
        prompt->setNew(true);
        context.insert(prompt);
        editor = std::make_unique<PromptEditorViewModel>(&context, nullptr);
        editor->setBackupAction([this] { ++backups; });
        editor->setPrompt(prompt);
    }
    PromptGlobalVariable *addVariable(const QString &key, const QStringList &values)
    {
        auto *variable = new PromptGlobalVariable;
        variable->setKey(key);
        variable->setValues(values);
        context.insert(variable);
        return variable;
    }
};
} // namespace

TEST_F(Editor, FieldsAreCopiesThatCancelAndEscapeDrop)
{
    EXPECT_EQ(editor->title(), QStringLiteral("Old title"));
    EXPECT_EQ(editor->description(), QStringLiteral("Old description"));
    EXPECT_EQ(editor->templateText(), QStringLiteral("Old {{Template}}"));
    editor->setTitle(QStringLiteral("New"));
    editor->setTemplateText(QString());
    EXPECT_EQ(prompt->title(), QStringLiteral("Old title"));

    QSignalSpy closed(editor.get(), &PromptEditorViewModel::closed);
    editor->cancel();
    QCoreApplication::processEvents();
    EXPECT_EQ(closed.size(), 1);
    EXPECT_EQ(prompt->title(), QStringLiteral("Old title"));
    EXPECT_EQ(prompt->templateText(), QStringLiteral("Old {{Template}}"));
    EXPECT_EQ(prompt->updatedAt(), Before);
    EXPECT_EQ(backups, 0);
}

TEST_F(Editor, SaveWritesTheTextsAndDateThenBacksUpAfterTheEvent)
{
    auto *tag = new PromptTag;
    tag->setName(QStringLiteral("text"));
    context.insert(tag);
    prompt->addTag(tag);
    editor->setTitle(QStringLiteral("New title"));
    editor->setDescription(QString());
    editor->setTemplateText(QStringLiteral("{{Unbalanced"));

    QSignalSpy closed(editor.get(), &PromptEditorViewModel::closed);
    const QDateTime start = QDateTime::currentDateTime();
    editor->save();
    EXPECT_EQ(closed.size(), 1);
    EXPECT_EQ(prompt->title(), QStringLiteral("New title"));
    EXPECT_EQ(prompt->promptDescription(), QString());
    EXPECT_EQ(prompt->templateText(), QStringLiteral("{{Unbalanced")); // saved as typed
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
    EXPECT_EQ(prompt->title(), QStringLiteral("Old title"));
    EXPECT_EQ(backups, 1);
}

TEST_F(Editor, SnippetLabelsCapitaliseTheKeyWords)
{
    EXPECT_EQ(PromptEditorViewModel::labelForKey(QStringLiteral("frontend_frameworks")),
              QStringLiteral("Frontend Frameworks"));
    EXPECT_EQ(PromptEditorViewModel::snippetForKey(QStringLiteral("languages")),
              QStringLiteral("{{Languages: [languages]}}"));
    EXPECT_EQ(PromptEditorViewModel::snippetForKey(QStringLiteral("API_keys")),
              QStringLiteral("{{Api Keys: [API_keys]}}"));

    QSignalSpy copied(editor.get(), &PromptEditorViewModel::copied);
    editor->copySnippet(QStringLiteral("frontend_frameworks"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              QStringLiteral("{{Frontend Frameworks: [frontend_frameworks]}}"));
    EXPECT_EQ(copied.size(), 1);
}

TEST_F(Editor, PaletteIsSortedByKeyAndShowsTheFirstTenValues)
{
    QStringList twelve;
    for (int i = 1; i <= 12; ++i)
        twelve.append(QStringLiteral("v%1").arg(i));
    addVariable(QStringLiteral("tones"), twelve);
    addVariable(QStringLiteral("Audience"), {QStringLiteral("devs")});
    addVariable(QStringLiteral("empty"), {});
    const QVariantList palette = editor->variables();
    ASSERT_EQ(palette.size(), 3);
    EXPECT_EQ(palette[0].toMap()[QStringLiteral("key")].toString(), QStringLiteral("Audience"));
    EXPECT_EQ(palette[1].toMap()[QStringLiteral("help")].toString(), QString());
    EXPECT_TRUE(palette[1].toMap()[QStringLiteral("values")].toStringList().isEmpty());
    const QVariantMap tones = palette[2].toMap();
    EXPECT_EQ(tones[QStringLiteral("values")].toStringList(), twelve.mid(0, 10));
    EXPECT_EQ(tones[QStringLiteral("help")].toString(), twelve.mid(0, 10).join(u'\n'));
    EXPECT_EQ(tones[QStringLiteral("snippet")].toString(), QStringLiteral("{{Tones: [tones]}}"));
}
