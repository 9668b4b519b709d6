#include "ChoiceOptions.h"
#include "FormFieldModel.h"

#include "FormViewModel.h"
#include "TestSupport.h"

#include <QAbstractItemModelTester>
#include <QRegularExpressionValidator>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <memory>

namespace {
using Group = ChoiceOptions::Group;

QStringList list(const char *text)
{
    QStringList out;
    for (const QString &piece : QString::fromUtf8(text).split(u','))
        out.append(piece.trimmed());
    return out;
}

struct Form {
    std::unique_ptr<FormViewModel> form = std::make_unique<FormViewModel>(nullptr, nullptr);
    std::unique_ptr<FormFieldModel> fields = std::make_unique<FormFieldModel>(form.get());
    QAbstractItemModelTester tester{fields.get(), QAbstractItemModelTester::FailureReportingMode::Fatal};

    explicit Form(const QString &templateText,
                  const PromptParser::GlobalMap &globals = {})
    {
        form->setup(templateText, QUuid(), globals);
    }
    QVariant at(int row, int role) const { return fields->data(fields->index(row), role); }
};
} // namespace

TEST(ChoiceOptions, HeadersOpenSectionsPlainEntriesStayUnsectionedAndSortingDropsHeaders)
{
    EXPECT_EQ(ChoiceOptions::groups(list("#A, x, #B, y")),
              (QList<Group>{{QStringLiteral("A"), true, {QStringLiteral("x")}},
                            {QStringLiteral("B"), true, {QStringLiteral("y")}}}));
    EXPECT_EQ(ChoiceOptions::groups(list("x, #A, y")),
              (QList<Group>{{QString(), false, {QStringLiteral("x")}},
                            {QStringLiteral("A"), true, {QStringLiteral("y")}}}));
    // A header without entries still shows; nothing before the first header is no group.
    EXPECT_EQ(ChoiceOptions::groups(list("#A, #B, y")),
              (QList<Group>{{QStringLiteral("A"), true, {}},
                            {QStringLiteral("B"), true, {QStringLiteral("y")}}}));
    // Header names lose spaces and tabs around them, nothing else.
    EXPECT_EQ(ChoiceOptions::groups({QStringLiteral("#\t Europe \t"), QStringLiteral("German")}),
              (QList<Group>{{QStringLiteral("Europe"), true, {QStringLiteral("German")}}}));
    EXPECT_TRUE(ChoiceOptions::groups({}).isEmpty());

    const QVariantList entries = ChoiceOptions::menuEntries(list("x, #A, y"));
    ASSERT_EQ(entries.size(), 3);
    EXPECT_FALSE(entries[0].toMap()[QStringLiteral("isHeader")].toBool());
    EXPECT_TRUE(entries[1].toMap()[QStringLiteral("isHeader")].toBool());
    EXPECT_EQ(entries[1].toMap()[QStringLiteral("text")].toString(), QStringLiteral("A"));

    // Sorting drops the headers, ignores case and keeps ties in their written order.
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    EXPECT_EQ(ChoiceOptions::sorted(list("#Europe, German, french, #Asia, Thai, Arabic"), english),
              list("Arabic, french, German, Thai"));
    EXPECT_EQ(ChoiceOptions::sorted(list("b, a, B, A"), english), list("a, A, b, B")) << "b and B compare equal";
    EXPECT_EQ(ChoiceOptions::sorted(list("B, b"), english), list("B, b"));
    EXPECT_EQ(ChoiceOptions::shown(list("c, #H, a"), false, english), list("c, #H, a"));
}

