#pragma once

#include "HybridLogicalClock.h"
#include "ModelObserver.h"
#include "SyncCache.h"
#include "SyncCapture.h"
#include "SyncDevice.h"
#include "SyncFolder.h"
#include "SyncState.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QPointer>
#include <QTimer>

class ModelContext;
class UserDefaults;

// Keeps the user's library in step with other devices through a shared folder (see
// docs/sync.md). It watches the store's changes, writes what the user did to this device's
// journal with the store's own save, and merges the other devices' journals into the store.
// The journal's master copy lives in a local folder, so that work goes on while the shared
// folder is off or unreachable.
class SyncEngine : public QObject, public ModelObserver {
    Q_OBJECT

public:
    static constexpr const char *FolderKey = "sync_folder";
    static constexpr const char *DeviceIdKey = SyncDevice::IdKey;
    static constexpr const char *DeviceNameKey = SyncDevice::NameKey;

    struct Options {
        ModelContext *context = nullptr;
        UserDefaults *defaults = nullptr;
        QString localDir;          // the master journal and what was applied last time
        int pollIntervalMs = 60000;
        int settleMs = 300;        // after a folder change, for the writer to finish
    };
    using Device = SyncDevice;
    struct Status {
        QString folder;            // empty: off
        QString deviceId;
        QString deviceName;
        QString problem;           // the shared folder cannot be written or read
        QList<Device> devices;
    };

    explicit SyncEngine(const Options &options, QObject *parent = nullptr);
    ~SyncEngine() override;

    // The id of this device, made (and kept in the settings) on first use.
    static QString ensureDeviceId(UserDefaults *defaults) { return SyncDevice::ensureOwnId(defaults); }
    static QString deviceName(UserDefaults *defaults) { return SyncDevice::ownName(defaults); }

    // Starts watching the store and the folder; reads the folder when anything in it is new.
    void start();
    // Writes what is pending and stops watching (the store is about to close).
    void stop();
    // Reads and writes the folder now.
    void syncNow();
    // Another folder, or none (empty); the setting is written.
    void setFolder(const QString &folder);
    QString folder() const { return m_folder; }
    Status status() const;
    HybridLogicalClock &clock() { return m_clock; }
    const SyncState &state() const { return m_state; }

    // ModelObserver
    void objectTouched(PersistentModel *object) override;
    void willSave() override;
    void originBegins(ChangeOrigin origin) override;
    void originEnds(ChangeOrigin origin) override;

Q_SIGNALS:
    void statusChanged();

private:
    void settingChanged(const QString &key);
    void ensureLoaded();
    void loadOwn();
    // Merges the journals that changed since they were read; applies what they changed.
    void readFolder(bool applyAll = false);
    void mergeFile(const QString &device, const QString &path, QSet<QString> *changed);
    void applyToStore(const QSet<QString> &ids);
    void applySetting(const SyncState::Entity &entity);
    // Turns the user's pending changes into records of this device's journal and writes it.
    void capture();
    void writeJournal();
    void publish();
    void noteProblem(const QString &problem);
    QString masterPath() const;

    Options m_options;
    QPointer<ModelContext> m_context;
    QString m_folder;
    QString m_device;
    HybridLogicalClock m_clock;
    SyncState m_state;
    bool m_loaded = false;
    bool m_applyAll = false;
    bool m_started = false;
    bool m_applyingSettings = false;
    bool m_journalDirty = false;
    SyncCapture m_capture;
    // Per file: what was merged in memory; what is in the store is in the cache.
    QHash<QString, SyncFolder::Signature> m_merged;
    SyncCache m_cache;
    QString m_problem;
    QFileSystemWatcher m_watcher;
    QTimer m_settle;
    QTimer m_poll;
    QTimer m_settingsFlush;
};
