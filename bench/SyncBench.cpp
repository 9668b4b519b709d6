// Start-up synchronisation of the shipped library when nothing changed, the same decision
// over generated libraries of 10,000 and 100,000 prompts (decoded against read by versions), a full
// synchronisation of a large generated library into an empty store (save included), and the
// export of that library. For the folder sync: applying 10,000 changes of another device
// (save included), and a start with sync on and nothing new in the folder against the same
// start without sync.
#include "DataController.h"
#include "ModelContext.h"
#include "Prompt.h"
#include "PromptSyncService.h"
#include "SeedLibrary.h"
#include "SeedRecords.h"
#include "StoreLog.h"
#include "SyncEngine.h"
#include "SyncFolder.h"
#include "JournalCodec.h"
#include "UserAttribute.h"
#include "UserDefaults.h"

#include <QCoreApplication>
#include <QDateTime>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <optional>

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

// The start-up decision over a generated library of state.range(0) prompts whose versions
// were applied already: decoding both files first (the old way, the baseline), against
// reading the versions and the count with the walk over the bytes. The store holds a prompt,
// so it is not empty; what it holds does not enter the decision.
void nothingChanged(benchmark::State &state, bool walk)
{
    static std::map<int, GeneratedSeed> seeds;
    const int count = int(state.range(0));
    if (!seeds.count(count))
        seeds[count] = generate(count);
    const GeneratedSeed &seed = seeds[count];
    const auto capture = quiet();
    QTemporaryDir dir;
    UserDefaults defaults(dir.filePath(QStringLiteral("vorn.ini")));
    defaults.setValue(QLatin1String(PromptSyncService::promptsVersionKey), QStringLiteral("1.0"));
    defaults.setValue(QLatin1String(PromptSyncService::dataVersionKey), QStringLiteral("1.0"));
    defaults.setValue(QLatin1String(PromptSyncService::storedBuildNumberKey), QStringLiteral("1"));
    PromptSyncService service(&defaults, QStringLiteral("1"));
    ModelContext context;
    context.open(QString::fromLatin1(ModelContext::InMemory));
    context.setAutosaveInterval(-1);
    context.insert(new Prompt);
    context.save();
    qsizetype total = 0;
    const PromptSyncService::Completion completed = [&total](qsizetype prompts, qsizetype) { total = prompts; };
    for (auto _ : state) {
        if (walk) {
            const std::optional<SeedLibrary::Versions> versions = SeedLibrary::versionsOf(seed.prompts, seed.data);
            if (!versions || !service.skipIfCurrent(versions->prompts, versions->data, versions->promptCount, &context,
                                                    completed))
                state.SkipWithError("the walk did not find the versions");
        } else {
            service.sync(seed.prompts, seed.data, &context, false, completed);
        }
    }
    if (total != count)
        state.SkipWithError("the skipped run did not count the file's prompts");
    state.counters["MB"] = double(seed.prompts.size()) / (1024 * 1024);
}
void nothingChangedDecoding(benchmark::State &state)
{
    nothingChanged(state, false);
}
void nothingChangedByVersions(benchmark::State &state)
{
    nothingChanged(state, true);
}
BENCHMARK(nothingChangedDecoding)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(nothingChangedByVersions)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

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

const QString OtherDevice = QStringLiteral("5ee0b1a2-0c3d-4e5f-8a9b-0c1d2e3f4a5b");

void settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

// The other device's journal: four changes (favourite, hidden, last use, uses) of each of
// 2,500 prompts, all newer than the ones of the round before.
QByteArray remoteJournal(const QList<Prompt *> &prompts, int round, qint64 wall)
{
    SyncJournal journal;
    journal.device = OtherDevice;
    journal.name = QStringLiteral("Desktop");
    journal.written = wall;
    journal.records.reserve(prompts.size() * 4);
    quint32 counter = 0;
    auto add = [&](const QString &key, const QString &field, const QJsonValue &value) {
        journal.records.append({{wall, counter++, OtherDevice}, QStringLiteral("attr"), key, field, value});
    };
    for (const Prompt *p : prompts) {
        const QString key = p->idText();
        add(key, QStringLiteral("favorite"), round % 2 == 0);
        add(key, QStringLiteral("hidden"), round % 2 == 1);
        add(key, QStringLiteral("lastUsed"), double(wall));
        add(key, QStringLiteral("uses"), double(round + 1));
    }
    return JournalCodec::encode(journal);
}

