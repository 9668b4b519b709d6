#include "PromptDetailViewModel.h"

#include "DataController.h"
#include "FormViewModel.h"
#include "ModelContext.h"
#include "Prompt.h"
#include "PromptCategory.h"
#include "PromptGlobalVariable.h"
#include "PromptTag.h"
#include "TestSupport.h"
#include "UserDefaults.h"

#include <QClipboard>
#include <QGuiApplication>
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

Q_IMPORT_QML_PLUGIN(Vorn_DetailPlugin)
Q_IMPORT_QML_PLUGIN(Vorn_EditorPlugin)
Q_IMPORT_QML_PLUGIN(Vorn_StylePlugin)

namespace {
// QTest types into widgets only; a window gets one key click per character.
void typeText(QWindow *window, const QString &text)
{
    for (QChar c : text)
        QTest::keyClick(window, c.toLatin1());
}

// Every kind of field, a choice with sections and one with more than ten options.
const QString EveryKind = QStringLiteral(
    "Write a {{Tone: formal, casual, friendly}} article about {{Topic}} for {{Audience: #Tech, "
    "developers, architects, #Business, managers}} in {{Language: [languages]}}. Use about "
    "{{Words: 100-1000}} words and {{Examples: 3}} examples. Publication date: "
    "{{Publish On: 2024-06-01}}.");

// The panel the detail lives in: 750x600, rounded, the panel's own background.
const QByteArray Harness = R"(
import QtQuick
import Vorn.Style
import Vorn.Detail
Rectangle {
    id: panel
    width: 750; height: 600
    radius: 16
    color: Style.panelBackground
    property QtObject prompt
    property alias detail: view
    PromptDetailView { id: view; anchors.fill: parent; prompt: panel.prompt }
}
)";

struct DetailView : ::testing::Test {
    static void SetUpTestSuite()
    {
        QQuickStyle::setStyle(QStringLiteral("Basic"));
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        DataController::Options options;
        options.inMemory = true;
        DataController::setSharedOptions(options);
        ASSERT_TRUE(DataController::shared()->setUp());
    }

    DetailView()
        : defaults(TestSupport::freshDir(QStringLiteral("detail-view")) + QStringLiteral("/vorn.ini"))
    {
        UserDefaults::setStandard(&defaults);
        context = DataController::shared()->mainContext();
        if (context->fetch<PromptGlobalVariable>().isEmpty()) {
            auto *languages = new PromptGlobalVariable;
            languages->setKey(QStringLiteral("languages"));
            languages->setValues({QStringLiteral("English"), QStringLiteral("German"), QStringLiteral("French"),
                                  QStringLiteral("Spanish"), QStringLiteral("Italian"), QStringLiteral("Dutch"),
                                  QStringLiteral("Polish"), QStringLiteral("Czech"), QStringLiteral("Danish"),
                                  QStringLiteral("Swedish"), QStringLiteral("Finnish"), QStringLiteral("Greek")});
            context->insert(languages);
        }
    }
    ~DetailView() override
    {
        view.reset();
        UserDefaults::setStandard(nullptr);
    }

    Prompt *addPrompt(const QString &templateText)
    {
        auto *prompt = new Prompt;
        prompt->setId(QUuid::createUuid());
        prompt->setTitle(QStringLiteral("Technical Article Outline"));
        prompt->setPromptDescription(
            QStringLiteral("Drafts a structured article for a chosen audience, length and date."));
        prompt->setTemplateText(templateText);
        prompt->setUpdatedAt(QDateTime(QDate(2024, 5, 14), QTime(9, 30)));
        context->insert(prompt);
        auto *category = new PromptCategory;
        category->setId(QUuid::createUuid());
        category->setName(QStringLiteral("Writing"));
        context->insert(category);
        prompt->addCategory(category);
        auto *tag = new PromptTag;
        tag->setName(QStringLiteral("text"));
        context->insert(tag);
        prompt->addTag(tag);
        return prompt;
    }

    void show(Prompt *prompt)
    {
        view = std::make_unique<QQuickView>();
        view->engine()->addImportPath(QStringLiteral("qrc:/qt/qml"));
        view->setColor(Qt::transparent);
        QQmlComponent component(view->engine());
        component.setData(Harness, QUrl(QStringLiteral("qrc:/detail-test/Harness.qml")));
        ASSERT_TRUE(component.isReady()) << component.errorString().toStdString();
        QVariantMap properties{{QStringLiteral("prompt"), QVariant::fromValue<QObject *>(prompt)}};
        root = qobject_cast<QQuickItem *>(component.createWithInitialProperties(properties));
        ASSERT_NE(root, nullptr) << component.errorString().toStdString();
        view->setContent(QUrl(), nullptr, root);
        view->resize(750, 600);
        view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
        view->requestActivate();
        QTest::qWait(50);
        detail = root->property("detail").value<QQuickItem *>();
        ASSERT_NE(detail, nullptr);
        viewModel = detail->property("viewModel").value<PromptDetailViewModel *>();
        ASSERT_NE(viewModel, nullptr);
    }

