#pragma once

#include "ModelObserver.h"
#include "PersistentModel.h"

#include <QList>
#include <QObject>
#include <QSet>
#include <QStringList>
#include <QTimer>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class ProcessLock;
class QThread;
class SqliteDatabase;
class StoreRepository;
class Prompt;
class PromptCategory;
class PromptTag;
class PromptGlobalVariable;
class UserAttribute;

// The one object context of the program: it owns every live stored object, keeps them in
// store order, tracks inserts, changes and deletes, and writes them to SQLite in one
// transaction per save. One process owns a store file at a time.
class ModelContext : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool hasChanges READ hasChanges NOTIFY hasChangesChanged)
    Q_PROPERTY(QString saveError READ saveError NOTIFY saveErrorChanged)

public:
    enum class OpenStatus {
        Ok,
        Locked,       // another live process holds the store; nothing was touched
        Incompatible, // written by a newer schema; nothing was touched
        Unavailable,  // cannot be had now (busy, no permission, I/O error, another user's
                      // lock); nothing was touched
        Unreadable    // the file is damaged or not a VORN library (corrupt, not a database,
                      // failed integrity check, a foreign schema)
    };
    struct OpenResult {
        OpenStatus status = OpenStatus::Ok;
        QString message;
        bool ok() const { return status == OpenStatus::Ok; }
    };

    // The schema version written to PRAGMA user_version.
    static constexpr int SchemaVersion = 1;
    // A path of ":memory:" opens a private in-memory store.
    static constexpr const char *InMemory = ":memory:";

    explicit ModelContext(QObject *parent = nullptr);
    ~ModelContext() override;

    // A stale lock taken over on the way is reported with one StoreLog line.
    OpenResult open(const QString &path);
    // The same, with the event loop going on: the lock is taken here (a store that cannot be
    // locked is returned at once and done never runs); the file is checked and its rows
    // loaded on a worker thread, and the objects come in on this thread in one step, before
    // done runs with the result. Until then the store is not open.
    OpenResult openInBackground(const QString &path, std::function<void(const OpenResult &)> done);
    bool isLoading() const { return m_loader != nullptr; }
    bool isOpen() const;
    QString path() const { return m_path; }
    // Saves, closes the store and drops every object.
    void close();
    // What is still wanted of the objects once the store file is let go.
    enum class AfterClose {
        ProcessEnds, // nothing is read any more: the unread templates are left in the file
        KeepReading, // templates not yet read are read first, so all stays readable
    };
    // The end of the process: saves what is pending, checkpoints the journal into the store
    // file and lets the file go (lock removed). The objects stay in memory (with KeepReading,
    // templates included). False, with the reason logged, when the final save failed.
    bool closeStore(AfterClose after = AfterClose::ProcessEnds);

    // All live objects of one type in store order, unsaved inserts included.
    template <class T> QList<T *> fetch() const
    {
        const QList<PersistentModel *> &all = objects(typeOf<T>());
        QList<T *> out;
        out.reserve(all.size());
        for (PersistentModel *object : all)
            out.append(static_cast<T *>(object));
        return out;
    }
    template <class T> qsizetype count() const { return objects(typeOf<T>()).size(); }
    const QList<PersistentModel *> &objects(ModelType type) const;

    // Takes ownership; objects linked to it come along.
    void insert(PersistentModel *object);
    // Deletes with the nullify rule: links to the object are cleared, nothing else goes.
    void remove(PersistentModel *object);

    // Writes all pending changes in one transaction. On failure the changes stay pending.
    bool save(QString *error = nullptr);
    // Saves now when something is pending, without waiting for the autosave, and reports a
    // failure on the log (quitting, closing, the end of a command). False when the save failed.
    bool savePending();
    bool hasChanges() const;
    // Changes with every change to the objects (an edit, an insertion, a removal, a load, a
    // clear): equal numbers mean the same objects in the same state.
    quint64 revision() const { return m_revision; }
    // Why the last save failed, while its changes are still pending; empty once saved.
    QString saveError() const { return m_saveError; }
    // The store's save stamp (see StoreRepository) as of the open or the last save; nothing
    // when it has none or the last save failed.
    std::optional<qint64> saveStamp() const { return m_saveStamp; }
    // Pending changes are saved this long after the last change; a negative value turns
    // automatic saving off.
    void setAutosaveInterval(int milliseconds);
    int autosaveInterval() const { return m_autosaveInterval; }

    // The template text of each prompt, in the order given: what a prompt holds in memory,
    // else what is stored, read in one pass, without the prompts keeping it. Empty (with the
    // reason) when the store cannot be read.
    QStringList templates(const QList<Prompt *> &prompts, QString *error = nullptr) const;

    // Runs one SQL statement on the store; for maintenance and tests.
    bool execute(const QString &sql, QString *error = nullptr);

    template <class T> static constexpr ModelType typeOf();

    // One observer sees every change (the folder sync); null for none.
    void setObserver(ModelObserver *observer) { m_observer = observer; }
    ModelObserver *observer() const { return m_observer; }
    // The origin of the changes made now: that of the outermost open scope, else User.
    ChangeOrigin origin() const { return m_origins.isEmpty() ? ChangeOrigin::User : m_origins.first(); }
    // Marks the changes made during its lifetime as coming from one origin. UserAction
    // gathers a user's operation that itself runs the shipped synchronisation (a database
    // reset): its net effect counts as the user's.
    class OriginScope {
    public:
        OriginScope(ModelContext *context, ChangeOrigin origin);
        ~OriginScope();
        OriginScope(const OriginScope &) = delete;
        OriginScope &operator=(const OriginScope &) = delete;

    private:
        ModelContext *m_context;
    };

