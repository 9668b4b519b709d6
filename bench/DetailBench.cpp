// The detail's hot paths for a 10 KB template with 50 placeholders: a keystroke in one field
// (the validation and the rich-text preview follow it) and opening a prompt (setup plus
// every field row the grid reads). The "Baseline" run does the least work a keystroke
// needs, one plain substitution of all placeholders, and gives the ratio in the same run.
#include "FormFieldModel.h"
#include "FormGeneratorViewModel.h"

#include "FormViewModel.h"
#include "ModelContext.h"
#include "Prompt.h"
#include "PromptGlobalVariable.h"
#include "UserDefaults.h"

#include <QRegularExpression>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {
// About 10 KB of text with 50 placeholders of every kind.
QString largeTemplate()
{
    const QStringList kinds{QStringLiteral("{{Topic %1}}"), QStringLiteral("{{Tone %1: formal, casual, friendly}}"),
                            QStringLiteral("{{Count %1: 3}}"), QStringLiteral("{{Words %1: 100-1000}}"),
                            QStringLiteral("{{Due %1: 2024-06-01}}"), QStringLiteral("{{Lang %1: [languages]}}")};
    const QString filler = QStringLiteral(
        "Please consider the context carefully and write in a clear, structured way with examples. "
        "Keep the audience in mind and explain every step.\n");
    QString text;
    for (int i = 0; i < 50; ++i)
        text += filler + kinds.at(i % kinds.size()).arg(i) + u' ';
    while (text.size() < 10 * 1024)
        text += filler;
    return text;
}

struct Store {
    QTemporaryDir dir;
    ModelContext context;
    UserDefaults defaults{dir.path() + QStringLiteral("/vorn.ini")};
    Prompt *prompt = new Prompt;

    Store()
    {
        context.setAutosaveInterval(-1);
        context.open(QString::fromLatin1(ModelContext::InMemory));
        auto *languages = new PromptGlobalVariable;
        languages->setKey(QStringLiteral("languages"));
        QStringList values;
        for (int i = 0; i < 40; ++i)
            values.append(QStringLiteral("Language %1").arg(i));
        languages->setValues(values);
        context.insert(languages);
        prompt->setId(QUuid::createUuid());
        prompt->setTitle(QStringLiteral("Large"));
        prompt->setTemplateText(largeTemplate());
        context.insert(prompt);
    }
};

void BM_KeystrokeUpdatesPreview(benchmark::State &state)
{
    Store store;
    FormViewModel form(&store.context, &store.defaults);
    FormGeneratorViewModel generator(&form, &store.defaults);
    form.setup(store.prompt->templateText(), store.prompt->id());
    FormFieldModel *fields = generator.fields();
    QString typed;
    for (auto _ : state) {
        typed += u'a';
        if (typed.size() > 64)
            typed.clear();
        fields->setValue(0, typed);
        benchmark::DoNotOptimize(generator.previewText().size());
    }
    state.counters["templateBytes"] = double(form.templateText().toUtf8().size());
    state.counters["fields"] = double(fields->rowCount());
}
BENCHMARK(BM_KeystrokeUpdatesPreview)->Unit(benchmark::kMicrosecond);

void BM_KeystrokeBaseline(benchmark::State &state)
{
    const QString text = largeTemplate();
    static const QRegularExpression placeholder(QStringLiteral("\\{\\{.*?\\}\\}"));
    QString typed;
    for (auto _ : state) {
        typed += u'a';
        if (typed.size() > 64)
            typed.clear();
        QString out = text;
        out.replace(placeholder, u'"' + typed + u'"');
        benchmark::DoNotOptimize(out.size());
    }
}
BENCHMARK(BM_KeystrokeBaseline)->Unit(benchmark::kMicrosecond);

void BM_OpenDetail(benchmark::State &state)
{
    Store store;
    for (auto _ : state) {
        FormViewModel form(&store.context, &store.defaults);
        FormGeneratorViewModel generator(&form, &store.defaults);
        form.setup(store.prompt->templateText(), store.prompt->id());
        // Every row the grid reads when it lays the fields out.
        FormFieldModel *fields = generator.fields();
        const QHash<int, QByteArray> roles = fields->roleNames();
        for (int row = 0; row < fields->rowCount(); ++row)
            for (auto it = roles.cbegin(); it != roles.cend(); ++it)
                benchmark::DoNotOptimize(fields->data(fields->index(row), it.key()));
        benchmark::DoNotOptimize(generator.previewText().size());
    }
}
BENCHMARK(BM_OpenDetail)->Unit(benchmark::kMillisecond);
} // namespace
