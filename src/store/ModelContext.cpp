#include "ModelContext.h"

#include "SqliteDatabase.h"
#include "ProcessLock.h"
#include "Prompt.h"
#include "StoreLog.h"
#include "StoreRepository.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QThread>
#include <QtDebug>

#include <utility>

namespace {
void dropLoaded(std::array<QList<PersistentModel *>, ModelTypeCount> &loaded)
{
    for (auto &list : loaded) {
        qDeleteAll(list);
        list.clear();
    }
}
} // namespace

ModelContext::ModelContext(QObject *parent) : QObject(parent)
{
    m_autosave.setSingleShot(true);
    connect(&m_autosave, &QTimer::timeout, this, [this] {
        QString error;
        if (!save(&error))
            qCWarning(lcStore).noquote() << "Saving the library failed:" << error;
    });
    // A failed save keeps its changes pending and is tried again, less often each time.
    connect(this, &ModelContext::saveFailed, this, [this] {
        if (m_autosaveInterval >= 0 && isOpen())
            m_autosave.start(std::min(30000, 1000 << std::min(m_failedSaves - 1, 5)));
    });
}

ModelContext::~ModelContext()
{
    close();
}

bool ModelContext::isOpen() const
{
    // While a worker loads, the database is the worker's.
    return m_db != nullptr && !m_loader;
}

ModelContext::OpenResult ModelContext::open(const QString &path)
{
    close();
    OpenResult result = lockFile(path);
    if (!result.ok())
        return result;
    ObjectLists loaded;
    result = readFile(path, loaded);
    return adopt(path, result, loaded, gather(loaded));
}

ModelContext::OpenResult ModelContext::openInBackground(const QString &path, std::function<void(const OpenResult &)> done)
{
    close();
    const OpenResult locked = lockFile(path);
    if (!locked.ok())
        return locked;
    const quint64 generation = ++m_loadGeneration;
    m_loadDone = std::move(done);
    QThread *target = thread();
    m_loader = QThread::create([this, path, generation, target] {
        m_loadResult = readFile(path, m_loadedObjects);
        // Made here, the objects belong to this thread until they are given to the context's.
        m_loadedHolder = gather(m_loadedObjects);
        m_loadedHolder->moveToThread(target);
        QMetaObject::invokeMethod(this, [this, generation] { finishLoad(generation); }, Qt::QueuedConnection);
    });
    m_loader->start();
    return {};
}

void ModelContext::finishLoad(quint64 generation)
{
    // A load abandoned by a close (or replaced by a later open) has nothing left to give.
    if (generation != m_loadGeneration || !m_loader)
        return;
    m_loader->wait();
    delete m_loader;
    m_loader = nullptr;
    const OpenResult result = adopt(m_path, m_loadResult, m_loadedObjects, std::exchange(m_loadedHolder, nullptr));
    m_loadResult = {};
    if (const std::function<void(const OpenResult &)> done = std::exchange(m_loadDone, {}))
        done(result);
}

void ModelContext::abandonLoad()
{
    if (!m_loader)
        return;
    m_loader->wait();
    delete m_loader;
    m_loader = nullptr;
    ++m_loadGeneration;
    dropLoaded(m_loadedObjects);
    delete std::exchange(m_loadedHolder, nullptr);
    m_loadResult = {};
    m_loadDone = {};
}

ModelContext::OpenResult ModelContext::lockFile(const QString &path)
{
    m_path = path;
    if (path == QLatin1String(InMemory))
        return {};
    const QFileInfo info(path);
    QDir().mkpath(info.absolutePath());
    m_lock = std::make_unique<ProcessLock>(path + QStringLiteral(".lock"));
    const ProcessLock::Result locked = m_lock->acquire();
    if (!locked.takeOver.isEmpty())
        StoreLog::line(locked.takeOver);
    if (locked.ok())
        return {};
    m_lock.reset();
    m_path.clear();
    if (locked.status == ProcessLock::Status::Held)
        return {OpenStatus::Locked,
                tr("The library %1 is in use by another VORN process (pid %2).").arg(path).arg(locked.pid)};
    return {OpenStatus::Unavailable, locked.message};
}

