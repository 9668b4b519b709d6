#include "PromptEditorViewModel.h"

#include "DataController.h"
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
        // A store of its own each run (--gtest_repeat), with the lists the palette shows.
        DataController::resetShared();
        DataController::setSharedOptions({.storePath = {}, .documentsDir = {}, .inMemory = true});
        ASSERT_TRUE(DataController::shared()->setUp());
        ModelContext *context = DataController::shared()->mainContext();
        for (const char *list : {"audiences:developers,managers", "frontend_frameworks:React,Vue", "languages:English,German",
                                 "image_styles:photo,watercolour", "tones:formal,casual", "output_formats:Markdown,JSON",
                                 "camera_angles:low,high", "programming_languages:C++,Rust"}) {
            const QStringList keyAndValues = QString::fromLatin1(list).split(u':');
            TestData::addList(*context, keyAndValues[0], keyAndValues[1].split(u','));
        }
    }

    EditorView() : defaults(TestSupport::freshDir(QStringLiteral("editor-view")) + QStringLiteral("/vorn.ini"))
    {
        UserDefaults::setStandard(&defaults);
        prompt = TestData::addPrompt(*DataController::shared()->mainContext(), QStringLiteral("Code Review Checklist"),
                                     "Review the following {{Language: [programming_languages]}} change as a senior engineer.\n\n"
                                     "Focus on {{Focus: correctness, performance, readability}} and point out missing tests.\n"
                                     "Answer in {{Format: [output_formats]}} with at most {{Findings: 1-10}} findings.\n\n{{Diff}}",
                                     QStringLiteral("Reviews a change for correctness, tests and style."));
        prompt->setUpdatedAt(QDateTime(QDate(2024, 5, 14), QTime(9, 30)));
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

TEST_F(EditorView, RendersTheFieldsThenEscapeDiscardsAndCtrlReturnSaves)
{
    show();
    QQuickItem *title = view->item(QStringLiteral("titleField"));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->property("text").toString(), QStringLiteral("Code Review Checklist"));
    EXPECT_NE(view->item(QStringLiteral("variablePalette")), nullptr);
    view->screenshot(QStringLiteral("editor.png"), 300);

    QSignalSpy closed(sheet, SIGNAL(closed()));
    EXPECT_TRUE(title->hasActiveFocus()) << "the title field has the focus when the sheet opens";
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
