#include "SyncCapture.h"

#include "HybridLogicalClock.h"
#include "PersistentModel.h"
#include "PromptSyncService.h"
#include "SeedLibrary.h"
#include "SeedRecords.h"
#include "SyncSchema.h"
#include "SyncState.h"
#include "UserDefaults.h"

#include <QJsonObject>

namespace {
const QString AttributeFields[] = {QStringLiteral("favorite"), QStringLiteral("hidden"), QStringLiteral("lastUsed")};
const QString Uses = QStringLiteral("uses");
const QString Cleared = QStringLiteral("cleared");
const QString Value = QStringLiteral("value");

SyncEntities::Fields defaultAttribute()
{
    return {{QStringLiteral("favorite"), false},
            {QStringLiteral("hidden"), false},
            {QStringLiteral("lastUsed"), QJsonValue::Null},
            {SyncEntities::Usage, 0}};
}

std::pair<QString, QString> split(const QString &id)
{
    const qsizetype at = id.indexOf(QChar(0x1f));
    return {id.left(at), id.mid(at + 1)};
}
} // namespace

SyncCapture::SyncCapture(UserDefaults *defaults, SyncState &state, HybridLogicalClock &clock)
    : m_defaults(defaults), m_state(state), m_clock(clock)
{
}

void SyncCapture::rememberAll(const SyncEntities::Index &index)
{
    auto remember = [this, &index](const QString &entity, const auto &objects) {
        for (auto it = objects.begin(); it != objects.end(); ++it)
            if (std::optional<SyncEntities::Fields> fields = SyncEntities::read(index, entity, it.key()))
                m_baseline.insert(SyncState::idOf(entity, it.key()), *fields);
    };
    remember(SyncSchema::Prompt, index.prompts);
    remember(SyncSchema::Category, index.categories);
    remember(SyncSchema::Tag, index.tags);
    remember(SyncSchema::List, index.lists);
    remember(SyncSchema::Attribute, index.attributes);
}

bool SyncCapture::capture(const SyncEntities::Index &index)
{
    m_recorded = false;
    const QSet<QString> touched = std::exchange(m_touched, {});
    for (const QString &id : touched) {
        const auto [entity, key] = split(id);
        captureEntity(index, entity, key);
    }
    captureSettings();
    return std::exchange(m_recorded, false);
}

void SyncCapture::captureEntity(const SyncEntities::Index &index, const QString &entity, const QString &key)
{
    const QString id = SyncState::idOf(entity, key);
    const std::optional<SyncEntities::Fields> now = SyncEntities::read(index, entity, key);
    const auto before = m_baseline.constFind(id);
    const bool known = before != m_baseline.constEnd();
    if (entity == SyncSchema::Attribute) {
        captureAttribute(now.value_or(defaultAttribute()), known ? *before : defaultAttribute(), key);
    } else if (!now) {
        if (known && SyncSchema::deletable(entity))
            record(entity, key, SyncSchema::Deleted, true);
        m_baseline.remove(id);
        return;
    } else if (!known) {
        for (auto it = now->begin(); it != now->end(); ++it)
            record(entity, key, it.key(), it.value());
    } else if (*now != *before) {
        const SyncState::Entity *merged = m_state.find(entity, key);
        for (auto it = now->begin(); it != now->end(); ++it) {
            if (before->value(it.key()) != it.value())
                record(entity, key, it.key(), it.value());
            else if (!merged || !merged->field(it.key()))
                record(entity, key, it.key(), it.value(), true);
        }
    }
    if (now)
        m_baseline.insert(id, *now);
    else
        m_baseline.remove(id);
}

void SyncCapture::captureAttribute(const SyncEntities::Fields &now, const SyncEntities::Fields &before, const QString &key)
{
    for (const QString &field : AttributeFields)
        if (now.value(field) != before.value(field))
            record(SyncSchema::Attribute, key, field, now.value(field));
    const qint64 used = qint64(now.value(SyncEntities::Usage).toDouble());
    const qint64 usedBefore = qint64(before.value(SyncEntities::Usage).toDouble());
    if (used > usedBefore) {
        record(SyncSchema::Attribute, key, Uses, double(m_state.ownUses(key) + used - usedBefore));
    } else if (used < usedBefore) {
        // A count that went down was reset: what every device had counted so far is cleared.
        QJsonObject cleared;
        if (const SyncState::Entity *merged = m_state.find(SyncSchema::Attribute, key))
            for (auto it = merged->uses.begin(); it != merged->uses.end(); ++it)
                cleared.insert(it.key(), double(it.value()));
        cleared.insert(m_clock.device(), double(m_state.ownUses(key)));
        record(SyncSchema::Attribute, key, Cleared, cleared);
        if (used > 0)
            record(SyncSchema::Attribute, key, Uses, double(m_state.ownUses(key) + used));
    }
}