Q_SIGNALS:
    // Posted once per event-loop turn after any insert, delete or stored-property change.
    void objectsChanged();
    void hasChangesChanged();
    void saveErrorChanged();
    void saved();
    void saveFailed(const QString &error);

private:
    friend class PersistentModel;
    friend class Prompt;
    bool readTemplate(qint64 row, QString *text, QString *error) const;
    // Reads into memory the templates of prompts that only the store has.
    bool holdTemplates(const QList<Prompt *> &prompts, QString *error);
    bool renewSaveStamp(StoreRepository &repository, QString *error);
    using ObjectLists = std::array<QList<PersistentModel *>, ModelTypeCount>;
    OpenResult lockFile(const QString &path);
    // Opens, checks and loads the locked file; touches nothing but the database, so that it
    // can run on a worker thread.
    OpenResult readFile(const QString &path, ObjectLists &loaded);
    // The objects read in, as the children of one new object: on the thread that read them,
    // so that the context's thread parents (and a worker moves) one object, not each of them.
    static QObject *gather(const ObjectLists &loaded);
    // Takes the objects read in, under their holder, or lets the file go when reading failed.
    OpenResult adopt(const QString &path, const OpenResult &read, ObjectLists &loaded, QObject *holder);
    void finishLoad(quint64 generation);
    // Waits for a load still running and drops what it read.
    void abandonLoad();

    void objectChanged(PersistentModel *object);
    void noteChange();
    void compact(ModelType type) const;
    void clearObjects();

    QString m_path;
    ModelObserver *m_observer = nullptr;
    QList<ChangeOrigin> m_origins;
    void noteSaveResult(const QString &error);

    std::unique_ptr<ProcessLock> m_lock;
    std::unique_ptr<SqliteDatabase> m_db;
    // A load on a worker thread: the thread while it runs, and what it read.
    QThread *m_loader = nullptr;
    quint64 m_loadGeneration = 0;
    OpenResult m_loadResult;
    ObjectLists m_loadedObjects;
    QObject *m_loadedHolder = nullptr;
    // The holders of the objects loaded (objects inserted later are the context's children).
    QList<QObject *> m_holders;
    std::function<void(const OpenResult &)> m_loadDone;
    mutable std::array<QList<PersistentModel *>, ModelTypeCount> m_objects;
    mutable std::array<bool, ModelTypeCount> m_needsCompaction{};
    QList<PersistentModel *> m_inserted;
    QSet<PersistentModel *> m_changed;
    QList<PersistentModel *> m_deleted;
    std::array<qint64, ModelTypeCount> m_nextRowId{};
    QTimer m_autosave;
    int m_autosaveInterval = 300;
    QString m_saveError;
    int m_failedSaves = 0; // in a row, for the retry back-off
    bool m_changePosted = false;
    bool m_hadChanges = false;
    bool m_saveStamped = false; // the store has a save stamp to renew with each save
    std::optional<qint64> m_saveStamp;
    quint64 m_revision = 0;
};

template <> constexpr ModelType ModelContext::typeOf<Prompt>() { return ModelType::Prompt; }
template <> constexpr ModelType ModelContext::typeOf<PromptCategory>() { return ModelType::Category; }
template <> constexpr ModelType ModelContext::typeOf<PromptTag>() { return ModelType::Tag; }
template <> constexpr ModelType ModelContext::typeOf<PromptGlobalVariable>() { return ModelType::GlobalVariable; }
template <> constexpr ModelType ModelContext::typeOf<UserAttribute>() { return ModelType::Attribute; }
