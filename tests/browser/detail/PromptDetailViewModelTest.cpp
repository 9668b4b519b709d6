#include "PromptDetailViewModel.h"

#include "FormViewModel.h"
#include "ModelContext.h"
#include "Prompt.h"
#include "PromptCategory.h"
#include "PromptTag.h"
#include "TestSupport.h"
#include "UserAttribute.h"
#include "UserDefaults.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <memory>

namespace {
const QUuid PromptId = QUuid::fromString(QStringLiteral("6f1c2d3e-4a5b-4c6d-8e7f-0123456789ab"));
const QDateTime Updated(QDate(2024, 1, 31), QTime(15, 45));
using PreviewRun = FormGeneratorViewModel::Run;

// A store file and a settings file that outlive the objects over them, so a case can
// drop everything and open it again as after a restart.
struct Detail : ::testing::Test {
    QString dir = TestSupport::freshDir(QStringLiteral("detail"));
    std::unique_ptr<ModelContext> context;
    std::unique_ptr<UserDefaults> defaults;
    std::unique_ptr<PromptDetailViewModel> detail;

    Detail() { reopen(); }
    void reopen()
    {
        detail.reset();
        if (context)
            context->save();
        context.reset();
        defaults.reset();
        context = std::make_unique<ModelContext>();
        context->setAutosaveInterval(-1);
        EXPECT_TRUE(context->open(dir + QStringLiteral("/library.sqlite")).ok());
        defaults = std::make_unique<UserDefaults>(dir + QStringLiteral("/vorn.ini"));
        detail = std::make_unique<PromptDetailViewModel>(context.get(), defaults.get());
    }
    Prompt *addPrompt(const QString &templateText, const QUuid &id = PromptId)
    {
        auto *prompt = new Prompt;
        prompt->setId(id);
        prompt->setTitle(QStringLiteral("Greeting"));
        prompt->setTemplateText(templateText);
        prompt->setUpdatedAt(Updated);
        context->insert(prompt);
        return prompt;
    }
    // A category or tag of that name.
    template <class Record> Record *named(const char *name)
    {
        auto *record = new Record;
        record->setName(QString::fromLatin1(name));
        context->insert(record);
        return record;
    }
    Prompt *stored() const { return context->fetch<Prompt>().value(0); }
    void show(Prompt *prompt)
    {
        detail->setPrompt(prompt);
        detail->appear();
    }
    FormGeneratorViewModel *form() { return detail->form(); }
    static QString clipboard() { return QGuiApplication::clipboard()->text(); }
};
} // namespace

TEST_F(Detail, HeaderShowsDatesUsesAndTheActionStatesAndEmptiesWithItsPrompt)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    Prompt *prompt = addPrompt(QStringLiteral("Hi {{Name}}"));
    prompt->setPromptDescription(QStringLiteral("Says hello."));
    show(prompt);
    EXPECT_EQ(detail->title(), QStringLiteral("Greeting"));
    EXPECT_TRUE(detail->updatedText().startsWith(QStringLiteral("Updated: Jan 31, 2024, 3:45")))
        << detail->updatedText().toStdString();
    EXPECT_EQ(detail->usesText(), QStringLiteral("Uses: 0"));

    EXPECT_EQ(detail->favoriteSymbol(), QStringLiteral("star"));
    EXPECT_EQ(detail->favoriteHelp(), QStringLiteral("Mark as favorite"));
    EXPECT_EQ(detail->hiddenSymbol(), QStringLiteral("eye"));
    EXPECT_EQ(detail->hiddenHelp(), QStringLiteral("Hide the Prompt from the list"));
    QSignalSpy header(detail.get(), &PromptDetailViewModel::headerChanged);
    detail->toggleFavorite();
    detail->toggleHidden();
    EXPECT_TRUE(prompt->isFavorite());
    EXPECT_TRUE(prompt->isHidden());
    EXPECT_GE(header.size(), 2);
    EXPECT_EQ(detail->favoriteSymbol(), QStringLiteral("star.fill"));
    EXPECT_EQ(detail->favoriteHelp(), QStringLiteral("Unmark as favorite"));
    EXPECT_EQ(detail->hiddenSymbol(), QStringLiteral("eye.slash"));
    EXPECT_EQ(detail->hiddenHelp(), QStringLiteral("Show prompt in list"));
    detail->toggleFavorite();
    EXPECT_FALSE(prompt->isFavorite());

    QSignalSpy admin(detail.get(), &PromptDetailViewModel::isAdminModeChanged);
    EXPECT_FALSE(detail->isAdminMode());
    defaults->setValue(QStringLiteral("isAdminMode"), true);
    EXPECT_TRUE(detail->isAdminMode());
    EXPECT_EQ(admin.size(), 1);
    QLocale::setDefault(QLocale::system());

    // A deleted prompt leaves an empty header whose actions do nothing.
    context->remove(prompt);
    context->save();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(detail->prompt(), nullptr);
    EXPECT_EQ(detail->title(), QString());
    detail->toggleFavorite();
    detail->addCategory(0);
    EXPECT_EQ(detail->usesText(), QStringLiteral("Uses: 0"));
}

