#include "PromptDetailViewModel.h"

#include "DataController.h"
#include "FormViewModel.h"
#include "ModelContext.h"
#include "Prompt.h"
#include "PromptCategory.h"
#include "PromptGlobalVariable.h"
#include "PromptTag.h"
#include "QmlTestSupport.h"
#include "StoreTestData.h"
#include "UserAttribute.h"
#include "TemplateForm.h"
#include "TestSupport.h"
#include "UserDefaults.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QTest>
#include <QtQml/qqmlextensionplugin.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

Q_IMPORT_QML_PLUGIN(Vorn_DetailPlugin)
Q_IMPORT_QML_PLUGIN(Vorn_EditorPlugin)

namespace {

// Every kind of field, a choice with sections and one with more than ten options.
const QString EveryKind = QStringLiteral(
    "Write a {{Tone: formal, casual, friendly}} article about {{Topic}} for {{Audience: #Tech, "
    "developers, architects, #Business, managers}} in {{Language: [languages]}}. Use about "
    "{{Words: 100-1000}} words and {{Examples: 3}} examples. Publication date: "
    "{{Publish On: 2024-06-01}}.");

// The detail as the panel shows it.
const char *const Detail = R"(
    property QtObject prompt
    property alias detail: view
    PromptDetailView { id: view; anchors.fill: parent; prompt: panel.prompt }
)";

struct DetailView : ::testing::Test {
    static void SetUpTestSuite()
    {
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
        if (context->fetch<PromptGlobalVariable>().isEmpty())
            TestData::addList(*context, QStringLiteral("languages"),
                              {"English", "German", "French", "Spanish", "Italian", "Dutch", "Polish", "Czech",
                               "Danish", "Swedish", "Finnish", "Greek"});
    }
    ~DetailView() override
    {
        view.reset();
        UserDefaults::setStandard(nullptr);
    }

    Prompt *addPrompt(const QString &templateText)
    {
        Prompt *prompt = TestData::addPrompt(*context, QStringLiteral("Technical Article Outline"), templateText,
            QStringLiteral("Drafts a structured article for a chosen audience, length and date."));
        prompt->setUpdatedAt(QDateTime(QDate(2024, 5, 14), QTime(9, 30)));
        auto *category = new PromptCategory;
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
        view = std::make_unique<QmlTestView>();
        ASSERT_TRUE(view->showOnPanel(QStringLiteral("import Vorn.Detail"), QString::fromLatin1(Detail),
                                      {{QStringLiteral("prompt"), QVariant::fromValue<QObject *>(prompt)}}));
        detail = view->rootObject()->property("detail").value<QQuickItem *>();
        ASSERT_NE(detail, nullptr);
        viewModel = detail->property("viewModel").value<PromptDetailViewModel *>();
        ASSERT_NE(viewModel, nullptr);
    }

    QQuickItem *field(int index) const { return view->item(QStringLiteral("field_%1").arg(index)); }
    // Whether the focused item is this field or sits inside it.
    bool hasFocusIn(QQuickItem *item) const
    {
        return item && (item == view->activeFocusItem() || item->isAncestorOf(view->activeFocusItem()));
    }

    UserDefaults defaults;
    ModelContext *context = nullptr;
    std::unique_ptr<QmlTestView> view;
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
    EXPECT_TRUE(view->item(QStringLiteral("instructions"))->isVisible());
    EXPECT_FALSE(view->item(QStringLiteral("validationErrors"))->isVisible());
    EXPECT_TRUE(view->item(QStringLiteral("copyButton"))->isEnabled());
    EXPECT_TRUE(view->item(QStringLiteral("headerCopyButton"))->isEnabled());
    EXPECT_FALSE(view->item(QStringLiteral("previewButton"))->isEnabled());
    EXPECT_FALSE(view->item(QStringLiteral("editButton"))->isVisible());
    // Only the list with more than ten options has a sort button.
    int sortButtons = 0;
    for (QQuickItem *button : view->items(QStringLiteral("sortButton")))
        sortButtons += button->isVisible();
    EXPECT_EQ(sortButtons, 1);
    view->screenshot(QStringLiteral("detail-form.png"));

