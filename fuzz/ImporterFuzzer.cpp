// Feeds arbitrary bytes to the JSON import over a fresh in-memory library with two categories.
// Every input ends in exactly one result line; a refused import leaves the store untouched,
// and an accepted one is saved whole and counts each item once.
#include "ModelContext.h"
#include "Prompt.h"
#include "PromptCategory.h"
#include "PromptImporter.h"
#include "PromptTag.h"

#include <QRegularExpression>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));

    ModelContext context;
    context.setAutosaveInterval(-1);
    if (!context.open(QString::fromLatin1(ModelContext::InMemory)).ok())
        std::abort();
    for (const char *name : {"Writing", "Coding"}) {
        auto *category = new PromptCategory;
        category->setName(QString::fromLatin1(name));
        context.insert(category);
    }
    if (!context.save())
        std::abort();

    int backups = 0;
    PromptImporter importer(context, [&backups] { ++backups; });
    const PromptImporter::Result result = importer.importData(bytes);
    if (result.errorMessage.isEmpty() == result.successMessage.isEmpty())
        std::abort();
    if (!result.ok()) {
        if (context.hasChanges() || context.count<Prompt>() != 0 ||
            context.count<PromptTag>() != 0 || backups != 0)
            std::abort();
        return 0;
    }

    static const QRegularExpression line(
        QStringLiteral("^Processed (\\d+) items: (\\d+) inserted, (\\d+) updated\\.$"));
    const QRegularExpressionMatch match = line.match(result.successMessage);
    if (!match.hasMatch() || context.hasChanges() || backups != 1)
        std::abort();
    const qsizetype items = match.captured(1).toLongLong();
    const qsizetype inserted = match.captured(2).toLongLong();
    if (items != inserted + match.captured(3).toLongLong() || inserted != context.count<Prompt>() ||
        items == 0)
        std::abort();
    return 0;
}
