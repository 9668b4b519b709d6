#pragma once

#include "SyncEntities.h"

#include <QHash>
#include <QJsonValue>
#include <QSet>
#include <QString>

class HybridLogicalClock;
class SyncState;
class UserDefaults;

// Turns what the user did into records of this device's journal. It keeps the fields of
// every entity as the store held them after the last capture; an entity the store touched
// since is compared with them and each changed field becomes a record. Changes of another
// origin (the shipped library, another device) are taken in without a record.
class SyncCapture {
public:
    SyncCapture(UserDefaults *defaults, SyncState &state, HybridLogicalClock &clock);

    // The store as it is now is what later changes are told from.
    void rememberAll(const SyncEntities::Index &index);
    void touched(const QString &id) { m_touched.insert(id); }
    void settingTouched(const QString &key) { m_touchedSettings.insert(key); }
    bool hasPending() const { return !m_touched.isEmpty() || !m_touchedSettings.isEmpty(); }

    // Records the pending changes; true when something was recorded.
    bool capture(const SyncEntities::Index &index);
    // Takes the pending changes as they are, without a record.
    void absorb(const SyncEntities::Index &index);
    // What this device knew before sync and the folder does not know yet: its user records,
    // its own content (not the shipped library's) and the settings that travel.
    void join(const SyncEntities::Index &index);

private:
    void captureEntity(const SyncEntities::Index &index, const QString &entity, const QString &key);
    void captureAttribute(const SyncEntities::Fields &now, const SyncEntities::Fields &before, const QString &key);
    void captureSettings();
    void record(const QString &entity, const QString &key, const QString &field, const QJsonValue &value,
                bool base = false);

    UserDefaults *m_defaults;
    SyncState &m_state;
    HybridLogicalClock &m_clock;
    bool m_recorded = false;
    // Entity ids touched since the last capture or absorb; the fields known before them.
    QSet<QString> m_touched;
    QSet<QString> m_touchedSettings;
    QHash<QString, SyncEntities::Fields> m_baseline;
};
