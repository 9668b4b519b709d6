// Import and search figures: importing 10,000 pasted prompts, one keystroke of the library
// search over 10,000 and 100,000 prompts against a naive search that lower-cases every field
// on every keystroke, and the template check over 10,000 prompts.
#include "ModelContext.h"
#include "Prompt.h"
#include "PromptCategory.h"
#include "PromptImporter.h"
#include "PromptSearch.h"
#include "PromptTag.h"
#include "LibraryValidator.h"
#include "UserAttribute.h"

#include <QCollator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

namespace {
const QStringList Words{
    QStringLiteral("write"), QStringLiteral("essay"),   QStringLiteral("résumé"),
    QStringLiteral("code"),  QStringLiteral("review"),  QStringLiteral("image"),
    QStringLiteral("café"),  QStringLiteral("summary"), QStringLiteral("story"),
    QStringLiteral("email"), QStringLiteral("video"),   QStringLiteral("translate")};

QString words(int seed, int count)
{
    QStringList out;
    for (int i = 0; i < count; ++i)
        out.append(Words.at((seed * 7 + i * 13 + i * i) % Words.size()));
    return out.join(u' ');
}

const QString Body = QStringLiteral(
    "You are an expert. Write about {{Topic: cats}} in a {{Tone: formal, casual}} tone "
    "for {{Audience: [audiences]}}. ");

void addCategoriesAndTags(ModelContext &context)
{
    for (int i = 0; i < 16; ++i) {
        auto *category = new PromptCategory;
        category->setName(QStringLiteral("Category %1").arg(i));
        context.insert(category);
    }
    for (const char *name : {"text", "image", "video", "audio", "3d"}) {
        auto *tag = new PromptTag;
        tag->setName(QString::fromLatin1(name));
        context.insert(tag);
    }
}

void fillLibrary(ModelContext &context, int count)
{
    for (int i = 0; i < count; ++i) {
        auto *prompt = new Prompt;
        prompt->setTitle(words(i, 3) + QStringLiteral(" %1").arg(i));
        prompt->setPromptDescription(words(i + 5, 8));
        prompt->setTemplateText(Body.repeated(4));
        prompt->setActive(i % 50 != 0);
        context.insert(prompt);
        if (i % 3 == 0)
            prompt->ensureAttribute()->setUsageCount(i % 17);
        if (i % 97 == 0)
            prompt->ensureAttribute()->setHidden(true);
    }
}

QByteArray importJson(int count)
{
    QJsonArray array;
    for (int i = 0; i < count; ++i) {
        array.append(QJsonObject{
            {QStringLiteral("id"), QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper()},
            {QStringLiteral("categories"), QJsonArray{QStringLiteral("Category %1").arg(i % 16)}},
            {QStringLiteral("tags"),
             QJsonArray{QStringLiteral("text"), QStringLiteral("tag %1").arg(i % 40)}},
            {QStringLiteral("title"), words(i, 3)},
            {QStringLiteral("description"), words(i + 5, 8)},
            {QStringLiteral("template"), Body.repeated(4)},
            {QStringLiteral("created"), QStringLiteral("2024-01-31")},
            {QStringLiteral("updated"), QStringLiteral("2024-02-29")},
            {QStringLiteral("active"), true}});
    }
    return QJsonDocument(array).toJson(QJsonDocument::Compact);
}

void runImport(benchmark::State &state, bool onDisk)
{
    const QByteArray json = importJson(10000);
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir dir;
        auto context = std::make_unique<ModelContext>();
        context->setAutosaveInterval(-1);
        context->open(onDisk ? dir.path() + QStringLiteral("/library.sqlite")
                             : QString::fromLatin1(ModelContext::InMemory));
        addCategoriesAndTags(*context);
        context->save();
        state.ResumeTiming();

        const PromptImporter::Result result = PromptImporter(*context).importData(json);
        if (!result.ok())
            state.SkipWithError(qPrintable(result.errorMessage));

        state.PauseTiming();
        context.reset();
        state.ResumeTiming();
    }
    state.counters["prompts"] = 10000;
}

void BM_Import10kInMemory(benchmark::State &state)
{
    runImport(state, false);
}
BENCHMARK(BM_Import10kInMemory)->Unit(benchmark::kMillisecond);

void BM_Import10kOnDisk(benchmark::State &state)
{
    runImport(state, true);
}
BENCHMARK(BM_Import10kOnDisk)->Unit(benchmark::kMillisecond);

