#include "PromptSyncService.h"

#include "DuplicateCleaner.h"
#include "FirstByKey.h"
#include "ModelContext.h"
#include "Prompt.h"
#include "PromptCategory.h"
#include "PromptGlobalVariable.h"
#include "PromptTag.h"
#include "SeedLibrary.h"
#include "StoreLog.h"
#include "UserAttribute.h"
#include "UserDefaults.h"

#include <QHash>
#include <QScopeGuard>

#ifndef VORN_BUILD_NUMBER
#define VORN_BUILD_NUMBER "0"
#endif

namespace {

void log(const QString &text)
{
    StoreLog::line(lcSync(), QStringLiteral("PromptSyncService: ") + text);
}

QString flag(bool on)
{
    return on ? QStringLiteral("true") : QStringLiteral("false");
}

using CategoryTable = FirstByKey<QUuid, PromptCategory>;

struct RunTables {
    CategoryTable categoriesById;
    QHash<QString, PromptCategory *> categoryMap; // seed id text of this run's data part
    FirstByKey<QString, PromptTag> tagsByName;
    FirstByKey<QUuid, UserAttribute> attributesByTarget;
    qsizetype inserted = 0;
    qsizetype updated = 0;
};

void fillTags(RunTables &tables, ModelContext &context)
{
    tables.tagsByName = {context.fetch<PromptTag>(), [](PromptTag *tag) { return tag->name(); }};
}

void fillAttributes(RunTables &tables, ModelContext &context)
{
    tables.attributesByTarget = {context.fetch<UserAttribute>(),
                                 [](UserAttribute *attribute) { return attribute->targetID(); }};
}

void syncData(const DataRoot &data, ModelContext &context, RunTables &tables)
{
    fillTags(tables, context);
    for (const QString &name : data.tags) {
        if (tables.tagsByName.value(name))
            continue;
        auto *tag = new PromptTag;
        tag->setName(name);
        context.insert(tag);
        tables.tagsByName.add(name, tag);
    }

    fillAttributes(tables, context);
    for (qsizetype i = 0; i < data.categories.size(); ++i) {
        const SeedCategory &seed = data.categories.at(i);
        const QUuid id = PromptSyncService::idForSeed(seed.id);
        const QString description = seed.description.value_or(QString());
        PromptCategory *category = tables.categoriesById.value(id);
        if (!category) {
            category = new PromptCategory;
            category->setId(id);
            category->setName(seed.name);
            category->setIconSymbol(seed.icon);
            category->setCategoryDescription(description);
            category->setSortOrder(i);
            if (UserAttribute *attribute = tables.attributesByTarget.value(id))
                category->setAttributes(attribute);
            context.insert(category);
            tables.categoriesById.add(id, category);
        } else {
            // Each setter writes only when its value differs, which is the same as rewriting
            // all four fields when any one of them changed.
            category->setName(seed.name);
            category->setIconSymbol(seed.icon);
            category->setSortOrder(i);
            category->setCategoryDescription(description);
        }
        tables.categoryMap.insert(seed.id, category);
    }

    FirstByKey<QString, PromptGlobalVariable> listsByKey(
        context.fetch<PromptGlobalVariable>(), [](PromptGlobalVariable *list) { return list->key(); });
    const QMap<QString, QStringList> lists = data.globalLists();
    for (auto it = lists.constBegin(); it != lists.constEnd(); ++it) {
        if (PromptGlobalVariable *list = listsByKey.value(it.key())) {
            list->setValues(it.value());
        } else {
            list = new PromptGlobalVariable(it.key(), it.value());
            context.insert(list);
            listsByKey.add(it.key(), list);
        }
    }
}

QList<PromptCategory *> resolveCategories(const QStringList &references, const RunTables &tables,
                                          const FirstByKey<QString, PromptCategory> &byName)
{
    QList<PromptCategory *> out;
    for (const QString &reference : references) {
        PromptCategory *category = tables.categoryMap.value(reference);
        if (!category)
            category = tables.categoriesById.value(PromptSyncService::idForSeed(reference));
        if (!category)
            category = byName.value(reference);
        if (category)
            out.append(category);
    }
    return out;
}

void syncPrompts(const PromptsRoot &seed, ModelContext &context, RunTables &tables)
{
    fillTags(tables, context);
    fillAttributes(tables, context);
    FirstByKey<QUuid, Prompt> promptsById(context.fetch<Prompt>(), [](Prompt *prompt) { return prompt->id(); });
    const bool hadPrompts = !promptsById.ordered().isEmpty();
    const FirstByKey<QString, PromptCategory> categoriesByName(
        tables.categoriesById.ordered(), [](PromptCategory *category) { return category->name(); });

    for (const SeedPrompt &item : seed.prompts) {
        const QUuid id = PromptSyncService::idForSeed(item.id);
        const QList<PromptCategory *> categories = resolveCategories(item.categories, tables, categoriesByName);
        QList<PromptTag *> tags;
        for (const QString &name : item.tags)
            if (PromptTag *tag = tables.tagsByName.value(name))
                tags.append(tag);

        Prompt *prompt = promptsById.value(id);
        if (!prompt) {
            prompt = new Prompt;
            prompt->setId(id);
            prompt->setTitle(item.title);
            prompt->setPromptDescription(item.description);
            prompt->setTemplateText(item.templateText);
            prompt->setCreatedAt(SeedDate::parseOrNow(item.created));
            prompt->setUpdatedAt(SeedDate::parseOrNow(item.updated));
            prompt->setCategories(categories);
            prompt->setTags(tags);
            prompt->setHot(item.isHot());
            prompt->setActive(item.isActive());
            prompt->setNew(hadPrompts);
            prompt->setUpdated(false);
            if (UserAttribute *attribute = tables.attributesByTarget.value(id))
                prompt->setAttributes(attribute);
            context.insert(prompt);
            promptsById.add(id, prompt);
            ++tables.inserted;
            continue;
        }

        bool changed = false;
        if (prompt->title() != item.title) {
            prompt->setTitle(item.title);
            changed = true;
        }
        if (prompt->promptDescription() != item.description) {
            prompt->setPromptDescription(item.description);
            changed = true;
        }
        if (prompt->templateText() != item.templateText) {
            prompt->setTemplateText(item.templateText);
            changed = true;
        }
        const QDateTime updatedAt = SeedDate::parseOrNow(item.updated);
        if (prompt->updatedAt() != updatedAt) {
            prompt->setUpdatedAt(updatedAt);
            changed = true;
        }
        prompt->setCategories(categories);
        prompt->setTags(tags);
        prompt->setHot(item.isHot());
        prompt->setActive(item.isActive());
        prompt->setNew(false);
        if (changed) {
            prompt->setUpdated(true);
            ++tables.updated;
        }
    }
}

} // namespace

