#pragma once

#include "ActionOutcome.h"

#include "ModelContext.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

// Owns the user's library store for the whole process: opens it (moving an unreadable file
// aside), loads the shipped library into it, and runs the maintenance actions. Every action
// reports through StoreLog lines only.
class SyncEngine;

class DataController : public QObject {
    Q_OBJECT

public:
    struct Options {
        QString storePath;     // empty: $XDG_DATA_HOME/vorn/library.sqlite
        QString documentsDir;  // empty: the user's Documents folder
        bool inMemory = false;
        // How long opening waits for another VORN process that holds the store.
        int lockWaitMs = 10000;
        // The folder sync's own files; empty: a "sync" folder beside the store.
        QString syncDir = QString();
    };

    // The process-wide instance, created on first use with the options given before.
    static DataController *shared();
    static void setSharedOptions(const Options &options);
    // Drops the process-wide instance (tests).
    static void resetShared();

    explicit DataController(const Options &options, QObject *parent = nullptr);
    ~DataController() override;

    // Opens the store, waiting a while for another VORN process that holds it. Only a file
    // that is damaged or not a VORN library is moved aside (and a fresh one started); false
    // when the store cannot be had (busy, no permission, disk errors, a newer version), with
    // the file left as it was. error says why; notice() keeps it for the panel.
    bool setUp(QString *error = nullptr);
    // The same for the app, with the event loop going on: the rows are loaded on a worker
    // thread and done runs here once the library is in (or could not be had), with what
    // setUp would have returned and its error.
    void setUpInBackground(std::function<void(bool opened, const QString &error)> done = {});
    // True from setUpInBackground until the library is in.
    bool isLoading() const;
    // Runs task once the library is in: at once when no load runs, else after it, in the
    // order asked. What needs the library (the panel, the start-up sync, a command sent to
    // the app) waits through this.
    void whenLoaded(std::function<void()> task);
    // Saves what is pending and lets the store file go (journal checkpointed, lock removed);
    // every normal exit ends with it. False when the final save failed.
    bool closeStore(ModelContext::AfterClose after = ModelContext::AfterClose::ProcessEnds);
    // What the user must be told about the library once: the store could not be opened, or
    // a damaged one was moved aside (with the path of the moved file). Empty otherwise.
    QString notice() const;
    void dismissNotice();
    ModelContext *mainContext() const;
    QString storePath() const;
    QString documentsDir() const;

    // Synchronises the shipped library (not forced).
    ActionOutcome startupLoad();
    // For a store read without opening it, holding storedPrompts prompts: when startupLoad
    // would change nothing (the shipped files' versions are the ones this build applied, the
    // text suffix is set, the folder sync is off), logs what it logs then and returns true.
    // False, with nothing logged or written, when startupLoad has work to do.
    bool startupLoadWouldSkip(qsizetype storedPrompts);
    // The same for the app: the files are looked at and, when a run is due, decoded on a
    // worker thread; the synchronisation then runs on this thread in one step, and done
    // after it. The event loop goes on meanwhile.
    void startupLoadInBackground(std::function<void(const ActionOutcome &)> done = {});
    void loadIfEmpty();
    ActionOutcome manualSync();
    ActionOutcome resetUserStats();
    ActionOutcome resetDatabase();
    // Writes the export; returns the written path, or an empty string on failure (why, when
    // given, then says what went wrong).
    QString exportData(const QString &prefix = {}, bool reveal = false, QString *why = nullptr);
    // Shows a written file in the file manager (through the revealer the shell set).
    void reveal(const QString &path);
    // A time-stamped export; only the newest KeptBackups of them are kept.
    ActionOutcome createBackup();
    static constexpr int KeptBackups = 20;
    ActionOutcome cleanupDuplicates();

    // The folder sync, running once it was switched on for this device (and the store is
    // open); null otherwise.
    SyncEngine *syncEngine() const;
    // Starts the folder sync when this device has it on. startupLoad ends with it.
    void startSync();
    // Switches the folder sync on (with a folder, or journaling here only with none) and
    // returns it; null when the store is not open.
    SyncEngine *enableSync(const QString &folder);

    // How a written file is shown in the file manager (set by the desktop shell).
    void setRevealer(std::function<void(const QString &path)> revealer);

Q_SIGNALS:
    void noticeChanged();
    // The folder sync started or ended (syncEngine() changed).
    void syncEngineChanged();

private:
    // Opens through open, waiting a while for another VORN process that holds the store.
    ModelContext::OpenResult openWaiting(const std::function<ModelContext::OpenResult(const QString &path)> &open);
    // What follows an open: a damaged file moved aside and a fresh library begun, the notice set.
    bool settle(ModelContext::OpenResult result, QString *error);
    QString writeExport(const QString &prefix, bool reveal, QString *why);
    void setNotice(const QString &text);
    // see DataController.cpp
    struct Private;
    std::unique_ptr<Private> d;
};