TEST(FormFieldModel, OneRowPerPlaceholderWithTheControlOfItsKind)
{
    Form f(QStringLiteral("{{Topic}} {{Tone: formal, casual}} {{Count: 3}} {{Words: 10-20}} "
                          "{{Due: 2024-06-01}} {{Topic}} {{Lang: [languages]}}"),
           {{QStringLiteral("languages"), list("German, French")}});
    ASSERT_EQ(f.fields->rowCount(), 7);
    QStringList kinds;
    for (int row = 0; row < 7; ++row)
        kinds.append(f.at(row, FormFieldModel::KindRole).toString());
    EXPECT_EQ(kinds, list("multilineText, comboBox, number, range, date, multilineText, comboBox"));
    EXPECT_EQ(f.at(1, FormFieldModel::OptionsRole).toStringList(), list("formal, casual"));
    EXPECT_EQ(f.at(6, FormFieldModel::OptionsRole).toStringList(), list("German, French"));
    EXPECT_EQ(f.at(1, FormFieldModel::ValueRole).toString(), QStringLiteral("formal"));
    EXPECT_EQ(f.at(2, FormFieldModel::ValueRole).toString(), QStringLiteral("3"));
    EXPECT_EQ(f.at(3, FormFieldModel::LabelLineRole).toString(), QStringLiteral("Words: 10"));
    EXPECT_EQ(f.at(4, FormFieldModel::DateValueRole).toDateTime().toLocalTime().date(), QDate(2024, 6, 1));
}

TEST(FormFieldModel, RepeatedLabelsAreBoundToOneInputAndANewTemplateResetsTheRows)
{
    Form f(QStringLiteral("{{Topic}} and {{Other}} and {{Topic}}"));
    QSignalSpy changed(f.fields.get(), &QAbstractItemModel::dataChanged);
    f.fields->setValue(2, QStringLiteral("cats"));
    EXPECT_EQ(f.form->value(QStringLiteral("Topic")), QStringLiteral("cats"));
    EXPECT_EQ(f.at(0, FormFieldModel::ValueRole).toString(), QStringLiteral("cats"));
    // Both Topic rows are refreshed, the Other row is left alone.
    ASSERT_EQ(changed.size(), 2);
    EXPECT_EQ(changed[0][0].toModelIndex().row(), 0);
    EXPECT_EQ(changed[1][0].toModelIndex().row(), 2);

    // A new template resets the rows.
    QSignalSpy reset(f.fields.get(), &QAbstractItemModel::modelReset);
    f.form->setup(QStringLiteral("{{C}}"), QUuid(), {});
    EXPECT_EQ(reset.size(), 1);
    EXPECT_EQ(f.fields->rowCount(), 1);
    EXPECT_EQ(f.fields->label(0), QStringLiteral("C"));
    f.form->setup(QStringLiteral("no placeholders"), QUuid(), {});
    EXPECT_EQ(f.fields->rowCount(), 0);
    f.fields->setValue(0, QStringLiteral("ignored")); // out of range: no effect, no crash
}

TEST(FormFieldModel, RangeShowsARoundedValueAndAscendingBounds)
{
    Form f(QStringLiteral("{{Age: 18-99}} {{Back: 10-1}}"));
    f.fields->setNumberValue(0, 42.5);
    EXPECT_EQ(f.form->value(QStringLiteral("Age")), QStringLiteral("42.5"));
    EXPECT_EQ(f.at(0, FormFieldModel::LabelLineRole).toString(), QStringLiteral("Age: 42")) << "a half rounds to even";
    f.fields->setNumberValue(0, 42.7);
    EXPECT_EQ(f.at(0, FormFieldModel::LabelLineRole).toString(), QStringLiteral("Age: 43"));
    EXPECT_EQ(f.at(0, FormFieldModel::SliderFromRole).toDouble(), 18);
    EXPECT_EQ(f.at(0, FormFieldModel::SliderToRole).toDouble(), 99);

    // Bounds written the wrong way round still give a usable slider; the value starts at min.
    EXPECT_EQ(f.at(1, FormFieldModel::SliderFromRole).toDouble(), 1);
    EXPECT_EQ(f.at(1, FormFieldModel::SliderToRole).toDouble(), 10);
    EXPECT_EQ(f.at(1, FormFieldModel::LabelLineRole).toString(), QStringLiteral("Back: 10"));

    // The slider reporting the same position again keeps the text as it was written.
    f.form->setValue(QStringLiteral("Age"), QStringLiteral("30.0"));
    f.fields->setNumberValue(0, 30);
    EXPECT_EQ(f.form->value(QStringLiteral("Age")), QStringLiteral("30.0"));
}