PromptSyncService *PromptSyncService::shared()
{
    static PromptSyncService *const instance = new PromptSyncService;
    return instance;
}

PromptSyncService::PromptSyncService(UserDefaults *defaults, const QString &currentBuild)
    : m_defaults(defaults), m_build(currentBuild.isEmpty() ? QStringLiteral(VORN_BUILD_NUMBER) : currentBuild)
{
    log(QStringLiteral("Initialized"));
    StoreLog::line(lcSync(), QStringLiteral("💾 Store: local SQLite library, no cloud replication"));
}

UserDefaults *PromptSyncService::defaults() const
{
    return m_defaults ? m_defaults : UserDefaults::standard();
}

QUuid PromptSyncService::idForSeed(const QString &text)
{
    const QUuid id = uuidFromText(text);
    if (!id.isNull())
        return id;
    // A fixed namespace, so that one text always gives the same identifier.
    static const QUuid ns(QStringLiteral("6f1c2a64-3b0e-4d8a-9f57-2c4e8b1d7a90"));
    return QUuid::createUuidV5(ns, text);
}

bool PromptSyncService::sync(const QByteArray &promptsJson, const QByteArray &dataJson, ModelContext *context,
                             bool force, Completion completion, QString *error)
{
    std::optional<PromptsRoot> prompts = PromptsRoot::decode(promptsJson, error);
    if (!prompts)
        return false;
    std::optional<DataRoot> data = DataRoot::decode(dataJson, error);
    if (!data)
        return false;
    sync(std::move(*prompts), std::move(*data), context, force, std::move(completion));
    return true;
}

void PromptSyncService::sync(PromptsRoot prompts, DataRoot data, ModelContext *context, bool force, Completion completion)
{
    m_pending.append(Request{std::move(prompts), std::move(data), context, force, std::move(completion)});
    if (m_running)
        return;
    m_running = true;
    const auto done = qScopeGuard([this] { m_running = false; });
    while (!m_pending.isEmpty()) {
        Request request = m_pending.takeFirst();
        run(request);
    }
}

PromptSyncService::Applied PromptSyncService::applied(ModelContext *context) const
{
    const Decision decision = decide(QString(), QString(), false);
    Applied out;
    out.prompts = decision.storedPrompts;
    out.data = decision.storedData;
    out.runAnyway = decision.buildChanged || m_running || !context || context->count<Prompt>() <= 0;
    return out;
}

