#include "FormViewModel.h"

#include "ModelContext.h"
#include "Prompt.h"
#include "PromptCategory.h"
#include "PromptGlobalVariable.h"
#include "PromptTag.h"
#include "TestSupport.h"
#include "UserAttribute.h"
#include "UserDefaults.h"

#include <QLocale>
#include <QSignalSpy>
#include <QTimeZone>

#include <gtest/gtest.h>

#include <memory>

namespace {
const QUuid PromptId = QUuid::fromString("6f1c2d3e-4a5b-4c6d-8e7f-0123456789ab");
const QString PromptKey = "6F1C2D3E-4A5B-4C6D-8E7F-0123456789AB";

// A store file and a settings file that outlive the objects over them, so a case can
// close everything and open it again as after a restart.
struct Fixture {
    QString dir = TestSupport::freshDir("form");
    std::unique_ptr<ModelContext> context;
    std::unique_ptr<UserDefaults> defaults;

    Fixture() { reopen(); }
    void reopen()
    {
        context.reset();
        defaults.reset();
        context = std::make_unique<ModelContext>();
        context->setAutosaveInterval(-1);
        EXPECT_TRUE(context->open(dir + "/library.sqlite").ok());
        defaults = std::make_unique<UserDefaults>(dir + "/vorn.ini");
    }
    Prompt *addPrompt(const QString &templateText)
    {
        auto *prompt = new Prompt;
        prompt->setId(PromptId);
        prompt->setTitle("Greeting");
        prompt->setTemplateText(templateText);
        prompt->setUpdatedAt(QDateTime(QDate(2024, 1, 31), QTime(12, 0)));
        context->insert(prompt);
        return prompt;
    }
};

FormViewModel *freshForm(const QString &templateText)
{
    auto *form = new FormViewModel(nullptr, nullptr);
    form->setup(templateText, QUuid(), {});
    return form;
}
} // namespace

TEST(FormViewModel, NumberAndDateBindings)
{
    std::unique_ptr<FormViewModel> form(freshForm("{{Age: 18-99}} {{Day: 2024-01-31}}"));
    EXPECT_EQ(form->numberValue("Age"), 18.0);
    for (const auto &[number, text] : {std::pair{42.0, "42"}, {2.5, "2.5"}, {1000000.0, "1e+06"}}) {
        form->setNumberValue("Age", number);
        EXPECT_EQ(form->value("Age"), QLatin1String(text));
        EXPECT_EQ(form->numberValue("Age"), number);
    }
    EXPECT_EQ(form->numberValue("Missing"), 0.0);
    form->setValue("Age", "1,5");
    EXPECT_EQ(form->numberValue("Age"), 0.0);

    const QDateTime berlin(QDate(2024, 1, 31), QTime(0, 0), QTimeZone("Europe/Berlin"));
    form->setDateValue("Day", berlin);
    EXPECT_EQ(form->value("Day"), "2024-01-30T23:00:00Z");
    EXPECT_EQ(form->dateValue("Day"), berlin);

    // Text that is no internet date-time reads as "now".
    for (const char *bad :
         {"2024-01-31", "yesterday", "2024-01-31 10:00:00Z", "2024-13-01T00:00:00Z"}) {
        form->setValue("Day", QLatin1String(bad));
        const QDateTime read = form->dateValue("Day");
        EXPECT_LT(qAbs(read.secsTo(QDateTime::currentDateTime())), 3600) << bad;
    }
    form->setValue("Day", "2024-01-31T10:00:00+02:00");
    EXPECT_EQ(form->dateValue("Day").toUTC(), QDateTime(QDate(2024, 1, 31), QTime(8, 0), Qt::UTC));
}

// Each label of each prompt keeps its own value over a restart, the labels that only differ
// in slashes too; an empty value falls back to the default, and entries held back are kept
// only when accepted.
TEST(FormViewModel, RemembersValuesPerPromptAndLabelAcrossRestart)
{
    Fixture f;
    const QString text = "Hi {{Name}}, {{Tone: formal, casual}} {{Count: 3}} {{Input}} {{Input/}} {{a/b}} "
                         "{{a//b}} {{c\\d}} {{c/d}} {{50%2F}}";
    f.addPrompt(text);
    ASSERT_TRUE(f.context->save());
    QStringList labels;
    {
        FormViewModel form(f.context.get(), f.defaults.get());
        form.setup(text, PromptId);
        EXPECT_EQ(form.storageKey("Name"), PromptKey + "-Name");
        labels = form.inputs().keys();
        ASSERT_EQ(labels.size(), 10);
        for (const QString &label : labels)
            form.setValue(label, "value of " + label);
        form.setValue("Name", "Bob, \"the\" builder");
        form.setValue("Tone", "casual");
        form.setValue("Count", QString()); // empty falls back to the default
        EXPECT_EQ(f.defaults->string(PromptKey + "-Tone"), "casual");
        form.holdBackEntries();
        form.setValue("Tone", "formal");
        EXPECT_EQ(form.value("Tone"), "formal");
        EXPECT_EQ(f.defaults->string(PromptKey + "-Tone"), "casual") << "held back";
    }
    f.reopen();
    FormViewModel form(f.context.get(), f.defaults.get());
    form.setup(text, PromptId);
    for (const QString &label : labels) {
        if (label != "Name" && label != "Tone" && label != "Count") {
            EXPECT_EQ(form.value(label), "value of " + label) << qPrintable(label);
        }
    }
    EXPECT_EQ(form.value("Name"), "Bob, \"the\" builder");
    EXPECT_EQ(form.value("Tone"), "casual");
    EXPECT_EQ(form.value("Count"), "3");
    const std::optional<QString> count = f.defaults->stringValue(PromptKey + "-Count");
    form.holdBackEntries();
    form.setValue("Count", "abc");
    EXPECT_EQ(form.value("Count"), "abc");
    EXPECT_EQ(f.defaults->stringValue(PromptKey + "-Count"), count) << "held back";
    form.setValue("Count", "5");
    form.rememberEntries();
    EXPECT_EQ(f.defaults->string(PromptKey + "-Count"), "5");

    // Another prompt, or no prompt at all, does not see these values.
    FormViewModel other(f.context.get(), f.defaults.get());
    other.setup(text, QUuid::createUuid());
    EXPECT_EQ(other.value("Tone"), "formal");
    other.setup(text, QUuid());
    EXPECT_EQ(other.storageKey("Tone"), "Tone");
    other.setValue("Tone", "casual");
    EXPECT_EQ(f.defaults->string("Tone"), "casual");

    // Without settings nothing is read or written.
    FormViewModel bare(f.context.get(), nullptr);
    bare.setup(text, PromptId);
    EXPECT_EQ(bare.value("Tone"), "formal");
    bare.setValue("Name", "Ann");
    EXPECT_EQ(f.defaults->string(PromptKey + "-Name"), "Bob, \"the\" builder");

    // A value remembered under the key of earlier versions is still found.
    f.defaults->setValue(PromptKey + "-Old/label", "from before");
    form.setup("{{Old/label}}", PromptId);
    EXPECT_EQ(form.value("Old/label"), "from before");
}

