// Search figures, each next to the plain filter (every term a substring of the lower-cased
// title or description, fields lower-cased on every keystroke) and `fzf --filter` over the
// same titles and descriptions, in the same run: one keystroke (filter, rank, close matches,
// highlight ranges of the rows a panel shows) on the shipped library and on generated ones of
// 10,000 and 100,000 prompts, and the memory of the search index against the text it indexes.
// Goals: a keystroke under 1 ms shipped, 5 ms at 10,000, 50 ms at 100,000; index under 2x.
#include "ModelContext.h"
#include "Prompt.h"
#include "PromptSearch.h"
#include "SearchHighlighter.h"
#include "SearchLibraries.h"
#include "UserAttribute.h"

#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <benchmark/benchmark.h>

#include <malloc.h>

namespace {
// The rows a panel shows at once get their highlights with the keystroke.
constexpr int RowsShown = 20;

ModelContext &library(int size)
{
    return size == 0 ? SearchLibraries::shipped() : SearchLibraries::generated(size);
}

QStringList keystrokes()
{
    const QString typed = QString::fromLatin1(SearchLibraries::typed());
    QStringList out;
    for (qsizetype i = 1; i <= typed.size(); ++i)
        if (typed.at(i - 1) != u' ')
            out.append(typed.left(i));
    return out;
}

void label(benchmark::State &state)
{
    state.SetLabel(state.range(0) == 0 ? "shipped" : std::to_string(state.range(0)) + " prompts");
}

void BM_SearchKeystroke(benchmark::State &state)
{
    ModelContext &context = library(int(state.range(0)));
    PromptSearch search(context);
    const QStringList typed = keystrokes();
    search.find(typed.first(), {}); // the first search makes the index
    qsizetype i = 0;
    double matches = 0;
    double close = 0;
    for (auto _ : state) {
        const PromptSearch::Found found = search.find(typed.at(i++ % typed.size()), {});
        int shown = 0;
        for (const QList<Prompt *> *list : {&found.matches, &found.close}) {
            const bool near = list == &found.close;
            for (qsizetype k = 0; k < list->size() && shown < RowsShown; ++k, ++shown) {
                const Prompt *prompt = list->at(k);
                const QStringList &words = near ? found.results.closeWords : QStringList();
                benchmark::DoNotOptimize(SearchHighlighter::ranges(prompt->title(), found.results.terms, words, near));
                benchmark::DoNotOptimize(
                    SearchHighlighter::ranges(prompt->promptDescription(), found.results.terms, words));
            }
        }
        matches += double(found.matches.size());
        close += double(found.close.size());
    }
    state.counters["matches"] = benchmark::Counter(matches, benchmark::Counter::kAvgIterations);
    state.counters["close"] = benchmark::Counter(close, benchmark::Counter::kAvgIterations);
    label(state);
}
BENCHMARK(BM_SearchKeystroke)->Arg(0)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();

// The plain filter, as a search without an index does it.
QList<Prompt *> plainFilter(ModelContext &context, const QString &text)
{
    const QStringList terms = text.toLower().split(u' ', Qt::SkipEmptyParts);
    QSet<QUuid> hidden;
    for (const UserAttribute *attribute : context.fetch<UserAttribute>())
        if (attribute->isHidden())
            hidden.insert(attribute->targetID());
    QSet<QUuid> seen;
    QList<Prompt *> hits;
    for (Prompt *prompt : context.fetch<Prompt>()) {
        if (seen.contains(prompt->id()) || !prompt->isActive() || hidden.contains(prompt->id()))
            continue;
        seen.insert(prompt->id());
        const QString title = prompt->title().toLower();
        const QString description = prompt->promptDescription().toLower();
        if (std::all_of(terms.begin(), terms.end(),
                        [&](const QString &term) { return title.contains(term) || description.contains(term); }))
            hits.append(prompt);
    }
    return hits;
}

void BM_PlainFilterKeystroke(benchmark::State &state)
{
    ModelContext &context = library(int(state.range(0)));
    const QStringList typed = keystrokes();
    qsizetype i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(plainFilter(context, typed.at(i++ % typed.size())));
    label(state);
}
BENCHMARK(BM_PlainFilterKeystroke)->Arg(0)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();

// fzf filtering the same titles and descriptions, one line per prompt, for each keystroke
// (its start and its reading of the lines included: that is what a keystroke costs with it).
void BM_FzfKeystroke(benchmark::State &state)
{
    const QString fzf = QStandardPaths::findExecutable(QStringLiteral("fzf"));
    if (fzf.isEmpty()) {
        state.SkipWithError("fzf is not installed (Debian package fzf)");
        return;
    }
    QTemporaryFile lines;
    lines.open();
    for (const Prompt *prompt : library(int(state.range(0))).fetch<Prompt>())
        lines.write((prompt->title() + u' ' + prompt->promptDescription()).simplified().toUtf8() + '\n');
    lines.flush();
    const QStringList typed = keystrokes();
    qsizetype i = 0;
    for (auto _ : state) {
        QProcess process;
        process.setStandardInputFile(lines.fileName());
        process.setStandardOutputFile(QProcess::nullDevice());
        process.start(fzf, {QStringLiteral("--filter"), typed.at(i++ % typed.size())});
        process.waitForFinished(-1);
    }
    label(state);
}
BENCHMARK(BM_FzfKeystroke)->Arg(0)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();

// Bytes the index holds against the text it indexes (titles, descriptions, category and tag
// names as the program holds them, UTF-16), by its own count and by what malloc handed out
// while it was made; with template text on, the templates count on both sides.
void indexMemory(benchmark::State &state, bool templates)
{
    ModelContext &context = library(int(state.range(0)));
    double own = 0;
    double allocated = 0;
    double text = 0;
    for (auto _ : state) {
        PromptSearch search(context);
        const size_t before = mallinfo2().uordblks;
        PromptSearch::Options options;
        options.searchTemplate = templates;
        search.query(QStringLiteral("x"), options).run();
        const auto index = search.index();
        const size_t after = mallinfo2().uordblks;
        own = double(index->memoryBytes());
        allocated = double(after - before);
        text = double(index->textBytes() + (templates ? index->templateTextBytes() : 0));
    }
    state.counters["text_MB"] = text / 1e6;
    state.counters["index_MB"] = own / 1e6;
    state.counters["ratio"] = own / text;
    state.counters["malloc_ratio"] = allocated / text;
    label(state);
}

void BM_IndexMemory(benchmark::State &state)
{
    indexMemory(state, false);
}
BENCHMARK(BM_IndexMemory)->Arg(0)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_IndexMemoryWithTemplates(benchmark::State &state)
{
    indexMemory(state, true);
}
BENCHMARK(BM_IndexMemoryWithTemplates)->Arg(0)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);
} // namespace
