#include "PromptEditorViewModel.h"

#include "DataController.h"
#include "ModelContext.h"
#include "Prompt.h"
#include "PromptGlobalVariable.h"
#include "QmlTestSupport.h"
#include "StoreTestData.h"
#include "TestSupport.h"
#include "UserDefaults.h"

#include <QSignalSpy>
#include <QTest>
#include <QtQml/qqmlextensionplugin.h>

#include <gtest/gtest.h>

#include <memory>

Q_IMPORT_QML_PLUGIN(Vorn_EditorPlugin)

namespace {
const char *const Editor = R"(
    property QtObject prompt
    property alias editor: sheet
    AdminFullPromptEditorView { id: sheet; prompt: panel.prompt }
)";

struct EditorView : ::testing::Test {
    static void SetUpTestSuite()
    {
        DataController::Options options;
        options.inMemory = true;
        DataController::setSharedOptions(options);
        ASSERT_TRUE(DataController::shared()->setUp());
        ModelContext *context = DataController::shared()->mainContext();
        const QList<std::pair<QString, QStringList>> lists{
            {QStringLiteral("audiences"), {QStringLiteral("developers"), QStringLiteral("managers")}},
            {QStringLiteral("frontend_frameworks"), {QStringLiteral("React"), QStringLiteral("Vue")}},
            {QStringLiteral("languages"), {QStringLiteral("English"), QStringLiteral("German")}},
            {QStringLiteral("image_styles"), {QStringLiteral("photo"), QStringLiteral("watercolour")}},
            {QStringLiteral("tones"), {QStringLiteral("formal"), QStringLiteral("casual")}},
            {QStringLiteral("output_formats"), {QStringLiteral("Markdown"), QStringLiteral("JSON")}},
            {QStringLiteral("camera_angles"), {QStringLiteral("low"), QStringLiteral("high")}},
            {QStringLiteral("programming_languages"), {QStringLiteral("C++"), QStringLiteral("Rust")}},
        };
        for (const auto &[key, values] : lists)
            TestData::addList(*context, key, values);
    }

    EditorView() : defaults(TestSupport::freshDir(QStringLiteral("editor-view")) + QStringLiteral("/vorn.ini"))
    {
        UserDefaults::setStandard(&defaults);
        prompt = new Prompt;
        prompt->setId(QUuid::createUuid());
        prompt->setTitle(QStringLiteral("Code Review Checklist"));
        prompt->setPromptDescription(QStringLiteral("Reviews a change for correctness, tests and style."));
        prompt->setTemplateText(QStringLiteral(
            "Review the following {{Language: [programming_languages]}} change as a senior engineer.\n\n"
            "Focus on {{Focus: correctness, performance, readability}} and point out missing tests.\n"
            "Answer in {{Format: [output_formats]}} with at most {{Findings: 1-10}} findings.\n\n"
            "{{Diff}}"));
        prompt->setUpdatedAt(QDateTime(QDate(2024, 5, 14), QTime(9, 30)));
        DataController::shared()->mainContext()->insert(prompt);
    }
    ~EditorView() override
    {
        view.reset();
        UserDefaults::setStandard(nullptr);
    }

    void show()
    {
        view = std::make_unique<QmlTestView>();
        ASSERT_TRUE(view->showOnPanel(QStringLiteral("import Vorn.Editor"), QString::fromLatin1(Editor),
                                      {{QStringLiteral("prompt"), QVariant::fromValue<QObject *>(prompt)}}));
        sheet = view->rootObject()->property("editor").value<QQuickItem *>();
        ASSERT_NE(sheet, nullptr);
        viewModel = sheet->property("viewModel").value<PromptEditorViewModel *>();
        ASSERT_NE(viewModel, nullptr);
        viewModel->setBackupAction([this] { ++backups; });
    }

    UserDefaults defaults;
    Prompt *prompt = nullptr;
    std::unique_ptr<QmlTestView> view;
    QQuickItem *sheet = nullptr;
    PromptEditorViewModel *viewModel = nullptr;
    int backups = 0;
};
} // namespace

TEST_F(EditorView, RendersTheFieldsAndThePalette)
{
    show();
    ASSERT_NE(view->item(QStringLiteral("titleField")), nullptr);
    EXPECT_EQ(view->item(QStringLiteral("titleField"))->property("text").toString(),
              QStringLiteral("Code Review Checklist"));
    EXPECT_NE(view->item(QStringLiteral("variablePalette")), nullptr);
    view->screenshot(QStringLiteral("editor.png"), 300);
}

TEST_F(EditorView, TypingThenEscapeDiscardsAndCtrlReturnSaves)
{
    show();
    QSignalSpy closed(sheet, SIGNAL(closed()));
    // The title field has the focus when the sheet opens.
    view->type(QStringLiteral(" v2"));
    EXPECT_EQ(viewModel->title(), QStringLiteral("Code Review Checklist v2"));
    view->key(Qt::Key_Escape);
    EXPECT_EQ(closed.size(), 1);
    EXPECT_EQ(prompt->title(), QStringLiteral("Code Review Checklist"));

    view->key(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(closed.size(), 2);
    EXPECT_EQ(prompt->title(), QStringLiteral("Code Review Checklist v2"));
    QTest::qWait(10);
    EXPECT_EQ(backups, 1);
}

// The full editor in German, the longest of the shipped languages: its labels, buttons and
// palette whole and apart (screenshot() checks them).
TEST_F(EditorView, GermanTextsFitInEveryState)
{
    const QmlTest::Language german(QStringLiteral("de"));
    show();
    EXPECT_EQ(view->item(QStringLiteral("saveButton"))->property("text").toString(), QStringLiteral("Speichern"));
    view->screenshot(QStringLiteral("de-editor.png"), 300);
}