void applyRemoteChanges(benchmark::State &state)
{
    const GeneratedSeed seed = generate(2500);
    const auto capture = quiet();
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("Shared"));
    QDir().mkpath(folder);
    UserDefaults defaults(dir.filePath(QStringLiteral("vorn.ini")));
    defaults.setValue(QLatin1String(SyncEngine::FolderKey), folder);
    PromptSyncService service(&defaults, QStringLiteral("1"));
    ModelContext context;
    context.open(dir.filePath(QStringLiteral("library.sqlite")));
    context.setAutosaveInterval(-1);
    service.sync(seed.prompts, seed.data, &context, false);
    SyncEngine engine({&context, &defaults, dir.filePath(QStringLiteral("sync")), 60000, 300});
    engine.start();
    settle();
    context.save();
    const QList<Prompt *> prompts = context.fetch<Prompt>();
    const QString path = QDir(folder).filePath(SyncFolder::journalName(OtherDevice));
    // Newer than anything before, never far enough ahead to be held back.
    qint64 wall = QDateTime::currentMSecsSinceEpoch() - 24LL * 3600 * 1000;
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QString error;
        SyncFolder::writeAtomically(path, remoteJournal(prompts, round, wall += 1000), &error);
        state.ResumeTiming();

        engine.syncNow();
        context.save();

        state.PauseTiming();
        const bool favourite = prompts.front()->isFavorite();
        if (favourite != (round % 2 == 0) || prompts.back()->usageCount() != round + 1 || context.hasChanges())
            state.SkipWithError("the other device's changes were not applied");
        ++round;
        state.ResumeTiming();
    }
    state.counters["changes"] = double(prompts.size() * 4);
    engine.stop();
}
BENCHMARK(applyRemoteChanges)->Unit(benchmark::kMillisecond);

// A start: the store opens and the shipped library is found unchanged; with sync on, the
// sync starts too and finds every file of the folder as it applied it last time.
void startup(benchmark::State &state, bool withSync)
{
    const SeedLibrary::Files files = SeedLibrary::load();
    if (!files.ok()) {
        state.SkipWithError("the shipped library files are not available");
        return;
    }
    const auto capture = quiet();
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("Shared"));
    const QString store = dir.filePath(QStringLiteral("library.sqlite"));
    const QString local = dir.filePath(QStringLiteral("sync"));
    QDir().mkpath(folder);
    UserDefaults defaults(dir.filePath(QStringLiteral("vorn.ini")));
    defaults.setValue(QLatin1String(SyncEngine::FolderKey), folder);
    PromptSyncService service(&defaults, QStringLiteral("1"));
    {
        // A used library that synced with another device before.
        ModelContext context;
        context.open(store);
        context.setAutosaveInterval(-1);
        service.sync(files.prompts, files.data, &context, false);
        SyncEngine engine({&context, &defaults, local, 60000, 300});
        engine.start();
        settle();
        const QList<Prompt *> prompts = context.fetch<Prompt>();
        for (qsizetype i = 0; i < prompts.size(); i += 3) {
            UserAttribute *a = prompts.at(i)->ensureAttribute();
            a->setFavorite(true);
            a->setUsageCount(a->usageCount() + 2);
        }
        context.save();
        QString error;
        SyncFolder::writeAtomically(QDir(folder).filePath(SyncFolder::journalName(OtherDevice)),
                                    remoteJournal(prompts.mid(0, 100), 0, QDateTime::currentMSecsSinceEpoch() - 60000),
                                    &error);
        engine.syncNow();
        context.save();
        settle();
        engine.stop();
        context.closeStore();
    }
    for (auto _ : state) {
        auto context = std::make_unique<ModelContext>();
        context->open(store);
        context->setAutosaveInterval(-1);
        service.sync(files.prompts, files.data, context.get(), false);
        std::unique_ptr<SyncEngine> engine;
        if (withSync) {
            engine = std::make_unique<SyncEngine>(SyncEngine::Options{context.get(), &defaults, local, 60000, 300});
            engine->start();
        }
        settle();

        state.PauseTiming();
        if (context->hasChanges())
            state.SkipWithError("the start found something new");
        if (engine)
            engine->stop();
        engine.reset();
        context->closeStore();
        context.reset();
        state.ResumeTiming();
    }
    // What this device keeps in the folder for the shipped library and its use.
    const QString journal = QDir(folder).filePath(SyncFolder::journalName(defaults.string(SyncEngine::DeviceIdKey)));
    state.counters["journalBytes"] = double(QFileInfo(journal).size());
}

void startWithoutSync(benchmark::State &state)
{
    startup(state, false);
}
BENCHMARK(startWithoutSync)->Unit(benchmark::kMillisecond);

void startWithSyncNothingNew(benchmark::State &state)
{
    startup(state, true);
}
BENCHMARK(startWithSyncNothingNew)->Unit(benchmark::kMillisecond);
} // namespace
