// Template figures for a 10 KB template with 50 placeholders: parsing, rendering and
// setting up a form. The "Baseline" runs do the least work the same job needs (a plain
// scan for the braces, plain text replacement) and give the ratio in the same run.
#include "FormViewModel.h"
#include "PromptParser.h"
#include "TemplateForm.h"

#include "ModelContext.h"
#include "Prompt.h"
#include "PromptGlobalVariable.h"
#include "UserDefaults.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {
const QUuid PromptId = QUuid::fromString(QStringLiteral("0b7a6c1e-2d3f-4a5b-9c8d-7e6f5a4b3c2d"));

const PromptParser::GlobalMap &globals()
{
    static const PromptParser::GlobalMap map = [] {
        PromptParser::GlobalMap m;
        for (const char *key : {"Tones", "frontend_frameworks", "Languages", "audiences"}) {
            QStringList values;
            for (int i = 0; i < 12; ++i)
                values.append(QStringLiteral("%1 value %2").arg(QLatin1String(key)).arg(i));
            m.insert(QLatin1String(key), values);
        }
        return m;
    }();
    return map;
}

// About 10 KB of prose with 50 placeholders of every kind.
const QString &bigTemplate()
{
    static const QString text = [] {
        const QStringList placeholders{
            QStringLiteral("{{topic}}"),
            QStringLiteral("{{Audience: Kids}}"),
            QStringLiteral("{{Tone: [Tones]}}"),
            QStringLiteral("{{Style: formal, casual, friendly}}"),
            QStringLiteral("{{Count: 5}}"),
            QStringLiteral("{{Age: 18-99}}"),
            QStringLiteral("{{Start: 2024-01-31}}"),
            QStringLiteral("{{Framework: [frontend_frameworks]}}"),
            QStringLiteral("{{target audience}}"),
            QStringLiteral("{{Length: 2.5e3}}"),
        };
        const QString prose = QStringLiteral(
            "You are an experienced editor. Read the brief carefully, keep the voice consistent "
            "and explain each decision in one short sentence. Avoid jargon unless asked. ");
        QString out;
        for (int i = 0; i < 50; ++i) {
            out += prose;
            out += placeholders.at(i % placeholders.size());
            out += u' ';
        }
        while (out.size() < 10 * 1024)
            out += prose;
        return out;
    }();
    return text;
}

void BM_Parse(benchmark::State &state)
{
    const PromptParser parser;
    for (auto _ : state) {
        auto variables = parser.parse(bigTemplate(), globals());
        benchmark::DoNotOptimize(variables);
    }
    state.SetBytesProcessed(state.iterations() * bigTemplate().size() * 2);
}
BENCHMARK(BM_Parse);

// Finds the same placeholders with indexOf and copies their inner text, nothing more.
void BM_ParseBaseline(benchmark::State &state)
{
    const QString &text = bigTemplate();
    for (auto _ : state) {
        QStringList inner;
        qsizetype from = 0;
        while ((from = text.indexOf(QLatin1String("{{"), from)) >= 0) {
            const qsizetype end = text.indexOf(QLatin1String("}}"), from + 2);
            if (end < 0)
                break;
            inner.append(text.mid(from + 2, end - from - 2));
            from = end + 2;
        }
        benchmark::DoNotOptimize(inner);
    }
    state.SetBytesProcessed(state.iterations() * text.size() * 2);
}
BENCHMARK(BM_ParseBaseline);

void BM_GeneratedPrompt(benchmark::State &state)
{
    TemplateForm form;
    form.setup(bigTemplate(), {}, globals());
    for (auto _ : state) {
        QString out = form.generatedPrompt();
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_GeneratedPrompt);

// Replaces each distinct placeholder text with its value by QString::replace.
void BM_GeneratedPromptBaseline(benchmark::State &state)
{
    TemplateForm form;
    form.setup(bigTemplate(), {}, globals());
    QList<std::pair<QString, QString>> replacements;
    for (const ParsedPromptVariable &variable : form.variables()) {
        const QString placeholder =
            bigTemplate().mid(variable.range.start, variable.range.length());
        if (std::none_of(replacements.cbegin(), replacements.cend(),
                         [&](const auto &r) { return r.first == placeholder; }))
            replacements.append({placeholder, u'"' + form.input(variable.label) + u'"'});
    }
    for (auto _ : state) {
        QString out = bigTemplate();
        for (const auto &[placeholder, value] : std::as_const(replacements))
            out.replace(placeholder, value);
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_GeneratedPromptBaseline);

void BM_PreviewSegments(benchmark::State &state)
{
    TemplateForm form;
    form.setup(bigTemplate(), {}, globals());
    for (auto _ : state) {
        auto segments = form.previewSegments();
        benchmark::DoNotOptimize(segments);
    }
}
BENCHMARK(BM_PreviewSegments);

// The whole form set-up against a store: the prompt among 500 others, the global lists
// as records and a remembered value for some fields.
void BM_Setup(benchmark::State &state)
{
    QTemporaryDir dir;
    ModelContext context;
    context.setAutosaveInterval(-1);
    if (!context.open(QString::fromLatin1(ModelContext::InMemory)).ok()) {
        state.SkipWithError("cannot open an in-memory store");
        return;
    }
    for (int i = 0; i < 500; ++i) {
        auto *prompt = new Prompt;
        prompt->setTitle(QStringLiteral("Prompt %1").arg(i));
        prompt->setTemplateText(QStringLiteral("{{A}} and {{B}}"));
        context.insert(prompt);
    }
    auto *prompt = new Prompt;
    prompt->setId(PromptId);
    prompt->setTitle(QStringLiteral("Big"));
    prompt->setTemplateText(bigTemplate());
    context.insert(prompt);
    for (auto it = globals().cbegin(); it != globals().cend(); ++it)
        context.insert(new PromptGlobalVariable(it.key(), it.value()));
    UserDefaults defaults(dir.filePath(QStringLiteral("vorn.ini")));
    defaults.setValue(uuidText(PromptId) + QStringLiteral("-Topic"), QStringLiteral("Cats"));
    defaults.setValue(uuidText(PromptId) + QStringLiteral("-Count"), QStringLiteral("7"));

    FormViewModel form(&context, &defaults);
    for (auto _ : state) {
        form.setup(bigTemplate(), PromptId);
        benchmark::DoNotOptimize(form.inputs());
    }
}
BENCHMARK(BM_Setup)->Unit(benchmark::kMicrosecond);
} // namespace
