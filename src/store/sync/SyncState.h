#pragma once

#include "SyncRecord.h"

#include <QHash>

// The merge of every journal: for each entity the newest write of each field, the usage
// counters of every device and what resets cleared of them. The result is the same whatever
// order the records arrive in, and merging a record twice changes nothing.
class SyncState {
public:
    struct Winner {
        HlcStamp stamp;
        QJsonValue value;
    };
    struct Entity {
        QString entity;
        QString key;
        QHash<QString, Winner> fields;     // last writer wins, "deleted" included
        QHash<QString, qint64> uses;       // device -> its own total of uses
        QHash<QString, qint64> cleared;    // device -> how much of its total resets cleared
        HlcStamp newest;                   // of any record merged

        // Present unless deleted with no newer write of another field.
        bool present() const;
        qint64 usage() const;
        const Winner *field(const QString &name) const;
    };

    // Merges one record. own: written by this device, so it also goes into the own journal.
    // True when the merged state changed.
    bool merge(const SyncRecord &record, bool own = false);

    const Entity *find(const QString &entity, const QString &key) const;
    const QHash<QString, Entity> &entities() const { return m_entities; }
    // This device's newest write of every field, ordered by clock: the journal to write.
    QList<SyncRecord> ownRecords() const;
    bool hasOwn(const QString &entity, const QString &key, const QString &field) const;
    qint64 ownUses(const QString &key) const;
    void clear();

    static QString idOf(const QString &entity, const QString &key) { return entity + QChar(0x1f) + key; }

private:
    QHash<QString, Entity> m_entities;
    QHash<QString, SyncRecord> m_own; // by entity, key and field
};
