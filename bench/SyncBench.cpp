// Start-up synchronisation of the shipped library when nothing changed, a full
// synchronisation of a large generated library into an empty store (save included), and the
// export of that library.
#include "DataController.h"
#include "ModelContext.h"
#include "Prompt.h"
#include "PromptSyncService.h"
#include "SeedLibrary.h"
#include "SeedRecords.h"
#include "StoreLog.h"
#include "UserDefaults.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {
struct GeneratedSeed {
    QByteArray prompts;
    QByteArray data;
};

GeneratedSeed generate(int promptCount)
{
    DataRoot data;
    data.metadata = SeedMetadata{"1.0", "2025-01-01", "bench"};
    for (int i = 0; i < 24; ++i)
        data.categories.append(SeedCategory{uuidText(QUuid::createUuid()), QStringLiteral("Category %1").arg(i),
                                            QStringLiteral("folder"), QStringLiteral("About %1").arg(i)});
    for (int i = 0; i < 60; ++i)
        data.tags.append(QStringLiteral("tag%1").arg(i));
    data.variables = QMap<QString, QStringList>{{QStringLiteral("tones"), {"formal", "casual", "dry"}}};

    PromptsRoot prompts;
    prompts.metadata = SeedMetadata{"1.0", "2025-01-01", "bench"};
    prompts.prompts.reserve(promptCount);
    for (int i = 0; i < promptCount; ++i) {
        SeedPrompt p;
        p.id = uuidText(QUuid::createUuid());
        p.categories = {data.categories.at(i % 24).id, data.categories.at((i * 7) % 24).name};
        p.tags = {data.tags.at(i % 60), data.tags.at((i * 13) % 60)};
        p.title = QStringLiteral("Prompt number %1").arg(i);
        p.description = QStringLiteral("What prompt %1 is for, in one line of text").arg(i);
        p.templateText = QStringLiteral("Write a {{Tone:[tones]}} answer about {{Topic}} in {{Words:number:200}} "
                                        "words, for prompt %1.\n\nContext: {{Context:textarea}}")
                             .arg(i);
        p.created = QStringLiteral("2024-06-01");
        p.updated = QStringLiteral("2025-01-%1").arg(1 + i % 28, 2, 10, QLatin1Char('0'));
        p.hot = i % 50 == 0;
        prompts.prompts.append(std::move(p));
    }
    return {prompts.encode(), data.encode()};
}

const GeneratedSeed &largeSeed()
{
    static const GeneratedSeed seed = generate(10000);
    return seed;
}

// Log lines are not part of what is measured.
StoreLog::Capture quiet()
{
    return StoreLog::Capture([](const QString &) {});
}

void startupSyncNothingChanged(benchmark::State &state)
{
    const SeedLibrary::Files files = SeedLibrary::load();
    if (!files.ok()) {
        state.SkipWithError("the shipped library files are not available");
        return;
    }
    const auto capture = quiet();
    QTemporaryDir dir;
    UserDefaults defaults(dir.filePath(QStringLiteral("vorn.ini")));
    PromptSyncService service(&defaults, QStringLiteral("1"));
    ModelContext context;
    context.open(dir.filePath(QStringLiteral("library.sqlite")));
    context.setAutosaveInterval(-1);
    service.sync(files.prompts, files.data, &context, false);
    for (auto _ : state)
        service.sync(files.prompts, files.data, &context, false);
    state.counters["prompts"] = double(context.count<Prompt>());
}
BENCHMARK(startupSyncNothingChanged)->Unit(benchmark::kMillisecond);

void fullSyncIntoEmptyStore(benchmark::State &state)
{
    const GeneratedSeed &seed = largeSeed();
    const auto capture = quiet();
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir dir;
        UserDefaults defaults(dir.filePath(QStringLiteral("vorn.ini")));
        PromptSyncService service(&defaults, QStringLiteral("1"));
        auto context = std::make_unique<ModelContext>();
        context->open(dir.filePath(QStringLiteral("library.sqlite")));
        context->setAutosaveInterval(-1);
        state.ResumeTiming();

        service.sync(seed.prompts, seed.data, context.get(), false);

        state.PauseTiming();
        if (context->count<Prompt>() != 10000 || context->hasChanges())
            state.SkipWithError("the synchronisation did not store every prompt");
        context.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(fullSyncIntoEmptyStore)->Unit(benchmark::kMillisecond);

void exportLargeLibrary(benchmark::State &state)
{
    const GeneratedSeed &seed = largeSeed();
    const auto capture = quiet();
    QTemporaryDir dir;
    UserDefaults defaults(dir.filePath(QStringLiteral("vorn.ini")));
    PromptSyncService service(&defaults, QStringLiteral("1"));
    DataController::Options options;
    options.inMemory = true;
    options.documentsDir = dir.filePath(QStringLiteral("Documents"));
    DataController controller(options);
    controller.setUp();
    controller.mainContext()->setAutosaveInterval(-1);
    service.sync(seed.prompts, seed.data, controller.mainContext(), false);
    for (auto _ : state) {
        if (controller.exportData().isEmpty())
            state.SkipWithError("the export failed");
    }
}
BENCHMARK(exportLargeLibrary)->Unit(benchmark::kMillisecond);
} // namespace