TEST_F(Detail, AFieldsMessageWaitsUntilTheUserLeavesItOrTriesToCopy)
{
    show(addPrompt(QStringLiteral("{{Name}} and {{Name}} from {{City}} aged {{Age: 1}}")));
    FormFieldModel *fields = form()->fields();
    const auto message = [&](int row) {
        return fields->data(fields->index(row), FormFieldModel::MessageRole).toString();
    };
    EXPECT_FALSE(form()->isValid());
    EXPECT_TRUE(form()->numberedMessages().isEmpty()) << "nothing typed yet: no red";
    EXPECT_EQ(message(0), QString());

    QSignalSpy messageRows(fields, &QAbstractItemModel::dataChanged);
    fields->leave(0);
    EXPECT_EQ(message(0), QStringLiteral("Name is missed"));
    EXPECT_EQ(message(1), QStringLiteral("Name is missed")) << "both occurrences of the label show it";
    EXPECT_EQ(message(2), QString());
    EXPECT_EQ(messageRows.size(), 2);
    EXPECT_EQ(form()->numberedMessages(), QStringList{QStringLiteral("1. Name is missed")});

    // Every message once revealed, numbered; no copy of any kind while one is left.
    fields->setValue(3, QStringLiteral("-3"));
    fields->revealAll();
    EXPECT_EQ(form()->numberedMessages(),
              (QStringList{QStringLiteral("1. Name is missed"), QStringLiteral("2. City is missed"),
                           QStringLiteral("3. Age: Invalid number format (0-9 . , allowed)")}));
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    QSignalSpy copied(detail.get(), &PromptDetailViewModel::copied);
    QSignalSpy finished(detail.get(), &PromptDetailViewModel::finished);
    EXPECT_FALSE(detail->copyPrompt());
    EXPECT_FALSE(form()->copyAndFinish());
    EXPECT_EQ(clipboard(), QStringLiteral("before"));
    EXPECT_EQ(copied.size() + finished.size(), 0);
    EXPECT_EQ(stored()->usageCount(), 0);

    QSignalSpy validity(form(), &FormGeneratorViewModel::messagesChanged);
    fields->setValue(0, QStringLiteral("Ann"));
    fields->setValue(3, QStringLiteral("1,5"));
    EXPECT_EQ(validity.size(), 2);
    EXPECT_EQ(message(1), QString());
    // Ctrl+Return on the incomplete form: the focus goes to City, the first field to fix.
    QSignalSpy formFinished(form(), &FormGeneratorViewModel::finished);
    EXPECT_EQ(form()->tryCopy(), 2);
    EXPECT_EQ(formFinished.size(), 0);
    fields->setValue(2, QStringLiteral("Oslo"));
    EXPECT_TRUE(form()->isValid());
    EXPECT_EQ(form()->tryCopy(), -1);
    EXPECT_EQ(formFinished.size(), 1);
    EXPECT_EQ(clipboard(), QStringLiteral("\"Ann\" and \"Ann\" from \"Oslo\" aged \"1,5\""));

    show(addPrompt(QStringLiteral("{{Topic}}"), QUuid::createUuid()));
    EXPECT_TRUE(form()->numberedMessages().isEmpty()) << "another prompt starts with its messages hidden";
    EXPECT_EQ(form()->fields()->data(form()->fields()->index(0), FormFieldModel::MessageRole), QString());
}

