#include "SyncState.h"

#include "SyncSchema.h"

#include <QJsonObject>

#include <algorithm>

namespace {
const QString Uses = QStringLiteral("uses");
const QString Cleared = QStringLiteral("cleared");

bool raise(QHash<QString, qint64> &counts, const QString &device, qint64 value)
{
    auto it = counts.find(device);
    if (it == counts.end()) {
        counts.insert(device, value);
        return true;
    }
    if (*it >= value)
        return false;
    *it = value;
    return true;
}

QString fieldId(const SyncRecord &record)
{
    return record.entity + QChar(0x1f) + record.key + QChar(0x1f) + record.field;
}
} // namespace

bool SyncState::Entity::present() const
{
    const auto deleted = fields.constFind(SyncSchema::Deleted);
    if (deleted == fields.constEnd())
        return !fields.isEmpty() || !uses.isEmpty();
    for (auto it = fields.constBegin(); it != fields.constEnd(); ++it)
        if (it.key() != SyncSchema::Deleted && deleted->stamp < it->stamp)
            return true;
    return false;
}

qint64 SyncState::Entity::usage() const
{
    // Counts come from other devices' files: the sum saturates instead of overflowing.
    constexpr qint64 Limit = qint64(1) << 53;
    qint64 total = 0;
    for (auto it = uses.constBegin(); it != uses.constEnd(); ++it)
        total = std::min(Limit, total + std::max<qint64>(0, *it - cleared.value(it.key())));
    return total;
}

const SyncState::Winner *SyncState::Entity::field(const QString &name) const
{
    const auto it = fields.constFind(name);
    return it == fields.constEnd() ? nullptr : &*it;
}

bool SyncState::merge(const SyncRecord &record, bool own)
{
    Entity &entity = m_entities[idOf(record.entity, record.key)];
    if (entity.entity.isEmpty()) {
        entity.entity = record.entity;
        entity.key = record.key;
    }
    if (entity.newest < record.stamp)
        entity.newest = record.stamp;
    bool changed = false;
    if (record.field == Uses) {
        changed = raise(entity.uses, record.stamp.device, qint64(record.value.toDouble()));
    } else if (record.field == Cleared) {
        const QJsonObject counts = record.value.toObject();
        for (auto it = counts.begin(); it != counts.end(); ++it)
            changed = raise(entity.cleared, it.key(), qint64(it.value().toDouble())) || changed;
    } else {
        auto it = entity.fields.find(record.field);
        if (it == entity.fields.end()) {
            entity.fields.insert(record.field, {record.stamp, record.value});
            changed = true;
        } else if (it->stamp < record.stamp) {
            // A newer stamp counts even with the same value: it can decide over a tombstone.
            *it = {record.stamp, record.value};
            changed = true;
        }
    }
    if (own) {
        SyncRecord &kept = m_own[fieldId(record)];
        if (kept.stamp.isNull() || kept.stamp < record.stamp) {
            if (record.field == Cleared && !kept.stamp.isNull()) {
                // The own record of what resets cleared holds the largest count per device.
                QJsonObject merged = kept.value.toObject();
                const QJsonObject counts = record.value.toObject();
                for (auto it = counts.begin(); it != counts.end(); ++it)
                    if (it.value().toDouble() > merged.value(it.key()).toDouble())
                        merged.insert(it.key(), it.value());
                kept = record;
                kept.value = merged;
            } else {
                kept = record;
            }
        }
    }
    return changed;
}

const SyncState::Entity *SyncState::find(const QString &entity, const QString &key) const
{
    const auto it = m_entities.constFind(idOf(entity, key));
    return it == m_entities.constEnd() ? nullptr : &*it;
}

QList<SyncRecord> SyncState::ownRecords() const
{
    QList<SyncRecord> records = m_own.values();
    std::sort(records.begin(), records.end(), [](const SyncRecord &a, const SyncRecord &b) {
        if (a.stamp != b.stamp)
            return a.stamp < b.stamp;
        return std::tie(a.entity, a.key, a.field) < std::tie(b.entity, b.key, b.field);
    });
    return records;
}

bool SyncState::hasOwn(const QString &entity, const QString &key, const QString &field) const
{
    return m_own.contains(entity + QChar(0x1f) + key + QChar(0x1f) + field);
}

qint64 SyncState::ownUses(const QString &key) const
{
    const auto it = m_own.constFind(SyncSchema::Attribute + QChar(0x1f) + key + QChar(0x1f) + Uses);
    return it == m_own.constEnd() ? 0 : qint64(it->value.toDouble());
}

void SyncState::clear()
{
    m_entities.clear();
    m_own.clear();
}
