#include "TemplateValidator.h"

#include "ModelContext.h"
#include "Prompt.h"
#include "PromptGlobalVariable.h"

#include <gtest/gtest.h>

namespace {
const QSet<QString> Keys{"Tones", ""};

QString format(const char *placeholder)
{
    return QStringLiteral("Invalid format in '%1'. Expected 'Name: Value'.")
        .arg(QLatin1String(placeholder));
}
} // namespace

TEST(TemplateValidator, FindingsPerTemplate)
{
    const QList<std::pair<QString, QStringList>> cases{
        {QString(), {}},
        {"Hello {{Name}}", {format("{{Name}}")}},
        {"{{Name:}} {{:}} {{}}", {}},
        {"{{ }}", {format("{{ }}")}},
        {"{{a}}}", {"Unbalanced brackets: 2 '{' vs 3 '}'", format("{{a}}")}},
        {"{{a}", {"Unbalanced brackets: 2 '{' vs 1 '}'"}},
        {"Use {x} and {y}", {}},
        {"{{Tone: [Tones]}} {{Tone: [a, b]}} {{Tone: [x}} {{T: []}}", {}},
        {"{{Tone: [tones]}}", {"Unknown global variable: '[tones]'"}},
        {"{{Tone:\t[ Tones ]\u00a0}}", {"Unknown global variable: '[ Tones ]'"}},
        {"{{Multi\nline}} {{Ok: x\ny}}", {format("{{Multi\nline}}")}},
        {"{{b}} {{Good: 1}} {{c}}{{{{",
         {"Unbalanced brackets: 10 '{' vs 6 '}'", format("{{b}}"), format("{{c}}")}},
        {"{{{x}}}", {format("{{{x}}")}},
        {QStringLiteral("{{a}}") + QChar(0xDC00), {format("{{a}}")}},
    };
    for (const auto &[text, expected] : cases) {
        SCOPED_TRACE(text.toStdString());
        EXPECT_EQ(TemplateValidator::check(text, Keys), expected);
    }
}

TEST(TemplateValidator, ValidateAllWalksEveryPromptInStoreOrder)
{
    ModelContext context;
    ASSERT_TRUE(context.open(ModelContext::InMemory).ok());
    {
        const TemplateValidator::Result empty = TemplateValidator().validateAll(context);
        EXPECT_EQ(empty.promptCount, 0);
        EXPECT_TRUE(empty.errors.isEmpty());
    }
    const auto add = [&](const QString &title, const QString &text) {
        auto *prompt = new Prompt;
        prompt->setTitle(title);
        prompt->setTemplateText(text);
        context.insert(prompt);
        return prompt;
    };
    Prompt *first = add("First", "{{a}}} {{T: [Tones]}}");
    add("Clean", "{{T: [tones]}}");
    add("Empty", QString());
    Prompt *last = add("Last", "{{b}}");
    // Keys match exactly: "tones" is known, "Tones" is not.
    context.insert(new PromptGlobalVariable("tones", {}));

    const TemplateValidator::Result result = TemplateValidator().validateAll(context);
    EXPECT_EQ(result.promptCount, 4);
    ASSERT_EQ(result.errors.size(), 4);
    const QStringList messages{"Unbalanced brackets: 4 '{' vs 5 '}'", format("{{a}}"),
                               "Unknown global variable: '[Tones]'", format("{{b}}")};
    QSet<QUuid> ids;
    for (qsizetype i = 0; i < result.errors.size(); ++i) {
        const TemplateValidationError &error = result.errors[i];
        EXPECT_EQ(error.error, messages[i]);
        EXPECT_EQ(error.prompt, i < 3 ? first : last);
        EXPECT_EQ(error.promptTitle, i < 3 ? "First" : "Last");
        ids.insert(error.id);
    }
    EXPECT_EQ(ids.size(), 4);
}
