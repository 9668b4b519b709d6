#include "TemplateForm.h"

#include "TestSupport.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace {
TemplateForm freshForm(const QString &templateText)
{
    TemplateForm form;
    form.setup(templateText, {}, {});
    return form;
}
} // namespace

TEST(TemplateForm, EmptyFieldRendersAsTwoQuotesFailsValidationAndRepeatedLabelsShareIt)
{
    TemplateForm form = freshForm("Hi {{Name}}");
    EXPECT_EQ(form.inputs(), (QMap<QString, QString>{{"Name", QString()}}));
    EXPECT_EQ(form.validate(), QStringList{"Name is missed"});
    EXPECT_EQ(form.generatedPrompt(), "Hi \"\"");

    form.setInput("Name", "Bob");
    EXPECT_TRUE(form.validate().isEmpty());
    EXPECT_EQ(form.generatedPrompt(), "Hi \"Bob\"");
    const auto segments = form.previewSegments();
    ASSERT_EQ(segments.size(), 2);
    EXPECT_TRUE(segments[0].text == "Hi " && !segments[0].isVariable) << "the text before";
    EXPECT_TRUE(segments[1].text == "\"Bob\"" && segments[1].isVariable) << "the variable";
    EXPECT_NE(segments[0].id, segments[1].id);
    // Repeated labels share one value and one message.
    form = freshForm("{{Topic}} and {{topic: later}}; {{}} {{Topic}}!");
    EXPECT_EQ(form.variables().size(), 3);
    EXPECT_EQ(form.inputs().size(), 1);
    EXPECT_EQ(form.validate(), QStringList{"Topic is missed"});

    form.setInput("Topic", "cats");
    EXPECT_EQ(form.generatedPrompt(), "\"cats\" and \"cats\"; {{}} \"cats\"!");
    QString joined;
    for (const auto &segment : form.previewSegments())
        joined += segment.text;
    EXPECT_EQ(joined, form.generatedPrompt());
}

TEST(TemplateForm, DefaultsPerKind)
{
    TemplateForm form = freshForm(QStringLiteral(
        "{{Text: Kids}} {{Lang: #Europe, German, French}} {{Head: #a, #b}} {{Count: 2.50}} "
        "{{Blank number: 1e}} {{Age: 18-99}} {{Start: 2024-01-31}} {{Empty: [none]}}"));
    // A combo box starts on its first choice that is no #heading.
    EXPECT_EQ(form.inputs(), (QMap<QString, QString>{{"Text", "Kids"}, {"Lang", "German"}, {"Head", ""}, {"Count", "2.5"},
                                                     {"Blank Number", "1e"}, {"Age", "18"},
                                                     {"Start", "2024-01-31T00:00:00Z"}, {"Empty", ""}}));
}

TEST(TemplateForm, ADateNamesTheChosenDayInEveryZone)
{
    for (const char *zone : {"Europe/Berlin", "America/Los_Angeles", "Pacific/Kiritimati", "UTC"}) {
        TestSupport::ScopedTimeZone inZone(zone);
        TemplateForm form = freshForm("Due {{Day: 2027-05-10}}");
        EXPECT_EQ(form.input("Day"), "2027-05-10T00:00:00Z") << zone;
        EXPECT_EQ(form.generatedPrompt(), "Due \"2027-05-10T00:00:00Z\"") << zone;
        EXPECT_EQ(TemplateForm::calendarDay(*TemplateForm::readIsoDateTime(form.input("Day"))), QDate(2027, 5, 10)) << zone;
        // Without a default the field starts on today's local date.
        EXPECT_EQ(TemplateForm::defaultValue(VariableType::date(std::nullopt)), TemplateForm::isoDay(QDate::currentDate()))
            << zone;
    }
    // A value stored as local midnight by an older version still names its local day.
    TestSupport::ScopedTimeZone berlin("Europe/Berlin");
    EXPECT_EQ(TemplateForm::calendarDay(*TemplateForm::readIsoDateTime("2027-05-09T22:00:00Z")), QDate(2027, 5, 10));
}

TEST(TemplateForm, ValidationOfNumbersAndBlanks)
{
    TemplateForm form = freshForm("{{Count: 5}} {{Note}} {{Age: 1-9}} {{Tone: a, b}}");
    form.setInput("Note", " \t\n ");
    form.setInput("Count", "1,5");
    EXPECT_EQ(form.validate(), QStringList{"Note is missed"});

    form.setInput("Count", " -3 ");
    form.setInput("Age", "x");
    form.setInput("Tone", QString());
    EXPECT_EQ(form.validate(),
              (QStringList{"Count: Invalid number format (0-9 . , allowed)", "Note is missed", "Tone is missed"}));
}

TEST(TemplateForm, MediumDateFollowsTheLocale)
{
    const QDate date(2024, 1, 31);
    EXPECT_EQ(TemplateForm::mediumDate(date, QLocale(QLocale::English, QLocale::UnitedStates)), "Jan 31, 2024");
    EXPECT_EQ(TemplateForm::mediumDate(date, QLocale(QLocale::English, QLocale::UnitedKingdom)), "31 Jan 2024");
    const QString japanese = TemplateForm::mediumDate(date, QLocale(QLocale::Japanese, QLocale::Japan));
    EXPECT_TRUE(japanese.startsWith("2024")) << japanese.toStdString();
    EXPECT_FALSE(japanese.contains("水曜日")) << japanese.toStdString();
}

TEST(TemplateForm, SuffixesAndRememberedValues)
{
    TemplateForm form;
    const PromptParser::GlobalMap globals{{"Tones", {"formal", "casual"}}};
    QStringList asked;
    const TemplateForm::Recall recall = [&](const QString &label) -> std::optional<QString> {
        asked.append(label);
        if (label == "Tone")
            return QStringLiteral("casual");
        if (label == "Name")
            return QString(); // an empty memory falls back to the default
        return std::nullopt;
    };
    form.setup("Hi {{Name: Ann}} {{Tone: [Tones]}}", {"", "Be {{Style: brief}}."}, globals, recall);
    EXPECT_EQ(form.templateText(), "Hi {{Name: Ann}} {{Tone: [Tones]}}\nBe {{Style: brief}}.");
    EXPECT_EQ(asked, (QStringList{"Name", "Tone", "Style"}));
    EXPECT_EQ(form.inputs(), (QMap<QString, QString>{{"Name", "Ann"}, {"Tone", "casual"}, {"Style", "brief"}}));
    EXPECT_TRUE(form.setInput("Name", "Bob"));
    EXPECT_FALSE(form.setInput("Name", "Bob"));
    EXPECT_EQ(form.generatedPrompt(), "Hi \"Bob\" \"casual\"\nBe \"brief\".");
    // A new set-up starts from the memory again, not from what was typed before.
    form.setup("{{Name}}", {}, {});
    EXPECT_EQ(form.input("Name"), QString());
}