    // Return opens the calendar; Escape closes it and the date field keeps the focus.
    QMetaObject::invokeMethod(field(6), "takeFocus");
    view->key(Qt::Key_Return);
    QObject *calendar = field(6)->findChild<QObject *>(QStringLiteral("datePickerPopup"));
    ASSERT_NE(calendar, nullptr);
    EXPECT_TRUE(calendar->property("visible").toBool());
    QSignalSpy back(detail, SIGNAL(back()));
    view->key(Qt::Key_Escape);
    EXPECT_TRUE(QmlTest::waitFor([&] { return !calendar->property("visible").toBool(); })) << "Escape closes the calendar";
    EXPECT_EQ(back.size(), 0);
    EXPECT_TRUE(hasFocusIn(field(6)));
}

TEST_F(DetailView, TabWalksTheFieldsAndCtrlReturnCopiesAndFinishes)
{
    Prompt *prompt = addPrompt(QStringLiteral("{{Name}} from {{City}}, {{Age: 30}} years, {{Mood: calm, glad}}"));
    show(prompt);
    ASSERT_TRUE(hasFocusIn(field(0)));
    view->type(QStringLiteral("Ann"));
    EXPECT_EQ(viewModel->formModel()->value(QStringLiteral("Name")), QStringLiteral("Ann"));

    view->key(Qt::Key_Tab);
    EXPECT_TRUE(hasFocusIn(field(1)));
    view->type(QStringLiteral("Oslo"));
    view->key(Qt::Key_Tab);
    EXPECT_TRUE(hasFocusIn(field(2)));
    view->key(Qt::Key_Tab);
    EXPECT_TRUE(hasFocusIn(field(3)));
    view->key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(hasFocusIn(field(2)));
    view->key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(hasFocusIn(field(1)));
    EXPECT_EQ(viewModel->formModel()->value(QStringLiteral("City")), QStringLiteral("Oslo"))
        << "Tab leaves the multi-line editor instead of typing into it";

    // Down opens a choice's menu on its current entry; Down and Return pick the next one.
    QMetaObject::invokeMethod(field(3), "takeFocus");
    view->key(Qt::Key_Down);
    view->key(Qt::Key_Down);
    view->key(Qt::Key_Return);
    EXPECT_EQ(viewModel->formModel()->value(QStringLiteral("Mood")), QStringLiteral("glad"));
    EXPECT_TRUE(hasFocusIn(field(3)));
    // Escape closes an open menu only, and the field keeps the focus for the next key.
    QSignalSpy back(detail, SIGNAL(back()));
    view->key(Qt::Key_Down);
    view->key(Qt::Key_Escape);
    EXPECT_EQ(back.size(), 0);
    EXPECT_TRUE(hasFocusIn(field(3)));

    // The header's copy copies and keeps the detail; Ctrl+Return copies and finishes.
    QSignalSpy finished(detail, SIGNAL(finished()));
    QGuiApplication::clipboard()->clear();
    QMetaObject::invokeMethod(view->item(QStringLiteral("headerCopyButton")), "clicked");
    const QString copied = QStringLiteral("\"Ann\" from \"Oslo\", \"30\" years, \"glad\"");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), copied);
    EXPECT_EQ(finished.size(), 0);
    EXPECT_EQ(view->item(QStringLiteral("usesText"))->property("text").toString(), QStringLiteral("Uses: 1"));
    QGuiApplication::clipboard()->clear();
    view->key(Qt::Key_Return, Qt::ControlModifier);
    ASSERT_EQ(finished.size(), 1);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), copied);

    view->key(Qt::Key_Escape);
    EXPECT_EQ(back.size(), 1);
}

