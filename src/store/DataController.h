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
class DataController : public QObject {
    Q_OBJECT

public:
    struct Options {
        QString storePath;     // empty: $XDG_DATA_HOME/vorn/library.sqlite
        QString documentsDir;  // empty: the user's Documents folder
        bool inMemory = false;
    };

    // The process-wide instance, created on first use with the options given before.
    static DataController *shared();
    static void setSharedOptions(const Options &options);
    // Drops the process-wide instance (tests).
    static void resetShared();

    explicit DataController(const Options &options, QObject *parent = nullptr);
    ~DataController() override;

    // Opens the store. False when it cannot be had (another process holds it, it was written
    // by a newer version, or even a fresh store cannot be created); error says why.
    bool setUp(QString *error = nullptr);
    ModelContext *mainContext() const;
    QString storePath() const;
    QString documentsDir() const;

    // Synchronises the shipped library (not forced). The app runs it after the current event.
    ActionOutcome startupLoad();
    void loadIfEmpty();
    ActionOutcome manualSync();
    ActionOutcome resetUserStats();
    ActionOutcome resetDatabase();
    // Writes the export; returns the written path, or an empty string on failure.
    QString exportData(const QString &prefix = {}, bool reveal = false);
    ActionOutcome createBackup();
    ActionOutcome cleanupDuplicates();

    // How a written file is shown in the file manager (set by the desktop shell).
    void setRevealer(std::function<void(const QString &path)> revealer);

private:
    // see DataController.cpp
    struct Private;
    std::unique_ptr<Private> d;
};