    // Delegates of repeaters are only visual children, so the search walks the item tree.
    static void collect(QQuickItem *item, const QString &name, QList<QQuickItem *> &found)
    {
        if (item->objectName() == name)
            found.append(item);
        for (QQuickItem *child : item->childItems())
            collect(child, name, found);
    }
    QList<QQuickItem *> findAll(const QString &name) const
    {
        QList<QQuickItem *> found;
        collect(root, name, found);
        return found;
    }
    QQuickItem *find(const QString &name) const { return findAll(name).value(0); }
    QQuickItem *field(int index) const { return find(QStringLiteral("field_%1").arg(index)); }
    QQuickItem *focused() const { return view->activeFocusItem(); }
    // Whether the focused item sits inside this field.
    bool hasFocusIn(QQuickItem *item) const
    {
        for (QQuickItem *p = focused(); p; p = p->parentItem())
            if (p == item)
                return true;
        return false;
    }
    void save(const char *name)
    {
        QTest::qWait(400); // let the toast and transitions settle
        const QImage image = view->grabWindow();
        ASSERT_FALSE(image.isNull());
        EXPECT_TRUE(image.save(QStringLiteral(VORN_DOCS_DIR "/") + QString::fromLatin1(name)));
    }

    UserDefaults defaults;
    ModelContext *context = nullptr;
    std::unique_ptr<QQuickView> view;
    QQuickItem *root = nullptr;
    QQuickItem *detail = nullptr;
    PromptDetailViewModel *viewModel = nullptr;
};
} // namespace

TEST_F(DetailView, ShowsAFieldOfEveryKindAndTheFirstOneHasTheFocus)
{
    Prompt *prompt = addPrompt(EveryKind);
    FormViewModel seed(context, &defaults);
    seed.setup(prompt->templateText(), prompt->id());
    seed.setValue(QStringLiteral("Topic"), QStringLiteral("Incremental builds with CMake and Ninja"));
    seed.setValue(QStringLiteral("Language"), QStringLiteral("English"));
    seed.setNumberValue(QStringLiteral("Words"), 600);
    show(prompt);

    QStringList kinds;
    for (int i = 0; i < 7; ++i) {
        QQuickItem *item = field(i);
        ASSERT_NE(item, nullptr) << i;
        kinds.append(item->property("kind").toString());
    }
    EXPECT_EQ(kinds, (QStringList{QStringLiteral("comboBox"), QStringLiteral("multilineText"),
                                  QStringLiteral("comboBox"), QStringLiteral("comboBox"),
                                  QStringLiteral("range"), QStringLiteral("number"), QStringLiteral("date")}));
    EXPECT_EQ(field(7), nullptr);
    EXPECT_TRUE(hasFocusIn(field(0)));
    EXPECT_TRUE(find(QStringLiteral("instructions"))->isVisible());
    EXPECT_FALSE(find(QStringLiteral("validationErrors"))->isVisible());
    EXPECT_TRUE(find(QStringLiteral("copyButton"))->isEnabled());
    EXPECT_TRUE(find(QStringLiteral("headerCopyButton"))->isEnabled());
    EXPECT_FALSE(find(QStringLiteral("previewButton"))->isEnabled());
    EXPECT_FALSE(find(QStringLiteral("editButton"))->isVisible());
    // Only the list with more than ten options has a sort button.
    int sortButtons = 0;
    for (QQuickItem *button : findAll(QStringLiteral("sortButton")))
        sortButtons += button->isVisible();
    EXPECT_EQ(sortButtons, 1);
    save("detail-form.png");
}