TEST_F(Detail, PreviewMarksValuesAndShowsMissingOnlyForEmptyOnes)
{
    show(addPrompt(QStringLiteral("Dear {{Name}}, <b>{{Mood}}</b> {{Note}}")));
    form()->fields()->setValue(1, QStringLiteral("  "));
    form()->fields()->setValue(2, QStringLiteral("ok"));
    EXPECT_EQ(form()->previewRuns(),
              (QList<PreviewRun>{{QStringLiteral("Dear "), PreviewRun::Style::Text},
                          {QStringLiteral("<missing>"), PreviewRun::Style::Missing},
                          {QStringLiteral(", <b>"), PreviewRun::Style::Text},
                          {QStringLiteral("\"  \""), PreviewRun::Style::Value},
                          {QStringLiteral("</b> "), PreviewRun::Style::Text},
                          {QStringLiteral("\"ok\""), PreviewRun::Style::Value}}));
    // Template text is escaped: markup in a prompt shows as typed.
    const QString html = form()->previewText();
    EXPECT_TRUE(html.contains(QStringLiteral("&lt;missing&gt;")));
    EXPECT_TRUE(html.contains(QStringLiteral("&lt;b&gt;")));

    QSignalSpy preview(form(), &FormGeneratorViewModel::previewTextChanged);
    form()->fields()->setValue(0, QStringLiteral("Ann"));
    EXPECT_EQ(preview.size(), 1);
    EXPECT_FALSE(form()->previewText().contains(QStringLiteral("&lt;missing&gt;")));
    EXPECT_TRUE(form()->previewText().contains(QStringLiteral("&quot;Ann&quot;")));
}

TEST_F(Detail, HeaderCopyKeepsThePanelFormCopyFinishesAfterTheClipboardAndCountAlsoWithoutFields)
{
    auto *category = named<PromptCategory>("Writing");
    Prompt *prompt = addPrompt(QStringLiteral("Hi {{Name: Bob}}"));
    prompt->addCategory(category);
    show(prompt);

    QSignalSpy copied(detail.get(), &PromptDetailViewModel::copied);
    QSignalSpy finished(detail.get(), &PromptDetailViewModel::finished);
    QGuiApplication::clipboard()->clear();
    EXPECT_TRUE(detail->copyPrompt());
    EXPECT_EQ(clipboard(), QStringLiteral("Hi \"Bob\""));
    EXPECT_EQ(copied.size(), 1);
    EXPECT_EQ(finished.size(), 0);
    EXPECT_EQ(prompt->usageCount(), 1);
    EXPECT_EQ(detail->usesText(), QStringLiteral("Uses: 1"));
    EXPECT_TRUE(prompt->attributes()->lastUsedAt().isValid());
    EXPECT_EQ(category->attributes()->usageCount(), 1);

    form()->fields()->setValue(0, QStringLiteral("Eve"));
    QString clipboardAtFinish;
    qint64 usesAtFinish = -1;
    QObject::connect(detail.get(), &PromptDetailViewModel::finished, [&] {
        clipboardAtFinish = clipboard();
        usesAtFinish = stored()->usageCount();
    });
    EXPECT_TRUE(form()->copyAndFinish());
    EXPECT_EQ(finished.size(), 1);
    EXPECT_EQ(copied.size(), 1);
    EXPECT_EQ(clipboardAtFinish, QStringLiteral("Hi \"Eve\""));
    EXPECT_EQ(usesAtFinish, 2);
    EXPECT_EQ(category->attributes()->usageCount(), 2);

    // A form without fields copies the plain template, with the text tag's suffix.
    Prompt *plain = addPrompt(QStringLiteral("Just text."), QUuid::createUuid());
    plain->addTag(named<PromptTag>("text"));
    defaults->setValue(QStringLiteral("tag_text_suffix"), QStringLiteral("Answer in Markdown"));
    show(plain);
    EXPECT_EQ(form()->fields()->rowCount(), 0);
    EXPECT_TRUE(form()->isValid());
    EXPECT_TRUE(form()->copyAndFinish());
    EXPECT_EQ(clipboard(), QStringLiteral("Just text.\nAnswer in Markdown"));
}

TEST_F(Detail, ValuesAreRememberedPerPromptAcrossARestart)
{
    show(addPrompt(QStringLiteral("{{Topic}} {{Words: 10-90}} {{Tone: calm, loud}}")));
    form()->fields()->setValue(0, QStringLiteral("owls"));
    form()->fields()->setNumberValue(1, 40);
    form()->fields()->setValue(2, QStringLiteral("loud"));
    defaults->sync();

    reopen();
    Prompt *prompt = stored();
    ASSERT_NE(prompt, nullptr);
    show(prompt);
    EXPECT_EQ(detail->formModel()->value(QStringLiteral("Topic")), QStringLiteral("owls"));
    EXPECT_EQ(detail->formModel()->value(QStringLiteral("Words")), QStringLiteral("40"));
    EXPECT_EQ(detail->formModel()->value(QStringLiteral("Tone")), QStringLiteral("loud"));

    // Another prompt with the same labels starts from its own defaults.
    show(addPrompt(QStringLiteral("{{Topic}}"), QUuid::createUuid()));
    EXPECT_EQ(detail->formModel()->value(QStringLiteral("Topic")), QString());
}

