#include "TemplateValidator.h"

#include "ModelContext.h"
#include "Prompt.h"
#include "PromptGlobalVariable.h"

#include <gtest/gtest.h>

namespace {
const QSet<QString> Keys{QStringLiteral("Tones"), QStringLiteral("")};

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
        {QStringLiteral("Hello {{Name}}"), {format("{{Name}}")}},
        {QStringLiteral("{{Name:}} {{:}} {{}}"), {}},
        {QStringLiteral("{{ }}"), {format("{{ }}")}},
        {QStringLiteral("{{a}}}"),
         {QStringLiteral("Unbalanced brackets: 2 '{' vs 3 '}'"), format("{{a}}")}},
        {QStringLiteral("{{a}"), {QStringLiteral("Unbalanced brackets: 2 '{' vs 1 '}'")}},
        {QStringLiteral("Use {x} and {y}"), {}},
        {QStringLiteral("{{Tone: [Tones]}} {{Tone: [a, b]}} {{Tone: [x}} {{T: []}}"), {}},
        {QStringLiteral("{{Tone: [tones]}}"),
         {QStringLiteral("Unknown global variable: '[tones]'")}},
        {QStringLiteral("{{Tone:\t[ Tones ]\u00a0}}"),
         {QStringLiteral("Unknown global variable: '[ Tones ]'")}},
        {QStringLiteral("{{Multi\nline}} {{Ok: x\ny}}"), {format("{{Multi\nline}}")}},
        {QStringLiteral("{{b}} {{Good: 1}} {{c}}{{{{"),
         {QStringLiteral("Unbalanced brackets: 10 '{' vs 6 '}'"), format("{{b}}"),
          format("{{c}}")}},
        {QStringLiteral("{{{x}}}"), {format("{{{x}}")}},
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
    Prompt *first = add(QStringLiteral("First"), QStringLiteral("{{a}}} {{T: [Tones]}}"));
    add(QStringLiteral("Clean"), QStringLiteral("{{T: [tones]}}"));
    add(QStringLiteral("Empty"), QString());
    Prompt *last = add(QStringLiteral("Last"), QStringLiteral("{{b}}"));
    // Keys match exactly: "tones" is known, "Tones" is not.
    context.insert(new PromptGlobalVariable(QStringLiteral("tones"), {}));

    const TemplateValidator::Result result = TemplateValidator().validateAll(context);
    EXPECT_EQ(result.promptCount, 4);
    ASSERT_EQ(result.errors.size(), 4);
    const QStringList messages{
        QStringLiteral("Unbalanced brackets: 4 '{' vs 5 '}'"), format("{{a}}"),
        QStringLiteral("Unknown global variable: '[Tones]'"), format("{{b}}")};
    QSet<QUuid> ids;
    for (qsizetype i = 0; i < result.errors.size(); ++i) {
        const TemplateValidationError &error = result.errors[i];
        EXPECT_EQ(error.error, messages[i]);
        EXPECT_EQ(error.prompt, i < 3 ? first : last);
        EXPECT_EQ(error.promptTitle, i < 3 ? QStringLiteral("First") : QStringLiteral("Last"));
        ids.insert(error.id);
    }
    EXPECT_EQ(ids.size(), 4);
}