TEST(FormFieldModel, SortButtonOnlyAboveTenOptionsAndSortingTogglesTheList)
{
    Form f(QStringLiteral("{{Ten: j, i, h, g, f, e, d, c, b, a}} "
                          "{{Lang: #Europe, German, French, Spanish, Italian, Dutch, Polish, Czech, "
                          "Danish, Swedish, Finnish}}"));
    EXPECT_FALSE(f.at(0, FormFieldModel::HasSortButtonRole).toBool());
    EXPECT_TRUE(f.at(1, FormFieldModel::HasSortButtonRole).toBool());
    EXPECT_EQ(f.at(1, FormFieldModel::SortHelpRole).toString(), QStringLiteral("Sort alphabetically"));

    QSignalSpy changed(f.fields.get(), &QAbstractItemModel::dataChanged);
    f.fields->toggleSort(1);
    EXPECT_EQ(changed.size(), 1);
    EXPECT_TRUE(f.at(1, FormFieldModel::IsSortedRole).toBool());
    EXPECT_EQ(f.at(1, FormFieldModel::SortHelpRole).toString(), QStringLiteral("Reset sorting"));
    const QStringList sorted = f.at(1, FormFieldModel::OptionsRole).toStringList();
    EXPECT_FALSE(sorted.contains(QStringLiteral("#Europe")));
    EXPECT_EQ(sorted.first(), QStringLiteral("Czech"));
    const QVariantList menu = f.at(1, FormFieldModel::MenuEntriesRole).toList();
    EXPECT_EQ(menu.size(), 10); // no section while sorted

    f.fields->toggleSort(1);
    EXPECT_EQ(f.at(1, FormFieldModel::OptionsRole).toStringList().first(), QStringLiteral("#Europe"));
    EXPECT_EQ(f.at(1, FormFieldModel::MenuEntriesRole).toList().size(), 11);
}

TEST(FormFieldModel, APickedDayRendersAsThatDayInEveryZone)
{
    for (const char *zone : {"Europe/Berlin", "America/Los_Angeles"}) {
        TestSupport::ScopedTimeZone inZone(zone);
        Form f(QStringLiteral("Due {{Due: 2027-05-10}}"));
        EXPECT_EQ(f.form->generatedPrompt(), QStringLiteral("Due \"2027-05-10T00:00:00Z\"")) << zone;
        // The calendar is handed local midnight of the day, so it marks the same day.
        EXPECT_EQ(f.at(0, FormFieldModel::DateValueRole).toDateTime().toLocalTime().date(),
                  QDate(2027, 5, 10))
            << zone;
        EXPECT_EQ(f.at(0, FormFieldModel::DateTextRole).toString(),
                  TemplateForm::mediumDate(QDate(2027, 5, 10), QLocale()))
            << zone;

        f.fields->setDate(0, 2024, 2, 29);
        EXPECT_EQ(f.form->value(QStringLiteral("Due")), QStringLiteral("2024-02-29T00:00:00Z")) << zone;
        f.fields->setDate(0, 2023, 2, 30); // no such day: nothing changes
        EXPECT_EQ(f.form->value(QStringLiteral("Due")), QStringLiteral("2024-02-29T00:00:00Z")) << zone;
        f.fields->addDays(0, 7);
        EXPECT_EQ(f.form->value(QStringLiteral("Due")), QStringLiteral("2024-03-07T00:00:00Z")) << zone;
        f.fields->addDays(0, -7);
        EXPECT_EQ(f.at(0, FormFieldModel::DateValueRole).toDateTime().toLocalTime().date(),
                  QDate(2024, 2, 29))
            << zone;
    }
}

TEST(FormFieldModel, ANumberFieldTakesOnlyDigitsDotsAndCommas)
{
    QRegularExpressionValidator validator(FormFieldModel::numberPattern());
    const struct {
        const char *text;
        bool number;
    } cases[] = {{"12", true},   {"1,5", true},  {"0.25", true},  {"", true},   {"12a", false},
                 {"-3", false},  {"1e6", false}, {"1 000", false}, {"+1", false}};
    for (const auto &c : cases) {
        QString text = QString::fromLatin1(c.text);
        int position = 0;
        EXPECT_EQ(validator.validate(text, position), c.number ? QValidator::Acceptable : QValidator::Invalid) << c.text;
        EXPECT_EQ(TemplateForm::isNumberText(text), c.number) << c.text;
    }
}