ModelContext::OpenResult ModelContext::readFile(const QString &path, ObjectLists &loaded)
{
    // Only a file that is damaged or not ours may be moved aside; busy, permission and disk
    // errors pass and must leave it alone.
    auto failDb = [this, &path](const QString &message) {
        const bool damaged = m_db && m_db->lastErrorIsDamage();
        return OpenResult{damaged ? OpenStatus::Unreadable : OpenStatus::Unavailable,
                          damaged ? message : tr("The library %1 cannot be opened: %2").arg(path, message)};
    };

    m_db = std::make_unique<SqliteDatabase>();
    m_saveStamped = false;
    QString error;
    if (!m_db->open(path, &error))
        return failDb(error);
    // Nothing is written to the file until it is known to be ours: a file that is not is
    // moved aside as it was.
    const qint64 version = m_db->scalar(QStringLiteral("PRAGMA user_version"), &error);
    if (version < 0)
        return failDb(error);
    if (version > SchemaVersion)
        return {OpenStatus::Incompatible,
                tr("The library %1 was written by a newer VORN (schema %2).").arg(path).arg(version)};
    if (version == 0) {
        const qint64 tables = m_db->scalar(QStringLiteral("SELECT count(*) FROM sqlite_master"), &error);
        if (tables < 0)
            return failDb(error);
        if (tables != 0)
            return {OpenStatus::Unreadable, QStringLiteral("not a VORN library")};
    } else {
        SqliteDatabase::Statement check = m_db->prepare(QStringLiteral("PRAGMA quick_check"), &error);
        if (!check.isValid())
            return failDb(error);
        if (!check.step())
            return failDb(check.error());
        if (const QString verdict = check.text(0); verdict != QLatin1String("ok"))
            return {OpenStatus::Unreadable, QStringLiteral("integrity check failed: ") + verdict};
    }
    StoreRepository repository(*m_db);
    const auto load = [&]() -> OpenResult {
        if (repository.loadAll(loaded, &error))
            return {};
        dropLoaded(loaded);
        // The file checked out as a sound database: a missing table or column means the
        // tables are not ours; anything else (I/O, memory) is passing.
        const int code = m_db->lastErrorCode();
        if (code == 1 /* SQLITE_ERROR */ || m_db->lastErrorIsDamage())
            return {OpenStatus::Unreadable, QStringLiteral("not a VORN library: ") + error};
        return failDb(error);
    };
    if (version != 0) {
        if (OpenResult read = load(); !read.ok())
            return read;
    }

    // WAL with full syncs: a commit that returned is on disk, and a crash mid-save leaves the
    // previous state readable.
    if (!m_db->exec(QStringLiteral("PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL;"), &error)) {
        dropLoaded(loaded);
        return failDb(error);
    }
    if (version == 0) {
        if (!m_db->exec(QStringLiteral("BEGIN IMMEDIATE"), &error) || !repository.createSchema(SchemaVersion, &error)
            || !m_db->exec(QStringLiteral("COMMIT"), &error)) {
            return failDb(error);
        }
        m_saveStamped = true;
        if (OpenResult read = load(); !read.ok())
            return read;
    } else if (m_db->exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        // A store from before save stamps gets one; without one it works as before.
        m_saveStamped = repository.ensureSaveStamp(nullptr) && m_db->exec(QStringLiteral("COMMIT"));
        if (!m_saveStamped)
            m_db->exec(QStringLiteral("ROLLBACK"));
    }
    m_saveStamp = m_saveStamped ? repository.saveStamp() : std::nullopt;
    return {};
}

