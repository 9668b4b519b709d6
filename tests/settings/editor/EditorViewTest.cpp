#include "PromptEditorViewModel.h"

#include "DataController.h"
#include "ModelContext.h"
#include "Prompt.h"
#include "PromptGlobalVariable.h"
#include "TestSupport.h"
#include "UserDefaults.h"

#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickStyle>
#include <QQuickView>
#include <QSignalSpy>
#include <QTest>
#include <QtQml/qqmlextensionplugin.h>

#include <gtest/gtest.h>

#include <memory>

Q_IMPORT_QML_PLUGIN(Vorn_EditorPlugin)
Q_IMPORT_QML_PLUGIN(Vorn_StylePlugin)

namespace {
// QTest types into widgets only; a window gets one key click per character.
void typeText(QWindow *window, const QString &text)
{
    for (QChar c : text)
        QTest::keyClick(window, c.toLatin1());
}

const QByteArray Harness = R"(
import QtQuick
import Vorn.Style
import Vorn.Editor
Rectangle {
    id: panel
    width: 750; height: 600
    radius: 16
    color: Style.panelBackground
    property QtObject prompt
    property alias editor: sheet
    AdminFullPromptEditorView { id: sheet; prompt: panel.prompt }
}
)";

struct EditorView : ::testing::Test {
    static void SetUpTestSuite()
    {
        QQuickStyle::setStyle(QStringLiteral("Basic"));
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
        for (const auto &[key, values] : lists) {
            auto *variable = new PromptGlobalVariable;
            variable->setKey(key);
            variable->setValues(values);
            context->insert(variable);
        }
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
        view = std::make_unique<QQuickView>();
        view->engine()->addImportPath(QStringLiteral("qrc:/qt/qml"));
        view->setColor(Qt::transparent);
        QQmlComponent component(view->engine());
        component.setData(Harness, QUrl(QStringLiteral("qrc:/editor-test/Harness.qml")));
        ASSERT_TRUE(component.isReady()) << component.errorString().toStdString();
        root = qobject_cast<QQuickItem *>(component.createWithInitialProperties(
            {{QStringLiteral("prompt"), QVariant::fromValue<QObject *>(prompt)}}));
        ASSERT_NE(root, nullptr);
        view->setContent(QUrl(), nullptr, root);
        view->resize(750, 600);
        view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
        view->requestActivate();
        QTest::qWait(50);
        sheet = root->property("editor").value<QQuickItem *>();
        ASSERT_NE(sheet, nullptr);
        viewModel = sheet->property("viewModel").value<PromptEditorViewModel *>();
        ASSERT_NE(viewModel, nullptr);
        viewModel->setBackupAction([this] { ++backups; });
    }

    UserDefaults defaults;
    Prompt *prompt = nullptr;
    std::unique_ptr<QQuickView> view;
    QQuickItem *root = nullptr;
    QQuickItem *sheet = nullptr;
    PromptEditorViewModel *viewModel = nullptr;
    int backups = 0;
};
} // namespace

TEST_F(EditorView, RendersTheFieldsAndThePalette)
{
    show();
    EXPECT_EQ(root->findChild<QQuickItem *>(QStringLiteral("titleField"))->property("text").toString(),
              QStringLiteral("Code Review Checklist"));
    QQuickItem *palette = root->findChild<QQuickItem *>(QStringLiteral("variablePalette"));
    ASSERT_NE(palette, nullptr);
    EXPECT_GE(viewModel->variables().size(), 8);
    QTest::qWait(300);
    const QImage image = view->grabWindow();
    EXPECT_TRUE(image.save(QStringLiteral(VORN_DOCS_DIR "/editor.png")));
}

TEST_F(EditorView, TypingThenEscapeDiscardsAndCtrlReturnSaves)
{
    show();
    QSignalSpy closed(sheet, SIGNAL(closed()));
    // The title field has the focus when the sheet opens.
    typeText(view.get(), QStringLiteral(" v2"));
    EXPECT_EQ(viewModel->title(), QStringLiteral("Code Review Checklist v2"));
    QTest::keyClick(view.get(), Qt::Key_Escape);
    EXPECT_EQ(closed.size(), 1);
    EXPECT_EQ(prompt->title(), QStringLiteral("Code Review Checklist"));

    QTest::keyClick(view.get(), Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(closed.size(), 2);
    EXPECT_EQ(prompt->title(), QStringLiteral("Code Review Checklist v2"));
    QTest::qWait(10);
    EXPECT_EQ(backups, 1);
}