TEST_F(Detail, InstructionsShowOnTheFirstTenAppearancesOnly)
{
    Prompt *prompt = addPrompt(QStringLiteral("{{A}}"));
    detail->setPrompt(prompt);
    for (int appearance = 1; appearance <= 10; ++appearance) {
        detail->appear();
        EXPECT_TRUE(form()->showInstructions()) << appearance;
        EXPECT_EQ(defaults->intValue(QStringLiteral("instructionShownCount"), 0), appearance);
    }
    detail->appear();
    EXPECT_FALSE(form()->showInstructions());
    EXPECT_EQ(defaults->intValue(QStringLiteral("instructionShownCount"), 0), 10);
    // Switching prompts while shown is the same appearance.
    defaults->setValue(QStringLiteral("instructionShownCount"), 3);
    detail->appear();
    detail->setPrompt(addPrompt(QStringLiteral("{{B}}"), QUuid::createUuid()));
    EXPECT_EQ(defaults->intValue(QStringLiteral("instructionShownCount"), 0), 4);
}

// From six fields on the preview goes beside them.
TEST_F(Detail, ThePromptChangingOrItsTemplateBeingSavedSetsTheFormUpAgain)
{
    Prompt *first = addPrompt(QStringLiteral("{{A}} {{B}} {{C}} {{D}} {{E}}"));
    Prompt *second = addPrompt(QStringLiteral("{{B}} {{C}}"), QUuid::createUuid());
    show(first);
    EXPECT_EQ(form()->fields()->rowCount(), 5);
    EXPECT_FALSE(form()->splitPreview()) << "five fields";
    detail->setPrompt(second);
    EXPECT_EQ(form()->fields()->rowCount(), 2);
    EXPECT_EQ(detail->title(), QStringLiteral("Greeting"));
    form()->fields()->setValue(0, QStringLiteral("kept"));
    QSignalSpy split(form(), &FormGeneratorViewModel::splitPreviewChanged);
    second->setTemplateText(QStringLiteral("{{B}} {{C}} {{D}} {{E}} {{F}} {{B}}"));
    EXPECT_EQ(form()->fields()->rowCount(), 6);
    EXPECT_TRUE(form()->splitPreview()) << "six fields, one label repeated";
    EXPECT_GE(split.size(), 1);
    EXPECT_EQ(detail->formModel()->value(QStringLiteral("B")), QStringLiteral("kept"));
}

TEST_F(Detail, AddMenusAppendOnlyWhatIsMissingAndLeaveTheUpdateDate)
{
    PromptCategory *writing = named<PromptCategory>("Writing");
    PromptCategory *art = named<PromptCategory>("art");
    PromptCategory *code = named<PromptCategory>("Code");
    PromptTag *text = named<PromptTag>("text");
    PromptTag *image = named<PromptTag>("image");
    named<PromptTag>("text"); // a duplicate record by name
    Prompt *prompt = addPrompt(QStringLiteral("x"));
    prompt->addCategory(writing);
    prompt->addTag(text);
    show(prompt);

    // Menus list everything by name, the assigned entries marked.
    const QVariantList categories = detail->categoryChoices();
    ASSERT_EQ(categories.size(), 3);
    EXPECT_EQ(categories[0].toMap()[QStringLiteral("name")].toString(), QStringLiteral("art"));
    EXPECT_EQ(categories[1].toMap()[QStringLiteral("name")].toString(), QStringLiteral("Code"));
    EXPECT_TRUE(categories[2].toMap()[QStringLiteral("assigned")].toBool());

    QSignalSpy assignments(detail.get(), &PromptDetailViewModel::assignmentsChanged);
    detail->addCategory(2); // Writing: already there
    EXPECT_EQ(prompt->categories(), (QList<PromptCategory *>{writing}));
    detail->addCategory(0);
    detail->addCategory(1);
    EXPECT_EQ(prompt->categories(), (QList<PromptCategory *>{writing, art, code}));
    EXPECT_EQ(detail->categoryNames(), (QStringList{QStringLiteral("Writing"), QStringLiteral("art"), QStringLiteral("Code")}));
    EXPECT_GE(assignments.size(), 2);

    // Tags compare by name: the second "text" record is not added beside the first.
    const QVariantList tags = detail->tagChoices();
    ASSERT_EQ(tags.size(), 3);
    for (int i = 0; i < tags.size(); ++i)
        detail->addTag(i);
    EXPECT_EQ(prompt->tags(), (QList<PromptTag *>{text, image}));
    detail->addTag(99);
    detail->addCategory(-1);
    EXPECT_EQ(prompt->updatedAt(), Updated);
}