QObject *ModelContext::gather(const ObjectLists &loaded)
{
    auto *holder = new QObject;
    for (const QList<PersistentModel *> &list : loaded)
        for (PersistentModel *object : list)
            object->setParent(holder);
    return holder;
}

ModelContext::OpenResult ModelContext::adopt(const QString &path, const OpenResult &read, ObjectLists &loaded, QObject *holder)
{
    if (!read.ok()) {
        delete holder; // reading failed: it holds nothing
        m_db.reset();
        m_lock.reset();
        clearObjects();
        m_path.clear();
        return read;
    }
    ++m_revision;
    holder->setParent(this);
    m_holders.append(holder);
    for (int type = 0; type < ModelTypeCount; ++type) {
        qint64 maxRow = 0;
        for (PersistentModel *object : std::as_const(loaded[type])) {
            object->m_context = this;
            object->m_state = PersistentModel::State::Clean;
            maxRow = std::max(maxRow, object->m_rowId);
        }
        m_objects[type] = std::exchange(loaded[type], {});
        m_nextRowId[type] = maxRow + 1;
    }
    m_path = path;
    return {};
}

bool ModelContext::savePending()
{
    // Changes with no open store to take them are not saved either: that is reported.
    if (!hasChanges())
        return true;
    QString error;
    if (save(&error))
        return true;
    qCWarning(lcStore).noquote() << "Saving the library failed:" << error;
    return false;
}

namespace {
QList<Prompt *> promptsAmong(const QList<PersistentModel *> &objects)
{
    QList<Prompt *> out;
    for (PersistentModel *object : objects)
        if (object->modelType() == ModelType::Prompt)
            out.append(static_cast<Prompt *>(object));
    return out;
}
} // namespace

bool ModelContext::closeStore(AfterClose after)
{
    abandonLoad();
    const bool saved = savePending();
    m_autosave.stop();
    if (m_db) {
        // Once the file is let go, another process may change it: what is still to be read
        // is read now (at a large library's exit, that would be every template for nothing).
        QString error;
        if (after == AfterClose::KeepReading && !holdTemplates(fetch<Prompt>() + promptsAmong(m_deleted), &error))
            qCWarning(lcStore).noquote() << "Reading the templates before closing the library failed:" << error;
        m_db->exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    }
    m_db.reset();
    m_lock.reset();
    return saved;
}

void ModelContext::close()
{
    abandonLoad();
    if (m_db)
        savePending();
    m_autosave.stop();
    m_db.reset();
    m_lock.reset();
    clearObjects();
    m_path.clear();
}

void ModelContext::clearObjects()
{
    ++m_revision;
    for (int type = 0; type < ModelTypeCount; ++type)
        compact(ModelType(type));
    for (auto &list : m_objects) {
        for (PersistentModel *object : list)
            object->m_context = nullptr;
        qDeleteAll(list);
        list.clear();
    }
    for (PersistentModel *object : std::as_const(m_deleted))
        delete object;
    m_deleted.clear();
    // Empty now, unless something took an object out of the context.
    qDeleteAll(std::exchange(m_holders, {}));
    m_inserted.clear();
    m_changed.clear();
    m_nextRowId.fill(1);
}

const QList<PersistentModel *> &ModelContext::objects(ModelType type) const
{
    compact(type);
    return m_objects[int(type)];
}

void ModelContext::compact(ModelType type) const
{
    bool &needed = m_needsCompaction[int(type)];
    if (!needed)
        return;
    m_objects[int(type)].removeIf([](PersistentModel *object) { return object->isDeleted(); });
    needed = false;
}