TEST_F(DetailView, ShowsTheValidationMessagesAndDisablesBothCopies)
{
    defaults.setValue(QStringLiteral("instructionShownCount"), 10);
    Prompt *prompt = addPrompt(QStringLiteral(
        "Summarise {{Source Text}} for {{Reader}} in {{Sentences: 3}} sentences, tone "
        "{{Tone: neutral, warm}}."));
    FormViewModel seed(context, &defaults);
    seed.setup(prompt->templateText(), prompt->id());
    seed.setValue(QStringLiteral("Sentences"), QStringLiteral("three"));
    show(prompt);

    EXPECT_FALSE(find(QStringLiteral("instructions"))->isVisible());
    EXPECT_TRUE(find(QStringLiteral("validationErrors"))->isVisible());
    EXPECT_FALSE(find(QStringLiteral("copyButton"))->isEnabled());
    EXPECT_FALSE(find(QStringLiteral("headerCopyButton"))->isEnabled());
    EXPECT_EQ(viewModel->form()->numberedMessages().size(), 3);
    EXPECT_TRUE(viewModel->form()->previewText().contains(QStringLiteral("&lt;missing&gt;")));

    // Ctrl+Return does nothing while the form is incomplete.
    QSignalSpy finished(detail, SIGNAL(finished()));
    QTest::keyClick(view.get(), Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(finished.size(), 0);
    save("detail-validation.png");
}

TEST_F(DetailView, TabWalksTheFieldsAndCtrlReturnCopiesAndFinishes)
{
    Prompt *prompt = addPrompt(QStringLiteral("{{Name}} from {{City}}, {{Age: 30}} years, {{Mood: calm, glad}}"));
    show(prompt);
    ASSERT_TRUE(hasFocusIn(field(0)));
    typeText(view.get(), QStringLiteral("Ann"));
    EXPECT_EQ(viewModel->formModel()->value(QStringLiteral("Name")), QStringLiteral("Ann"));

    QTest::keyClick(view.get(), Qt::Key_Tab);
    EXPECT_TRUE(hasFocusIn(field(1)));
    typeText(view.get(), QStringLiteral("Oslo"));
    QTest::keyClick(view.get(), Qt::Key_Tab);
    EXPECT_TRUE(hasFocusIn(field(2)));
    QTest::keyClick(view.get(), Qt::Key_Tab);
    EXPECT_TRUE(hasFocusIn(field(3)));
    QTest::keyClick(view.get(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(hasFocusIn(field(2)));
    QTest::keyClick(view.get(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(hasFocusIn(field(1)));
    // Tab leaves the multi-line editor instead of typing into it.
    EXPECT_EQ(viewModel->formModel()->value(QStringLiteral("City")), QStringLiteral("Oslo"));

    // Down opens a choice's menu on its current entry; Down and Return pick the next one.
    QMetaObject::invokeMethod(field(3), "takeFocus");
    QTest::keyClick(view.get(), Qt::Key_Down);
    QTest::keyClick(view.get(), Qt::Key_Down);
    QTest::keyClick(view.get(), Qt::Key_Return);
    EXPECT_EQ(viewModel->formModel()->value(QStringLiteral("Mood")), QStringLiteral("glad"));
    EXPECT_TRUE(hasFocusIn(field(3)));

    QSignalSpy finished(detail, SIGNAL(finished()));
    QSignalSpy back(detail, SIGNAL(back()));
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(view.get(), Qt::Key_Return, Qt::ControlModifier);
    ASSERT_EQ(finished.size(), 1);
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              QStringLiteral("\"Ann\" from \"Oslo\", \"30\" years, \"glad\""));
    EXPECT_EQ(prompt->usageCount(), 1);
    EXPECT_EQ(viewModel->formModel()->value(QStringLiteral("City")), QStringLiteral("Oslo"));

    QTest::keyClick(view.get(), Qt::Key_Escape);
    EXPECT_EQ(back.size(), 1);
}

TEST_F(DetailView, HeaderCopyShowsTheToastAndKeepsTheDetail)
{
    Prompt *prompt = addPrompt(QStringLiteral("Hello {{Name: world}}"));
    show(prompt);
    QSignalSpy finished(detail, SIGNAL(finished()));
    QQuickItem *copy = find(QStringLiteral("headerCopyButton"));
    ASSERT_NE(copy, nullptr);
    QMetaObject::invokeMethod(copy, "clicked");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("Hello \"world\""));
    EXPECT_EQ(finished.size(), 0);
    EXPECT_EQ(prompt->usageCount(), 1);
    EXPECT_EQ(find(QStringLiteral("usesText"))->property("text").toString(), QStringLiteral("Uses: 1"));
}

TEST_F(DetailView, TheEditButtonOpensTheEditorInAdministrationMode)
{
    defaults.setValue(QStringLiteral("isAdminMode"), true);
    Prompt *prompt = addPrompt(QStringLiteral("Hello {{Name}}"));
    show(prompt);
    QQuickItem *edit = find(QStringLiteral("editButton"));
    ASSERT_TRUE(edit && edit->isVisible());
    EXPECT_TRUE(find(QStringLiteral("addCategoryMenu"))->isVisible());
    QMetaObject::invokeMethod(edit, "clicked");
    QQuickItem *editor = find(QStringLiteral("adminFullPromptEditorView"));
    ASSERT_NE(editor, nullptr);
    QTest::qWait(50);
    // Escape closes the editor only, not the detail.
    QSignalSpy back(detail, SIGNAL(back()));
    QTest::keyClick(view.get(), Qt::Key_Escape);
    QTest::qWait(50);
    EXPECT_EQ(find(QStringLiteral("adminFullPromptEditorView")), nullptr);
    EXPECT_EQ(back.size(), 0);
}

TEST_F(DetailView, ThePreviewOpensOverTheDetailAndEscapeClosesItFirst)
{
    Prompt *prompt = addPrompt(QStringLiteral("Hello {{Name}}"));
    show(prompt);
    detail->setProperty("showPreview", true);
    QTest::qWait(50);
    QQuickItem *preview = find(QStringLiteral("imagePreviewView"));
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(preview->hasActiveFocus());
    QSignalSpy back(detail, SIGNAL(back()));
    QTest::keyClick(view.get(), Qt::Key_Escape);
    QTest::qWait(50);
    EXPECT_FALSE(detail->property("showPreview").toBool());
    EXPECT_EQ(back.size(), 0);
    EXPECT_TRUE(hasFocusIn(field(0)));
}
