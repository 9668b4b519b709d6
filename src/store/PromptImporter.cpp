#include "PromptImporter.h"

#include "FirstByKey.h"
#include "ModelContext.h"
#include "Prompt.h"
#include "PromptCategory.h"
#include "PromptSyncService.h"
#include "PromptTag.h"
#include "SeedRecords.h"
#include "UserAttribute.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QStringDecoder>

#include <optional>

namespace {
std::optional<QList<SeedPrompt>> decodeArray(const QJsonArray &array)
{
    QList<SeedPrompt> records;
    records.reserve(array.size());
    for (qsizetype i = 0; i < array.size(); ++i) {
        auto record = SeedPrompt::fromJson(array.at(i), QStringLiteral("[%1]").arg(i), nullptr);
        if (!record)
            return std::nullopt;
        records.append(std::move(*record));
    }
    return records;
}

// An array of records; the layout of an export or backup (the records under "prompts",
// beside their metadata); or else a single record as a list of one.
std::optional<QList<SeedPrompt>> decodeRecords(const QByteArray &utf8)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(utf8, &error);
    if (error.error != QJsonParseError::NoError)
        return std::nullopt;
    // The same strict record decoder as the shipped library; only the reading of an absent
    // "active" differs (see below).
    if (doc.isArray())
        return decodeArray(doc.array());
    if (!doc.isObject())
        return std::nullopt;
    const QJsonObject object = doc.object();
    const QJsonValue list = object.value(QLatin1String("prompts"));
    if (list.isArray() && !object.contains(QLatin1String("title")))
        return decodeArray(list.toArray());
    auto record = SeedPrompt::fromJson(object, QString(), nullptr);
    if (!record)
        return std::nullopt;
    return QList<SeedPrompt>{std::move(*record)};
}

// Non-overlapping occurrences, left to right, as splitting at the marker counts them.
qsizetype countMarker(QStringView text, QStringView marker)
{
    qsizetype count = 0;
    for (qsizetype at = text.indexOf(marker); at >= 0;
         at = text.indexOf(marker, at + marker.size()))
        ++count;
    return count;
}

QString itemError(qsizetype number, const QString &title, const QString &what)
{
    //: %1 counts the pasted items from 1, %2 is the item's title, %3 what is wrong with it.
    return QCoreApplication::translate("PromptImporter", "Error in item %1 ('%2'): %3").arg(number).arg(title, what);
}

struct KeptItem {
    SeedPrompt record;
    QList<PromptCategory *> categories;
};
} // namespace

PromptImporter::PromptImporter(ModelContext &context, std::function<void()> createBackup)
    : m_context(context), m_createBackup(std::move(createBackup))
{
}

