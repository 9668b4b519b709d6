#pragma once

#include "SyncDevice.h"
#include "SyncFolder.h"

#include <QHash>
#include <QString>

// What the store already took in from the folder (state.json beside this device's journal):
// the signature of every journal applied, this device's own included, and the devices seen.
// A start finds every file's signature unchanged and reads none of them.
class SyncCache {
public:
    explicit SyncCache(const QString &path) : m_path(path) {}

    // Loads the cache; the files applied count only when they were of this folder.
    void read(const QString &folder);
    // Writes it atomically; false when the file could not be written (it stays dirty).
    bool write(const QString &folder);
    // Files merged in memory whose changes the store will hold after its next save.
    void applyLater(const QString &device, const SyncFolder::Signature &signature);
    // The store holds them now.
    void commitPending();
    // Another folder: nothing applied of it yet.
    void forgetFolder();

    bool isDirty() const { return m_dirty; }
    void markDirty() { m_dirty = true; }
    const SyncFolder::Signature &own() const { return m_own; }
    void setOwn(const SyncFolder::Signature &own) { m_own = own; m_dirty = true; }
    SyncFolder::Signature applied(const QString &device) const { return m_applied.value(device); }
    QHash<QString, SyncDevice> &devices() { return m_devices; }
    const QHash<QString, SyncDevice> &devices() const { return m_devices; }

private:
    QString m_path;
    bool m_dirty = false;
    SyncFolder::Signature m_own;
    QHash<QString, SyncFolder::Signature> m_applied;
    QHash<QString, SyncFolder::Signature> m_pending;
    QHash<QString, SyncDevice> m_devices;
};
