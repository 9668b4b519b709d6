#include "DuplicateCleaner.h"

#include "ModelContext.h"
#include "Prompt.h"
#include "PromptCategory.h"
#include "StoreLog.h"
#include "UuidKeys.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace {
// The clean-up has always reported as part of the shipped library's synchronisation.
void log(const QString &text)
{
    StoreLog::line(lcSync(), QStringLiteral("PromptSyncService: ") + text);
}

// Gives the copy's user record and prompt links to the category that stays.
void handOver(PromptCategory *copy, PromptCategory *survivor)
{
    if (copy->attributes() && !survivor->attributes())
        survivor->setAttributes(copy->attributes());
    const QList<Prompt *> prompts = copy->prompts();
    for (Prompt *prompt : prompts) {
        QList<PromptCategory *> categories = prompt->categories();
        const qsizetype at = categories.indexOf(copy);
        if (categories.contains(survivor))
            categories.removeAt(at);
        else
            categories[at] = survivor;
        prompt->setCategories(categories);
    }
}
} // namespace

DuplicateCleaner::Removed DuplicateCleaner::removeDuplicates(ModelContext *context, Survivor promptSurvivor)
{
    Removed removed;
    UuidMap<PromptCategory *> firstCategory;
    for (PromptCategory *category : context->fetch<PromptCategory>()) {
        PromptCategory *&survivor = firstCategory[category->id()];
        if (!survivor) {
            survivor = category;
            continue;
        }
        handOver(category, survivor);
        context->remove(category);
        ++removed.categories;
    }

    // Runs each time the library comes into sight: the usual answer, no duplicate, is found
    // with the ids sorted (a set of a large library's ids costs a node per prompt); only ids
    // seen twice are grouped. Any order will do: as pairs of 64-bit words they compare
    // inline, several times faster than 16 bytes through memcmp.
    const QList<Prompt *> prompts = context->fetch<Prompt>();
    using Words = std::array<quint64, 2>;
    std::vector<Words> ids(size_t(prompts.size()));
    static_assert(sizeof(QUuid) == sizeof(Words));
    for (size_t i = 0; i < ids.size(); ++i) {
        const QUuid id = prompts.at(qsizetype(i))->id();
        std::memcpy(&ids[i], &id, sizeof(QUuid));
    }
    std::sort(ids.begin(), ids.end());
    UuidSet repeated;
    for (size_t i = 1; i < ids.size(); ++i) {
        if (ids[i] == ids[i - 1]) {
            QUuid id;
            std::memcpy(static_cast<void *>(&id), &ids[i], sizeof(QUuid)); // a plain 16 bytes
            repeated.insert(id);
        }
    }
    if (repeated.empty())
        return removed;
    UuidMap<QList<Prompt *>> groups;
    QList<QUuid> order;
    for (Prompt *prompt : prompts) {
        if (!repeated.contains(prompt->id()))
            continue;
        QList<Prompt *> &group = groups[prompt->id()];
        if (group.isEmpty())
            order.append(prompt->id());
        group.append(prompt);
    }
    for (const QUuid &id : std::as_const(order)) {
        QList<Prompt *> &group = groups[id];
        if (group.size() < 2)
            continue;
        if (promptSurvivor == Survivor::NewestUpdated)
            std::stable_sort(group.begin(), group.end(),
                             [](Prompt *a, Prompt *b) { return a->updatedAt() > b->updatedAt(); });
        Prompt *survivor = group.first();
        for (qsizetype i = 1; i < group.size(); ++i) {
            Prompt *copy = group.at(i);
            if (copy->attributes() && !survivor->attributes())
                survivor->setAttributes(copy->attributes());
            context->remove(copy);
            ++removed.prompts;
        }
    }
    return removed;
}

void DuplicateCleaner::deduplicate(ModelContext *context)
{
    log(QStringLiteral("Starting deduplication..."));
    const Removed removed = removeDuplicates(context, Survivor::NewestUpdated);
    if (removed.categories == 0 && removed.prompts == 0) {
        log(QStringLiteral("No duplicates found."));
        return;
    }
    // A failed save leaves the removals pending for the automatic save.
    context->save();
    log(QStringLiteral("Deduplication finished. Removed %1 categories and %2 prompts.")
            .arg(removed.categories)
            .arg(removed.prompts));
}