// Typing "write a cafe review" letter by letter, then again.
QStringList keystrokes()
{
    const QString typed = QStringLiteral("write a cafe review");
    QStringList out;
    for (qsizetype i = 1; i <= typed.size(); ++i)
        out.append(typed.left(i));
    return out;
}

struct SearchLibrary {
    ModelContext context;
    explicit SearchLibrary(int count)
    {
        context.setAutosaveInterval(-1);
        context.open(QString::fromLatin1(ModelContext::InMemory));
        fillLibrary(context, count);
        // A library as loaded at start: nothing pending.
        context.save();
    }
};

void BM_SearchKeystroke(benchmark::State &state)
{
    SearchLibrary library(int(state.range(0)));
    PromptSearch search(library.context);
    const QStringList typed = keystrokes();
    search.search(typed.first(), {}); // the first search folds the library
    qsizetype i = 0;
    qsizetype hits = 0;
    for (auto _ : state) {
        hits += search.search(typed.at(i++ % typed.size()), {}).size();
        benchmark::DoNotOptimize(hits);
    }
    state.counters["hits/keystroke"] = double(hits) / double(state.iterations());
}
BENCHMARK(BM_SearchKeystroke)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// A keystroke right after a change that is not saved yet (a favourite toggled within the
// autosave delay): every prompt is checked again, only the changed one is folded again.
void BM_SearchKeystrokeAfterChange(benchmark::State &state)
{
    SearchLibrary library(int(state.range(0)));
    PromptSearch search(library.context);
    const QStringList typed = keystrokes();
    search.search(typed.first(), {});
    Prompt *toggled = library.context.fetch<Prompt>().at(1);
    qsizetype i = 0;
    for (auto _ : state) {
        toggled->ensureAttribute()->setFavorite(i % 2 == 0);
        benchmark::DoNotOptimize(search.search(typed.at(i++ % typed.size()), {}));
    }
}
BENCHMARK(BM_SearchKeystrokeAfterChange)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_SearchKeystrokeWithTemplate(benchmark::State &state)
{
    SearchLibrary library(int(state.range(0)));
    PromptSearch search(library.context);
    PromptSearch::Options options;
    options.searchTemplate = true;
    const QStringList typed = keystrokes();
    search.search(QStringLiteral("zzz"), options); // folds every template once
    qsizetype i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(search.search(typed.at(i++ % typed.size()), options));
}
BENCHMARK(BM_SearchKeystrokeWithTemplate)->Arg(10000)->Unit(benchmark::kMillisecond);

// What a search without a cache does: lower-case every field of every prompt on every
// keystroke, then sort the hits comparing titles with the collator.
QList<Prompt *> naiveSearch(ModelContext &context, const QString &text, const QCollator &collator)
{
    const QStringList terms = text.toLower().split(u' ', Qt::SkipEmptyParts);
    QSet<QUuid> hidden;
    for (const UserAttribute *attribute : context.fetch<UserAttribute>()) {
        if (attribute->isHidden())
            hidden.insert(attribute->targetID());
    }
    QSet<QUuid> seen;
    QList<Prompt *> hits;
    for (Prompt *prompt : context.fetch<Prompt>()) {
        if (seen.contains(prompt->id()) || !prompt->isActive() || hidden.contains(prompt->id()))
            continue;
        seen.insert(prompt->id());
        const QString title = prompt->title().toLower();
        const QString description = prompt->promptDescription().toLower();
        const bool all = std::all_of(terms.begin(), terms.end(), [&](const QString &term) {
            return title.contains(term) || description.contains(term);
        });
        if (all)
            hits.append(prompt);
    }
    std::stable_sort(hits.begin(), hits.end(), [&](const Prompt *a, const Prompt *b) {
        if (a->isFavorite() != b->isFavorite())
            return a->isFavorite();
        if (a->usageCount() != b->usageCount())
            return a->usageCount() > b->usageCount();
        return collator.compare(a->title(), b->title()) < 0;
    });
    return hits;
}

void BM_NaiveSearchKeystroke(benchmark::State &state)
{
    SearchLibrary library(int(state.range(0)));
    QCollator collator(QLocale(QLocale::English, QLocale::UnitedStates));
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    const QStringList typed = keystrokes();
    qsizetype i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(
            naiveSearch(library.context, typed.at(i++ % typed.size()), collator));
}
BENCHMARK(BM_NaiveSearchKeystroke)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ValidateAll10k(benchmark::State &state)
{
    SearchLibrary library(10000);
    for (auto _ : state)
        benchmark::DoNotOptimize(LibraryValidator::validateAll(library.context));
}
BENCHMARK(BM_ValidateAll10k)->Unit(benchmark::kMillisecond);
} // namespace
