// Feeds arbitrary bytes to the parser, the form model and the template check, read as
// UTF-8, as Latin-1 and as raw UTF-16 (which may hold unpaired surrogates).
#include "PromptParser.h"
#include "TemplateForm.h"
#include "TemplateValidator.h"

#include <QSet>

#include <cstdlib>
#include <cstring>

namespace {
const PromptParser::GlobalMap &globals()
{
    static const PromptParser::GlobalMap map{
        {QStringLiteral("Tones"), {QStringLiteral("formal"), QStringLiteral("casual")}},
        {QStringLiteral("langs"), {QStringLiteral("#Europe"), QStringLiteral("German")}},
        {QStringLiteral("a,b"), {}},
        {QStringLiteral("ÉTÉ"), {QStringLiteral("x")}},
    };
    return map;
}

void check(bool condition)
{
    if (!condition)
        std::abort();
}

void exercise(const QString &text)
{
    const QList<ParsedPromptVariable> variables = PromptParser().parse(text, globals());
    qsizetype previousEnd = 0;
    for (const ParsedPromptVariable &variable : variables) {
        check(variable.range.start >= previousEnd);
        check(variable.range.end <= text.size());
        check(variable.range.length() >= 4);
        check(text.mid(variable.range.start, 2) == QLatin1String("{{"));
        check(!variable.label.isEmpty());
        previousEnd = variable.range.end;
    }

    TemplateForm form;
    form.setup(text, {}, globals());
    check(form.variables() == variables);
    form.validate();
    const QString rendered = form.generatedPrompt();
    QString joined;
    for (const TemplateForm::PreviewSegment &segment : form.previewSegments())
        joined += segment.text;
    check(joined == rendered);
    for (const ParsedPromptVariable &variable : variables) {
        PromptParser::readNumber(form.input(variable.label));
        TemplateForm::readIsoDateTime(form.input(variable.label));
    }

    TemplateValidator::check(text, {QStringLiteral("Tones"), QStringLiteral("")});
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const char *bytes = reinterpret_cast<const char *>(data);
    const auto length = qsizetype(size);
    exercise(QString::fromUtf8(bytes, length));
    exercise(QString::fromLatin1(bytes, length));
    QString utf16(length / 2, Qt::Uninitialized);
    std::memcpy(utf16.data(), data, size_t(utf16.size()) * sizeof(QChar));
    exercise(utf16);
    return 0;
}