void SyncCapture::captureSettings()
{
    const QSet<QString> keys = std::exchange(m_touchedSettings, {});
    for (const QString &key : keys) {
        const std::optional<QString> value = m_defaults->stringValue(key);
        const QJsonValue now = value ? QJsonValue(*value) : QJsonValue(QJsonValue::Null);
        const SyncState::Entity *merged = m_state.find(SyncSchema::Setting, key);
        const SyncState::Winner *winner = merged ? merged->field(Value) : nullptr;
        if (winner ? winner->value != now : value.has_value())
            record(SyncSchema::Setting, key, Value, now);
    }
}

void SyncCapture::join(const SyncEntities::Index &index)
{
    for (auto it = index.attributes.begin(); it != index.attributes.end(); ++it) {
        const std::optional<SyncEntities::Fields> fields = SyncEntities::read(index, SyncSchema::Attribute, it.key());
        if (!fields || SyncEntities::isDefaultAttribute(*fields))
            continue;
        const SyncState::Entity *merged = m_state.find(SyncSchema::Attribute, it.key());
        const SyncEntities::Fields defaults = defaultAttribute();
        for (const QString &field : AttributeFields)
            if (fields->value(field) != defaults.value(field) && (!merged || !merged->field(field)))
                record(SyncSchema::Attribute, it.key(), field, fields->value(field));
        // Before its journal existed, every use counted here was this device's own.
        const qint64 used = qint64(fields->value(SyncEntities::Usage).toDouble());
        if (used > m_state.ownUses(it.key()))
            record(SyncSchema::Attribute, it.key(), Uses, double(used));
    }
    // Content that is not the shipped library's is the user's own.
    QSet<QString> shipped;
    const SeedLibrary::Files files = SeedLibrary::load();
    if (files.ok()) {
        if (const std::optional<PromptsRoot> prompts = PromptsRoot::decode(files.prompts))
            for (const SeedPrompt &p : prompts->prompts)
                shipped.insert(SyncState::idOf(SyncSchema::Prompt, uuidText(PromptSyncService::idForSeed(p.id))));
        if (const std::optional<DataRoot> data = DataRoot::decode(files.data)) {
            for (const SeedCategory &c : data->categories)
                shipped.insert(SyncState::idOf(SyncSchema::Category, uuidText(PromptSyncService::idForSeed(c.id))));
            for (const QString &tag : data->tags)
                shipped.insert(SyncState::idOf(SyncSchema::Tag, tag));
            const QMap<QString, QStringList> lists = data->globalLists();
            for (auto it = lists.begin(); it != lists.end(); ++it)
                shipped.insert(SyncState::idOf(SyncSchema::List, it.key()));
        }
    }
    auto own = [&](const QString &entity, const auto &objects) {
        for (auto it = objects.begin(); it != objects.end(); ++it) {
            const QString id = SyncState::idOf(entity, it.key());
            if (shipped.contains(id) || m_state.find(entity, it.key()))
                continue;
            if (const std::optional<SyncEntities::Fields> fields = SyncEntities::read(index, entity, it.key()))
                for (auto f = fields->begin(); f != fields->end(); ++f)
                    record(entity, it.key(), f.key(), f.value());
        }
    };
    own(SyncSchema::Category, index.categories);
    own(SyncSchema::Tag, index.tags);
    own(SyncSchema::List, index.lists);
    own(SyncSchema::Prompt, index.prompts);
    const QStringList keys = m_defaults->keys();
    for (const QString &key : keys)
        if (SyncSchema::settingTravels(key) && !m_state.find(SyncSchema::Setting, key))
            record(SyncSchema::Setting, key, Value, m_defaults->string(key));
    // Whatever the folder knew before is taken over; the journal exists from now on.
    m_recorded = true;
}

void SyncCapture::absorb(const SyncEntities::Index &index)
{
    const QSet<QString> touched = std::exchange(m_touched, {});
    for (const QString &id : touched) {
        const auto [entity, key] = split(id);
        if (std::optional<SyncEntities::Fields> fields = SyncEntities::read(index, entity, key))
            m_baseline.insert(id, *fields);
        else
            m_baseline.remove(id);
    }
}

void SyncCapture::record(const QString &entity, const QString &key, const QString &field, const QJsonValue &value,
                         bool base)
{
    SyncRecord r;
    r.stamp = base ? HlcStamp{0, 0, m_clock.device()} : m_clock.now();
    r.entity = entity;
    r.key = key;
    r.field = field;
    r.value = value;
    m_state.merge(r, true);
    m_recorded = true;
}