// Nothing is red before the user did anything; leaving a field shows its message; Ctrl+Return
// on the incomplete form copies nothing and takes the focus back to the first field to fix.
TEST_F(DetailView, MessagesShowOnceAFieldIsLeftAndNumbersTakeOnlyDigits)
{
    defaults.setValue(QStringLiteral("instructionShownCount"), 10);
    show(addPrompt(QStringLiteral("{{Name}} has {{Count: 3}} cats in {{City}}")));
    const auto messageShown = [&](int index) {
        QQuickItem *message = QmlTestView::findShown(field(index), [](QQuickItem *item) {
            return item->objectName() == QLatin1String("fieldMessage");
        });
        return message ? message->property("text").toString() : QString();
    };
    const auto shown = [&](const char *name) { return view->item(QString::fromLatin1(name))->isVisible(); };
    ASSERT_TRUE(hasFocusIn(field(0)));
    EXPECT_FALSE(shown("instructions")) << "past its first ten appearances";
    EXPECT_EQ(messageShown(0), QString());
    EXPECT_FALSE(shown("validationErrors"));
    EXPECT_FALSE(view->item(QStringLiteral("copyButton"))->isEnabled());
    EXPECT_FALSE(view->item(QStringLiteral("headerCopyButton"))->isEnabled());
    view->screenshot(QStringLiteral("detail-validation-fresh.png"));

    view->key(Qt::Key_Tab);
    EXPECT_EQ(messageShown(0), QStringLiteral("Name is missed"));
    EXPECT_TRUE(shown("validationErrors"));
    EXPECT_EQ(messageShown(2), QString()) << "a field not left yet";
    // The number field is selected on arrival; letters and signs never get in.
    ASSERT_TRUE(hasFocusIn(field(1)));
    view->type(QStringLiteral("-1a2,b5e"));
    EXPECT_EQ(viewModel->formModel()->value(QStringLiteral("Count")), QStringLiteral("12,5"));
    view->screenshot(QStringLiteral("states-form-messages.png"));

    QSignalSpy finished(detail, SIGNAL(finished()));
    view->key(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(finished.size(), 0);
    EXPECT_TRUE(field(0)->hasActiveFocus()) << "the first field to fix";
    view->screenshot(QStringLiteral("detail-validation.png"));
}

// The preview's title and buttons lie whole inside the pane beside the fields.
static void expectPreviewHeaderInsidePane(QmlTestView *view)
{
    QQuickItem *pane = view->item(QStringLiteral("previewPane"));
    ASSERT_TRUE(pane && pane->isVisible());
    const QRectF inside = pane->mapRectToScene(QRectF(0, 0, pane->width(), pane->height())).adjusted(-1, -1, 1, 1);
    for (const char *name : {"closeButton", "copyButton"}) {
        QQuickItem *button = view->item(QString::fromLatin1(name));
        ASSERT_NE(button, nullptr) << name;
        EXPECT_TRUE(inside.contains(button->mapRectToScene(QRectF(0, 0, button->width(), button->height())))) << name;
    }
    QQuickItem *header = view->item(QStringLiteral("previewHeader"));
    ASSERT_NE(header, nullptr);
    const QList<QQuickItem *> children = header->childItems();
    const auto title = std::find_if(children.cbegin(), children.cend(), [](QQuickItem *child) {
        return child->property("text").toString() == QCoreApplication::translate("FormGeneratorView", "Preview");
    });
    ASSERT_NE(title, children.cend());
    EXPECT_FALSE((*title)->property("truncated").toBool());
}

TEST_F(DetailView, WithManyFieldsThePreviewStaysOnScreen)
{
    show(addPrompt(QStringLiteral(
        "{{Goal}} {{Audience}} {{Tone: calm, bold}} {{Length: 1-9}} {{Format: list, prose}} "
        "{{Source}} {{Deadline: 2027-05-10}} {{Notes}}")));
    QQuickItem *pane = view->item(QStringLiteral("previewPane"));
    ASSERT_TRUE(pane && pane->isVisible());
    QQuickItem *preview = view->item(QStringLiteral("previewText"));
    ASSERT_NE(preview, nullptr);
    const QRect window(QPoint(), view->size());
    // Typing in the first field and then in the last: the preview is in sight both times and
    // shows the typed value in the accent colour.
    for (int index : {0, 7}) {
        QMetaObject::invokeMethod(field(index), "takeFocus");
        view->type(QStringLiteral("Zanzibar"));
        QTest::qWait(100);
        const QRectF box = preview->mapRectToScene(QRectF(0, 0, preview->width(), preview->height()));
        EXPECT_TRUE(window.contains(box.toRect().topLeft())) << index;
        const QImage shot = view->grabWindow();
        int accent = 0;
        const QRect inside = box.toRect() & window;
        for (int y = inside.top(); y <= inside.bottom(); ++y)
            for (int x = inside.left(); x <= inside.right(); ++x) {
                const QColor c = shot.pixelColor(x, y);
                accent += c.red() > 150 && c.blue() > 190 && c.green() < 140;
            }
        EXPECT_GT(accent, 20) << index;
    }
    expectPreviewHeaderInsidePane(view.get());
    view->screenshot(QStringLiteral("states-form-split.png"));
}

// The detail and its form in German, the longest of the shipped languages: every kind of
// field, the validation messages, the administration header with its editor, and the
// preview; each with its texts whole and apart (screenshot() checks them). Dates and numbers
// shown follow the German formats; the prompt's own text stays as it was written. Escape
// closes the editor, then the preview, before it goes back from the detail.
TEST_F(DetailView, GermanTextsFitInEveryStateAndEscapeClosesTheEditorAndThePreviewFirst)
{
    const QmlTest::Language german(QStringLiteral("de"));
    Prompt *prompt = addPrompt(EveryKind);
    prompt->ensureAttribute()->setUsageCount(1234);
    show(prompt);
    EXPECT_EQ(view->item(QStringLiteral("updatedText"))->property("text").toString(),
              QStringLiteral("Aktualisiert: ") + TemplateForm::mediumDate(QDate(2024, 5, 14), QLocale(QStringLiteral("de")))
                  + QStringLiteral(", 09:30"));
    EXPECT_EQ(view->item(QStringLiteral("usesText"))->property("text").toString(), QStringLiteral("Verwendet: 1.234"));
    expectPreviewHeaderInsidePane(view.get());
    view->screenshot(QStringLiteral("de-detail-form.png"));

    Prompt *invalid = addPrompt(QStringLiteral("Summarise {{Source Text}} in {{Sentences: 3}} sentences."));
    FormViewModel seed(context, &defaults);
    seed.setup(invalid->templateText(), invalid->id());
    seed.setValue(QStringLiteral("Sentences"), QStringLiteral("three"));
    show(invalid);
    EXPECT_EQ(seed.message(QStringLiteral("Sentences")),
              QStringLiteral("Sentences: Ungültiges Zahlenformat (erlaubt sind 0–9 . ,)"));
    view->screenshot(QStringLiteral("de-detail-validation.png"));

    defaults.setValue(QStringLiteral("isAdminMode"), true);
    show(prompt);
    QSignalSpy back(detail, SIGNAL(back()));
    QQuickItem *edit = view->item(QStringLiteral("editButton"));
    ASSERT_TRUE(edit && edit->isVisible());
    EXPECT_TRUE(view->item(QStringLiteral("addCategoryMenu"))->isVisible());
    view->screenshot(QStringLiteral("de-detail-admin.png"));
    QMetaObject::invokeMethod(edit, "clicked");
    ASSERT_NE(view->item(QStringLiteral("adminFullPromptEditorView")), nullptr);
    view->screenshot(QStringLiteral("de-detail-editor.png"));
    view->key(Qt::Key_Escape);
    QTest::qWait(50);
    EXPECT_EQ(view->item(QStringLiteral("adminFullPromptEditorView")), nullptr);

    detail->setProperty("showPreview", true);
    QTest::qWait(50);
    QQuickItem *preview = view->item(QStringLiteral("imagePreviewView"));
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(preview->hasActiveFocus());
    view->screenshot(QStringLiteral("de-detail-preview.png"));
    view->key(Qt::Key_Escape);
    QTest::qWait(50);
    EXPECT_FALSE(detail->property("showPreview").toBool());
    EXPECT_EQ(back.size(), 0);
    EXPECT_TRUE(hasFocusIn(field(0)));
}