PromptSyncService::Decision PromptSyncService::decide(const QString &currentPrompts, const QString &currentData,
                                                      bool force) const
{
    UserDefaults *settings = defaults();
    Decision out;
    out.currentPrompts = currentPrompts;
    out.currentData = currentData;
    out.storedPrompts = settings->string(QLatin1String(promptsVersionKey), SeedLibrary::noVersion());
    out.storedData = settings->string(QLatin1String(dataVersionKey), SeedLibrary::noVersion());
    out.storedBuild = settings->string(QLatin1String(storedBuildNumberKey), QStringLiteral("0"));
    // Exact text comparisons: any difference, a lower version included, counts as a change.
    out.buildChanged = m_build != out.storedBuild;
    out.promptsDue = force || out.buildChanged || currentPrompts != out.storedPrompts;
    out.dataDue = force || out.buildChanged || currentData != out.storedData;
    return out;
}

void PromptSyncService::printStatus(const Decision &decision) const
{
    StoreLog::line(lcSync(), QStringLiteral("PromptSyncService Status:"));
    StoreLog::line(lcSync(), QStringLiteral("  - Prompts: Current %1 / Stored %2 -> Sync: %3").arg(decision.currentPrompts, decision.storedPrompts, flag(decision.promptsDue)));
    StoreLog::line(lcSync(), QStringLiteral("  - Data:    Current %1 / Stored %2 -> Sync: %3").arg(decision.currentData, decision.storedData, flag(decision.dataDue)));
    StoreLog::line(lcSync(), QStringLiteral("  - Build:   App %1 / Stored %2 -> Mismatch: %3").arg(m_build, decision.storedBuild, flag(decision.buildChanged)));
}

bool PromptSyncService::skipIfCurrent(const QString &promptsVersion, const QString &dataVersion,
                                      qsizetype promptCount, ModelContext *context, const Completion &completion)
{
    if (!context)
        return false;
    return skipIfCurrent(promptsVersion, dataVersion, promptCount, context->count<Prompt>(), completion);
}

bool PromptSyncService::skipIfCurrent(const QString &promptsVersion, const QString &dataVersion,
                                      qsizetype promptCount, qsizetype storedPrompts, const Completion &completion)
{
    if (m_running)
        return false;
    const Decision decision = decide(promptsVersion, dataVersion, false);
    if (decision.promptsDue || decision.dataDue || storedPrompts <= 0)
        return false;
    printStatus(decision);
    log(QStringLiteral("No changes detected and DB not empty. Skipping sync."));
    if (completion)
        completion(promptCount, 0);
    return true;
}

void PromptSyncService::run(Request &request)
{
    // What the shipped library writes is the same on every device and never travels.
    ModelContext::OriginScope shipped(request.context.data(), ChangeOrigin::Shipped);
    const qsizetype total = request.prompts.prompts.size();
    UserDefaults *settings = defaults();
    const Decision decision =
        decide(request.prompts.metadata ? request.prompts.metadata->version : SeedLibrary::noVersion(),
               request.data.metadata ? request.data.metadata->version : SeedLibrary::noVersion(), request.force);
    const QString &currentPrompts = decision.currentPrompts;
    const QString &currentData = decision.currentData;
    const bool promptsDue = decision.promptsDue;
    const bool dataDue = decision.dataDue;
    printStatus(decision);

    ModelContext *context = request.context;
    if (!context) {
        log(QStringLiteral("Error during sync: the library is not open"));
        return;
    }
    const bool empty = context->count<Prompt>() == 0;
    const bool doData = dataDue || empty;
    const bool doPrompts = promptsDue || empty;
    if (!doData && !doPrompts) {
        log(QStringLiteral("No changes detected and DB not empty. Skipping sync."));
        if (request.completion)
            request.completion(total, 0);
        return;
    }

    RunTables tables;
    tables.categoriesById = {context->fetch<PromptCategory>(), [](PromptCategory *category) { return category->id(); }};
    if (doData) {
        log(QStringLiteral("Syncing DATA..."));
        syncData(request.data, *context, tables);
    }
    QString error;
    if (doPrompts) {
        log(QStringLiteral("Syncing PROMPTS..."));
        syncPrompts(request.prompts, *context, tables);
    }
    if (!context->save(&error)) {
        log(QStringLiteral("Error during sync: ") + error);
        return;
    }
    if (doPrompts)
        settings->setValue(QLatin1String(promptsVersionKey), currentPrompts);
    if (doData)
        settings->setValue(QLatin1String(dataVersionKey), currentData);
    settings->setValue(QLatin1String(storedBuildNumberKey), m_build);
    settings->sync();

    DuplicateCleaner::deduplicate(context);
    log(QStringLiteral("Sync finished. Inserted: %1, Updated: %2").arg(tables.inserted).arg(tables.updated));
    if (request.completion)
        request.completion(total, tables.inserted + tables.updated);
}
