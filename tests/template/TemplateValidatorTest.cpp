#include "TemplateValidator.h"

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