void ModelContext::insert(PersistentModel *object)
{
    if (!object || object->m_context == this)
        return;
    if (object->m_context) {
        qCWarning(lcStore, "An object can live in one context only");
        return;
    }
    const int type = int(object->modelType());
    if (m_nextRowId[type] < 1)
        m_nextRowId[type] = 1;
    object->m_context = this;
    object->m_rowId = m_nextRowId[type]++;
    object->m_state = PersistentModel::State::Inserted;
    object->setParent(this);
    m_objects[type].append(object);
    m_inserted.append(object);
    if (m_observer)
        m_observer->objectTouched(object);
    for (PersistentModel *linked : object->linkedObjects())
        if (!linked->m_context)
            insert(linked);
    noteChange();
}

void ModelContext::remove(PersistentModel *object)
{
    if (!object || object->m_context != this || object->isDeleted())
        return;
    if (m_observer)
        m_observer->objectTouched(object);
    object->nullifyRelationships();
    if (object->m_state == PersistentModel::State::Inserted)
        m_inserted.removeOne(object);
    m_changed.remove(object);
    object->m_state = PersistentModel::State::Deleted;
    m_deleted.append(object);
    m_needsCompaction[int(object->modelType())] = true;
    noteChange();
}

void ModelContext::objectChanged(PersistentModel *object)
{
    if (object->m_state == PersistentModel::State::Clean) {
        object->m_state = PersistentModel::State::Changed;
        m_changed.insert(object);
    } else if (object->m_state != PersistentModel::State::Inserted
               && object->m_state != PersistentModel::State::Changed) {
        return;
    }
    if (m_observer)
        m_observer->objectTouched(object);
    noteChange();
}

void ModelContext::noteChange()
{
    ++m_revision;
    if (m_autosaveInterval >= 0 && isOpen())
        m_autosave.start(m_autosaveInterval);
    if (!m_hadChanges) {
        m_hadChanges = true;
        Q_EMIT hasChangesChanged();
    }
    if (!m_changePosted) {
        m_changePosted = true;
        QMetaObject::invokeMethod(this, [this] {
            m_changePosted = false;
            Q_EMIT objectsChanged();
        }, Qt::QueuedConnection);
    }
}

bool ModelContext::hasChanges() const
{
    return !m_inserted.isEmpty() || !m_changed.isEmpty() || !m_deleted.isEmpty();
}

void ModelContext::setAutosaveInterval(int milliseconds)
{
    m_autosaveInterval = milliseconds;
    if (milliseconds < 0)
        m_autosave.stop();
}

bool ModelContext::save(QString *error)
{
    if (!hasChanges())
        return true;
    if (m_observer && m_origins.isEmpty())
        m_observer->willSave();
    QString message;
    if (!isOpen()) {
        message = QStringLiteral("the library is not open");
    } else if (m_db->exec(QStringLiteral("BEGIN IMMEDIATE"), &message)) {
        StoreRepository repository(*m_db);
        // A deleted prompt stays readable until it is freed, after its row is gone.
        if (holdTemplates(promptsAmong(m_deleted), &message)
            && repository.write(m_inserted, m_changed, m_deleted, &message)
            && renewSaveStamp(repository, &message) && m_db->exec(QStringLiteral("COMMIT"), &message)) {
            for (PersistentModel *object : std::as_const(m_inserted))
                object->m_state = PersistentModel::State::Clean;
            for (PersistentModel *object : std::as_const(m_changed))
                object->m_state = PersistentModel::State::Clean;
            // Deleted objects leave the lists before they are freed.
            for (int type = 0; type < ModelTypeCount; ++type)
                compact(ModelType(type));
            for (PersistentModel *object : std::as_const(m_deleted)) {
                object->m_context = nullptr;
                object->deleteLater();
            }
            m_inserted.clear();
            m_changed.clear();
            m_deleted.clear();
            // Every template now as stored is read again when asked for: what a bulk read
            // (a synchronisation, an import) brought into memory does not stay.
            for (PersistentModel *object : std::as_const(m_objects[int(ModelType::Prompt)]))
                static_cast<Prompt *>(object)->dropTemplate();
            m_autosave.stop();
            noteSaveResult({});
            m_hadChanges = false;
            Q_EMIT hasChangesChanged();
            Q_EMIT saved();
            return true;
        }
        m_db->exec(QStringLiteral("ROLLBACK"));
        m_saveStamp.reset(); // whether the stamp read is stored is not known
    }
    if (error)
        *error = message;
    noteSaveResult(message);
    Q_EMIT saveFailed(message);
    return false;
}

