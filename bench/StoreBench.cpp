// Store figures: open a 10,000-prompt library, insert and save 10,000 prompts, save one change.
#include "ModelContext.h"
#include "Prompt.h"
#include "PromptCategory.h"
#include "PromptTag.h"
#include "UserAttribute.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {
void fillLibrary(ModelContext &ctx, int prompts)
{
    QList<PromptCategory *> categories;
    for (int i = 0; i < 16; ++i) {
        auto *c = new PromptCategory;
        c->setName(QStringLiteral("Category %1").arg(i));
        ctx.insert(c);
        categories << c;
    }
    QList<PromptTag *> tags;
    for (const char *name : {"text", "image", "video", "audio", "3d"}) {
        auto *t = new PromptTag;
        t->setName(QString::fromLatin1(name));
        ctx.insert(t);
        tags << t;
    }
    const QString body = QStringLiteral("You are an expert. Write about {{Topic: cats}} in {{Tone: formal, casual}}. ").repeated(8);
    for (int i = 0; i < prompts; ++i) {
        auto *p = new Prompt;
        p->setTitle(QStringLiteral("Prompt number %1").arg(i));
        p->setPromptDescription(QStringLiteral("What the user gets from prompt %1").arg(i));
        p->setTemplateText(body);
        p->setCategories({categories[i % 16], categories[(i * 7) % 16]});
        p->setTags({tags[i % 5]});
        ctx.insert(p);
        if (i % 3 == 0)
            p->ensureAttribute()->setUsageCount(i);
    }
}

struct Library {
    QTemporaryDir dir;
    QString path = dir.path() + QStringLiteral("/library.sqlite");
    explicit Library(int prompts)
    {
        ModelContext ctx;
        ctx.setAutosaveInterval(-1);
        ctx.open(path);
        fillLibrary(ctx, prompts);
        ctx.save();
    }
};

void BM_OpenStore10k(benchmark::State &state)
{
    Library library(10000);
    for (auto _ : state) {
        ModelContext ctx;
        ctx.setAutosaveInterval(-1);
        if (!ctx.open(library.path).ok())
            state.SkipWithError("open failed");
        benchmark::DoNotOptimize(ctx.count<Prompt>());
        state.PauseTiming();
        ctx.close();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenStore10k)->Unit(benchmark::kMillisecond);

void BM_InsertAndSave10k(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir dir;
        ModelContext ctx;
        ctx.setAutosaveInterval(-1);
        ctx.open(dir.path() + QStringLiteral("/library.sqlite"));
        state.ResumeTiming();
        fillLibrary(ctx, 10000);
        if (!ctx.save())
            state.SkipWithError("save failed");
        state.PauseTiming();
        ctx.close();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_InsertAndSave10k)->Unit(benchmark::kMillisecond);

void BM_SaveOneAttribute(benchmark::State &state)
{
    Library library(10000);
    ModelContext ctx;
    ctx.setAutosaveInterval(-1);
    ctx.open(library.path);
    UserAttribute *attribute = ctx.fetch<Prompt>().at(5000)->ensureAttribute();
    ctx.save();
    qint64 n = 0;
    for (auto _ : state) {
        attribute->setUsageCount(++n);
        if (!ctx.save())
            state.SkipWithError("save failed");
    }
}
BENCHMARK(BM_SaveOneAttribute)->Unit(benchmark::kMillisecond);

// Baseline in the same run: one empty write transaction with a full sync.
void BM_BaselineEmptyCommit(benchmark::State &state)
{
    QTemporaryDir dir;
    ModelContext ctx;
    ctx.setAutosaveInterval(-1);
    ctx.open(dir.path() + QStringLiteral("/library.sqlite"));
    for (auto _ : state)
        ctx.execute(QStringLiteral("BEGIN IMMEDIATE; PRAGMA user_version = 1; COMMIT;"));
}
BENCHMARK(BM_BaselineEmptyCommit)->Unit(benchmark::kMillisecond);
} // namespace