PromptImporter::Result PromptImporter::importText(const QString &jsonText)
{
    // A lone surrogate has no UTF-8 form; the conversion would quietly replace it.
    QStringEncoder encoder(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
    const QByteArray utf8 = encoder.encode(jsonText);
    if (encoder.hasError())
        return {tr("Invalid text encoding."), {}};
    return importUtf8(utf8);
}

PromptImporter::Result PromptImporter::importData(const QByteArray &utf8)
{
    if (utf8.size() > MaxTextBytes)
        return {tr("The pasted text is larger than 20 MB."), {}};
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = decoder.decode(utf8);
    if (decoder.hasError())
        return {tr("Invalid text encoding."), {}};
    // Files saved by some editors start with a byte-order mark, which JSON does not allow.
    if (utf8.startsWith("\xEF\xBB\xBF"))
        return importUtf8(utf8.mid(3));
    return importUtf8(utf8);
}

PromptImporter::Result PromptImporter::importUtf8(const QByteArray &utf8)
{
    if (utf8.size() > MaxTextBytes)
        return {tr("The pasted text is larger than 20 MB."), {}};

    // Phase 1: decode and check every item; nothing is written before all pass.
    const std::optional<QList<SeedPrompt>> records = decodeRecords(utf8);
    if (!records)
        return {tr("JSON Error: Not a valid Prompt or List of Prompts."), {}};
    if (records->isEmpty())
        return {tr("No prompts found to import."), {}};

    const QList<PromptCategory *> storedCategories = m_context.fetch<PromptCategory>();
    const FirstByKey<QString, PromptCategory> categoriesById(
        storedCategories, [](PromptCategory *category) { return category->idText(); });
    const FirstByKey<QString, PromptCategory> categoriesByName(
        storedCategories, [](PromptCategory *category) { return category->name(); });

    QList<KeptItem> kept;
    kept.reserve(records->size());
    for (qsizetype i = 0; i < records->size(); ++i) {
        const SeedPrompt &record = records->at(i);
        KeptItem item{record, {}};
        QStringList unknown;
        for (const QString &entry : record.categories) {
            PromptCategory *category = categoriesById.value(entry);
            if (!category)
                category = categoriesByName.value(entry);
            if (category)
                item.categories.append(category);
            else
                unknown.append(entry);
        }
        if (!unknown.isEmpty()) {
            return {itemError(i + 1, record.title,
                              tr("Unknown Categories: %1").arg(unknown.join(QStringLiteral(", ")))),
                    {}};
        }
        if (countMarker(record.templateText, u"{{") != countMarker(record.templateText, u"}}"))
            return {
                itemError(i + 1, record.title, tr("Mismatched curly braces {{ }}.")),
                {}};
        kept.append(std::move(item));
    }

    // Phase 2: write every kept item, then save once.
    FirstByKey<QString, PromptTag> tagsByName(m_context.fetch<PromptTag>(),
                                              [](PromptTag *tag) { return tag->name(); });
    FirstByKey<QUuid, Prompt> promptsById(m_context.fetch<Prompt>(),
                                          [](Prompt *prompt) { return prompt->id(); });
    // The user records a removed prompt left behind (a reset keeps them): a prompt that
    // comes back under its id gets its favourite, hidden state and usage back.
    const FirstByKey<QUuid, UserAttribute> attributesByTarget(
        m_context.fetch<UserAttribute>(), [](UserAttribute *attribute) { return attribute->targetID(); });
    QSet<const Prompt *> insertedHere;

    qsizetype inserted = 0;
    qsizetype updated = 0;
    for (const KeptItem &item : std::as_const(kept)) {
        const SeedPrompt &record = item.record;
        QList<PromptTag *> tags;
        for (const QString &name : record.tags) {
            PromptTag *tag = tagsByName.value(name);
            if (!tag) {
                tag = new PromptTag;
                tag->setName(name);
                m_context.insert(tag);
                tagsByName.add(name, tag);
            }
            tags.append(tag);
        }

        // The id the synchronisation gives the same text, so that a record copied from the
        // shipped file pastes onto its prompt instead of beside it.
        const QUuid id = record.id.isEmpty() ? QUuid() : PromptSyncService::idForSeed(record.id);
        Prompt *prompt = id.isNull() ? nullptr : promptsById.value(id);
        const bool isNew = !prompt;
        if (isNew) {
            prompt = new Prompt;
            prompt->setId(id.isNull() ? QUuid::createUuid() : id);
            prompt->setNew(true);
            prompt->setUpdated(false);
            if (UserAttribute *attribute = attributesByTarget.value(prompt->id()))
                prompt->setAttributes(attribute);
            // A later item with the same id updates this prompt instead of duplicating it.
            promptsById.add(prompt->id(), prompt);
        }
        prompt->setTitle(record.title);
        prompt->setPromptDescription(record.description);
        prompt->setTemplateText(record.templateText);
        prompt->setCreatedAt(SeedDate::parseOrNow(record.created));
        prompt->setUpdatedAt(SeedDate::parseOrNow(record.updated));
        prompt->setCategories(item.categories);
        prompt->setTags(tags);
        prompt->setHot(record.isHot());
        // Pasted prompts without "active" arrive inactive, so nothing half-finished reaches
        // users by accident; the shipped library reads the same absence as active.
        prompt->setActive(record.active.value_or(false));
        if (isNew) {
            m_context.insert(prompt);
            insertedHere.insert(prompt);
            ++inserted;
        } else if (!insertedHere.contains(prompt)) {
            // A second item for a prompt this paste created is part of its insertion.
            prompt->setUpdated(true);
            ++updated;
        }
    }

    QString error;
    if (!m_context.save(&error))
        return {tr("Save Error: %1").arg(error), {}};
    if (inserted + updated > 0 && m_createBackup)
        m_createBackup();
    return {{},
            //: The import's result: the items pasted, then how many were new and how many changed.
            tr("Processed %n items:", nullptr, int(kept.size())) + u' '
                + tr("%1 inserted, %2 updated.").arg(inserted).arg(updated)};
}