void ModelContext::noteSaveResult(const QString &error)
{
    m_failedSaves = error.isEmpty() ? 0 : m_failedSaves + 1;
    if (m_saveError == error)
        return;
    m_saveError = error;
    Q_EMIT saveErrorChanged();
}

bool ModelContext::readTemplate(qint64 row, QString *text, QString *error) const
{
    if (!isOpen()) {
        if (error)
            *error = QStringLiteral("the library is not open");
        return false;
    }
    return StoreRepository(*m_db).readTemplate(row, text, error);
}

QStringList ModelContext::templates(const QList<Prompt *> &prompts, QString *error) const
{
    // Below this many, a look-up per prompt beats reading every stored template.
    constexpr qsizetype PassFrom = 32;
    QStringList out;
    out.reserve(prompts.size());
    QMultiHash<qint64, qsizetype> wanted; // stored row -> position in out
    for (qsizetype i = 0; i < prompts.size(); ++i) {
        const Prompt *prompt = prompts.at(i);
        const bool stored = !prompt->holdsTemplate() && prompt->context() == this;
        out.append(stored ? QString() : prompt->templateText());
        if (stored)
            wanted.insert(prompt->persistentId(), i);
    }
    if (wanted.isEmpty())
        return out;
    QString why;
    bool ok = isOpen();
    if (!ok) {
        why = QStringLiteral("the library is not open");
    } else if (wanted.size() < PassFrom) {
        for (auto it = wanted.cbegin(); ok && it != wanted.cend(); ++it)
            ok = readTemplate(it.key(), &out[it.value()], &why);
    } else {
        ok = StoreRepository(*m_db).eachTemplate(
            [&](qint64 row, const QString &text) {
                for (auto it = wanted.constFind(row); it != wanted.cend() && it.key() == row; ++it)
                    out[it.value()] = text;
            },
            &why);
    }
    if (ok)
        return out;
    if (error)
        *error = why;
    return {};
}

bool ModelContext::holdTemplates(const QList<Prompt *> &prompts, QString *error)
{
    QList<Prompt *> stored;
    for (Prompt *prompt : prompts)
        if (!prompt->holdsTemplate())
            stored.append(prompt);
    if (stored.isEmpty())
        return true;
    const QStringList texts = templates(stored, error);
    if (texts.size() != stored.size())
        return false;
    for (qsizetype i = 0; i < stored.size(); ++i)
        stored.at(i)->holdTemplate(texts.at(i));
    return true;
}

bool ModelContext::renewSaveStamp(StoreRepository &repository, QString *error)
{
    if (!m_saveStamped)
        return true;
    m_saveStamp = repository.renewSaveStamp(error);
    return m_saveStamp.has_value();
}

bool ModelContext::execute(const QString &sql, QString *error)
{
    if (!isOpen()) {
        if (error)
            *error = QStringLiteral("the library is not open");
        return false;
    }
    return m_db->exec(sql, error);
}

ModelContext::OriginScope::OriginScope(ModelContext *context, ChangeOrigin origin) : m_context(context)
{
    if (!m_context)
        return;
    if (m_context->m_origins.isEmpty() && m_context->m_observer)
        m_context->m_observer->originBegins(origin);
    m_context->m_origins.append(origin);
}

ModelContext::OriginScope::~OriginScope()
{
    if (!m_context)
        return;
    const ChangeOrigin origin = m_context->m_origins.takeLast();
    if (m_context->m_origins.isEmpty() && m_context->m_observer)
        m_context->m_observer->originEnds(origin);
}