TEST(FormViewModel, LoadsPromptDataTagSuffixesAndStoreGlobals)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    Fixture f;
    Prompt *prompt = f.addPrompt("Tone {{Tone: [Tones]}}");
    auto *text = new PromptTag;
    text->setName("text");
    auto *longForm = new PromptTag;
    longForm->setName("long form");
    auto *silent = new PromptTag;
    silent->setName("silent");
    prompt->setTags({text, longForm, silent});
    prompt->ensureAttribute()->setUsageCount(7);
    f.context->insert(new PromptGlobalVariable("tones", {"first"}));
    f.context->insert(new PromptGlobalVariable("tones", {"second"}));
    f.defaults->setValue("tag_text_suffix", "Answer in Markdown");
    f.defaults->setValue("tag_long form_suffix", "Be {{Style: brief}}.");
    f.defaults->setValue("tag_silent_suffix", QString());

    FormViewModel form(f.context.get(), f.defaults.get());
    QSignalSpy title(&form, &FormViewModel::titleChanged);
    form.setup(prompt->templateText(), PromptId);
    EXPECT_EQ(title.count(), 1);
    EXPECT_EQ(form.title(), "Greeting");
    EXPECT_EQ(form.usageCount(), 7);
    EXPECT_EQ(form.updatedString(), "Jan 31, 2024");
    EXPECT_EQ(form.templateText(),
              "Tone {{Tone: [Tones]}}\nAnswer in Markdown\nBe {{Style: brief}}.");
    EXPECT_EQ(form.value("Tone"), "first");
    EXPECT_EQ(form.generatedPrompt(), "Tone \"first\"\nAnswer in Markdown\nBe \"brief\".");

    // Switching to a prompt that is not in the store leaves nothing of the previous one.
    form.setup("{{X}}", QUuid::createUuid());
    EXPECT_EQ(form.prompt(), nullptr);
    EXPECT_EQ(form.title(), QString());
    EXPECT_EQ(form.usageCount(), 0);
    EXPECT_EQ(form.templateText(), "{{X}}");
    QLocale::setDefault(QLocale::system());
}

TEST(FormViewModel, RecordUsageCountsPromptAndEveryCategory)
{
    Fixture f;
    Prompt *prompt = f.addPrompt("{{A}}");
    auto *counted = new PromptCategory;
    counted->setName("Counted");
    auto *fresh = new PromptCategory;
    fresh->setName("Fresh");
    prompt->setCategories({counted, fresh});
    counted->ensureAttribute()->setUsageCount(4);
    const QUuid freshId = fresh->id();
    ASSERT_TRUE(f.context->save());

    FormViewModel form(f.context.get(), f.defaults.get());
    form.setup(prompt->templateText(), PromptId);
    QSignalSpy usage(&form, &FormViewModel::usageCountChanged);
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    form.recordUsage();
    EXPECT_EQ(usage.count(), 1);
    EXPECT_EQ(form.usageCount(), 1);
    EXPECT_FALSE(f.context->hasChanges()) << "recordUsage saves";
    form.recordUsage();
    EXPECT_EQ(form.usageCount(), 2);

    f.reopen();
    Prompt *stored = f.context->fetch<Prompt>().value(0);
    ASSERT_NE(stored, nullptr);
    ASSERT_NE(stored->attributes(), nullptr);
    EXPECT_EQ(stored->usageCount(), 2);
    EXPECT_EQ(stored->attributes()->targetID(), PromptId);
    EXPECT_GE(stored->attributes()->lastUsedAt(), before);
    ASSERT_EQ(stored->categories().size(), 2);
    for (PromptCategory *category : stored->categories()) {
        ASSERT_NE(category->attributes(), nullptr);
        if (category->id() == freshId) {
            EXPECT_EQ(category->attributes()->usageCount(), 2);
            EXPECT_EQ(category->attributes()->targetID(), freshId);
        } else {
            EXPECT_EQ(category->attributes()->usageCount(), 6);
        }
    }
    EXPECT_EQ(f.context->count<UserAttribute>(), 3);

    // Without a prompt there is nothing to count.
    std::unique_ptr<FormViewModel> none(freshForm("{{A}}"));
    none->recordUsage();
    EXPECT_EQ(none->usageCount(), 0);
}
