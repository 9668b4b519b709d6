#include "DataController.h"

#include "DuplicateCleaner.h"
#include "FormViewModel.h"
#include "LibraryExport.h"
#include "Prompt.h"
#include "PromptCategory.h"
#include "PromptGlobalVariable.h"
#include "PromptSyncService.h"
#include "PromptTag.h"
#include "SeedLibrary.h"
#include "SeedRecords.h"
#include "SyncEngine.h"
#include "StoreLog.h"
#include "UserAttribute.h"
#include "UserDefaults.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QPointer>
#include <QThread>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <optional>

namespace {
DataController::Options g_sharedOptions;
DataController *g_shared = nullptr;

void log(const QString &text)
{
    StoreLog::line(text);
}

// What a start-up load logs when it is done.
void logCompletion(qsizetype total, qsizetype changed)
{
    StoreLog::line(lcSync(), QStringLiteral("Sync complete. Total: %1, Updates/Inserts: %2").arg(total).arg(changed));
}

// Logs the line of a failed operation and returns it as the outcome.
ActionOutcome failure(const QString &line)
{
    log(line);
    return ActionOutcome::failed(line);
}

// Moves an unreadable store and its journal files out of the way under one time-stamped
// name; the journal files keep SQLite's "-wal"/"-shm" pairing so the copy can still be
// examined or recovered with the sqlite3 tool. Nothing is ever deleted.
bool moveAside(const QString &path, QString *movedTo, QString *error)
{
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-ddTHH-mm-ss"));
    QString target = path + QStringLiteral(".corrupt-") + stamp;
    for (int n = 2; QFileInfo::exists(target) || QFileInfo::exists(target + QStringLiteral("-wal"))
                    || QFileInfo::exists(target + QStringLiteral("-shm"));
         ++n)
        target = path + QStringLiteral(".corrupt-") + stamp + QLatin1Char('-') + QString::number(n);

    for (const QString &suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")}) {
        QFile file(path + suffix);
        if (!file.exists())
            continue;
        // A journal left beside a fresh store would be replayed into it, so a file that
        // cannot be moved stops the recovery.
        if (!file.rename(target + suffix)) {
            *error = QStringLiteral("cannot move %1 to %2: %3").arg(path + suffix, target + suffix, file.errorString());
            return false;
        }
    }
    *movedTo = target;
    return true;
}
} // namespace

struct DataController::Private {
    Options options;
    ModelContext context;
    std::function<void(const QString &path)> revealer;
    QString notice;
    std::unique_ptr<SyncEngine> sync;
    QPointer<QThread> loader; // the worker of a background start-up load, while it runs
    bool loading = false;     // setUpInBackground has not finished
    QList<std::function<void()>> waiting; // run once the library is in
    // The store's revision when a clean-up last left it without duplicates.
    std::optional<quint64> revisionWithoutDuplicates;
};

DataController *DataController::shared()
{
    if (!g_shared)
        g_shared = new DataController(g_sharedOptions);
    return g_shared;
}

void DataController::setSharedOptions(const Options &options)
{
    g_sharedOptions = options;
}

void DataController::resetShared()
{
    delete g_shared;
    g_shared = nullptr;
}

DataController::DataController(const Options &options, QObject *parent)
    : QObject(parent), d(std::make_unique<Private>())
{
    d->options = options;
}

DataController::~DataController()
{
    if (d->loader)
        d->loader->wait();
    d->sync.reset();
    if (g_shared == this)
        g_shared = nullptr;
}

ModelContext *DataController::mainContext() const
{
    return &d->context;
}

QString DataController::storePath() const
{
    if (d->options.inMemory)
        return QString::fromLatin1(ModelContext::InMemory);
    if (!d->options.storePath.isEmpty())
        return d->options.storePath;
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/vorn/library.sqlite");
}

QString DataController::documentsDir() const
{
    if (!d->options.documentsDir.isEmpty())
        return d->options.documentsDir;
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

void DataController::setRevealer(std::function<void(const QString &path)> revealer)
{
    d->revealer = std::move(revealer);
}

bool DataController::setUp(QString *error)
{
    if (d->context.isOpen())
        return true;
    return settle(openWaiting([this](const QString &path) { return d->context.open(path); }), error);
}

void DataController::setUpInBackground(std::function<void(bool opened, const QString &error)> done)
{
    if (d->context.isOpen() || d->loading) {
        whenLoaded([this, done = std::move(done)] {
            if (done)
                done(d->context.isOpen(), QString());
        });
        return;
    }
    d->loading = true;
    auto finish = [this, done](const ModelContext::OpenResult &result) {
        QString error;
        const bool opened = settle(result, &error);
        d->loading = false;
        if (done)
            done(opened, error);
        // Tasks asked for by the ones run here run too, in order.
        while (!d->waiting.isEmpty())
            d->waiting.takeFirst()();
    };
    const ModelContext::OpenResult started = openWaiting(
        [this, finish](const QString &path) { return d->context.openInBackground(path, finish); });
    if (!started.ok())
        finish(started);
}

bool DataController::isLoading() const
{
    return d->loading;
}

void DataController::whenLoaded(std::function<void()> task)
{
    if (d->loading)
        d->waiting.append(std::move(task));
    else
        task();
}

ModelContext::OpenResult DataController::openWaiting(const std::function<ModelContext::OpenResult(const QString &path)> &open)
{
    const QString path = storePath();
    ModelContext::OpenResult result = open(path);
    if (result.status == ModelContext::OpenStatus::Locked && d->options.lockWaitMs > 0) {
        // Another command is at work on the library; it is done in a moment.
        log(result.message + QStringLiteral(" Waiting up to %1 seconds for it to finish...")
                                 .arg((d->options.lockWaitMs + 999) / 1000));
        QElapsedTimer waited;
        waited.start();
        while (result.status == ModelContext::OpenStatus::Locked && waited.elapsed() < d->options.lockWaitMs) {
            QThread::msleep(100);
            result = open(path);
        }
    }
    return result;
}

bool DataController::settle(ModelContext::OpenResult result, QString *error)
{
    const QString path = storePath();
    if (result.ok())
        return true;
    // Busy, unreadable for now, a newer schema: no reason to touch the file.
    if (result.status != ModelContext::OpenStatus::Unreadable || d->options.inMemory) {
        //: The library's status line; %1 is why the library cannot be opened.
        setNotice(tr("%1 Nothing was changed; VORN shows an empty library until it is restarted with the "
                     "problem fixed.")
                      .arg(result.message + (result.message.endsWith(QLatin1Char('.')) ? QString() : QStringLiteral("."))));
        if (error)
            *error = result.message;
        return false;
    }

    StoreLog::warning(lcStore(), QStringLiteral("ModelContainer creation failed. Attempting to reset store... Error: ") + result.message);
    const QString reason = result.message;
    QString movedTo;
    QString problem;
    if (moveAside(path, &movedTo, &problem)) {
        StoreLog::warning(lcStore(), QStringLiteral("The unreadable store was moved to ") + movedTo);
        result = d->context.open(path);
        problem = result.message;
    }
    if (movedTo.isEmpty() || !result.ok()) {
        const QString message = QStringLiteral("Could not create ModelContainer even after reset: ") + problem; // untranslated: logged
        StoreLog::warning(lcStore(), message);
        setNotice(tr("The library could not be opened even after a reset: %1").arg(problem));
        if (error)
            *error = message;
        return false;
    }
    setNotice(tr("The library could not be read (%1) and was moved to %2. VORN started a new "
                 "library with the shipped prompts.").arg(reason, movedTo));
    loadIfEmpty();
    log(QStringLiteral("Store successfully reset."));
    return true;
}

bool DataController::closeStore(ModelContext::AfterClose after)
{
    // A start-up load still looking at the files is let finish; its result is not applied.
    if (d->loader)
        d->loader->wait();
    if (d->sync)
        d->sync->stop();
    const bool saved = d->context.closeStore(after);
    if (d->sync) {
        d->sync.reset();
        Q_EMIT syncEngineChanged();
    }
    return saved;
}

SyncEngine *DataController::syncEngine() const
{
    return d->sync.get();
}

void DataController::startSync()
{
    if (d->sync || !d->context.isOpen())
        return;
    UserDefaults *defaults = UserDefaults::standard();
    if (!defaults->contains(QLatin1String(SyncEngine::DeviceIdKey)))
        return;
    QString dir = d->options.syncDir;
    if (dir.isEmpty()) {
        if (d->options.inMemory)
            return;
        dir = QFileInfo(storePath()).absolutePath() + QStringLiteral("/sync");
    }
    SyncEngine::Options options;
    options.context = &d->context;
    options.defaults = defaults;
    options.localDir = dir;
    d->sync = std::make_unique<SyncEngine>(options);
    d->sync->start();
    Q_EMIT syncEngineChanged();
}

SyncEngine *DataController::enableSync(const QString &folder)
{
    if (!d->context.isOpen())
        return nullptr;
    UserDefaults *defaults = UserDefaults::standard();
    SyncEngine::ensureDeviceId(defaults);
    if (!d->sync) {
        // The folder is set first, so that the start reads it.
        if (folder.isEmpty())
            defaults->remove(QLatin1String(SyncEngine::FolderKey));
        else
            defaults->setValue(QLatin1String(SyncEngine::FolderKey), QDir::cleanPath(QDir(folder).absolutePath()));
        startSync();
    }
    if (d->sync)
        d->sync->setFolder(folder);
    return d->sync.get();
}

QString DataController::notice() const
{
    return d->notice;
}

void DataController::dismissNotice()
{
    setNotice({});
}

void DataController::setNotice(const QString &text)
{
    if (d->notice == text)
        return;
    d->notice = text;
    Q_EMIT noticeChanged();
}

ActionOutcome DataController::startupLoad()
{
    // The shipped library's own doing stays on this device: nothing of it goes to other devices.
    QString error;
    bool decoded = false;
    {
        ModelContext::OriginScope shipped(&d->context, ChangeOrigin::Shipped);
        // Every use of the store renders prompts tagged "text" the same way, the panel's and the
        // command line's alike.
        FormViewModel::seedTagTextSuffix(UserDefaults::standard());
        const PromptSyncService::Completion complete = logCompletion;
        // Most starts change nothing: that is decided from the files' versions, read without
        // decoding the files.
        if (const std::optional<SeedLibrary::Versions> versions = SeedLibrary::versions();
            versions
            && PromptSyncService::shared()->skipIfCurrent(versions->prompts, versions->data, versions->promptCount,
                                                          &d->context, complete)) {
            startSync();
            return ActionOutcome::done();
        }
        const SeedLibrary::Files files = SeedLibrary::load();
        if (!files.ok())
            return ActionOutcome::failed(QStringLiteral("the shipped library cannot be read: ") + files.error);
        // A seed file that does not decode is the build's fault; the start goes on without it.
        decoded = PromptSyncService::shared()->sync(files.prompts, files.data, &d->context, false, complete, &error);
    }
    // Other devices' changes go on top of the shipped library.
    startSync();
    return decoded ? ActionOutcome::done()
                   : ActionOutcome::failed(QStringLiteral("the shipped library does not decode: ") + error);
}

bool DataController::startupLoadWouldSkip(qsizetype storedPrompts)
{
    UserDefaults *defaults = UserDefaults::standard();
    if (!defaults->stringValue(QLatin1String(FormViewModel::TagTextSuffixKey))
        || defaults->contains(QLatin1String(SyncEngine::DeviceIdKey)))
        return false;
    const std::optional<SeedLibrary::Versions> versions = SeedLibrary::versions();
    return versions
           && PromptSyncService::shared()->skipIfCurrent(versions->prompts, versions->data, versions->promptCount,
                                                         storedPrompts, logCompletion);
}

namespace {
// What the worker of a background start-up load hands back.
struct SeedWork {
    std::optional<SeedLibrary::Versions> versions; // set when the files need no run
    std::optional<PromptsRoot> prompts;
    std::optional<DataRoot> data;
    QString error;
};

SeedWork lookAtSeed(const PromptSyncService::Applied &applied)
{
    SeedWork work;
    if (std::optional<SeedLibrary::Versions> versions = SeedLibrary::versions();
        versions && applied.current(versions->prompts, versions->data)) {
        work.versions = std::move(versions);
        return work;
    }
    const SeedLibrary::Files files = SeedLibrary::load();
    if (!files.ok()) {
        work.error = QStringLiteral("the shipped library cannot be read: ") + files.error;
        return work;
    }
    QString error;
    work.prompts = PromptsRoot::decode(files.prompts, &error);
    if (work.prompts)
        work.data = DataRoot::decode(files.data, &error);
    if (!work.prompts || !work.data)
        work.error = QStringLiteral("the shipped library does not decode: ") + error;
    return work;
}
} // namespace

void DataController::startupLoadInBackground(std::function<void(const ActionOutcome &)> done)
{
    FormViewModel::seedTagTextSuffix(UserDefaults::standard());
    const PromptSyncService::Applied applied = PromptSyncService::shared()->applied(&d->context);
    // Back on this thread: the synchronisation in one step, or the skip it decided on.
    auto finish = [this](SeedWork &work) {
        const PromptSyncService::Completion complete = logCompletion;
        ModelContext::OriginScope shipped(&d->context, ChangeOrigin::Shipped);
        if (work.versions) {
            // The settings or the store may have changed meanwhile; then it is all done here.
            if (!PromptSyncService::shared()->skipIfCurrent(work.versions->prompts, work.versions->data,
                                                            work.versions->promptCount, &d->context, complete))
                return startupLoad();
        } else if (work.prompts && work.data) {
            PromptSyncService::shared()->sync(std::move(*work.prompts), std::move(*work.data), &d->context, false,
                                              complete);
        } else {
            startSync();
            return ActionOutcome::failed(work.error);
        }
        startSync();
        return ActionOutcome::done();
    };
    d->loader = QThread::create([this, applied, finish, done = std::move(done)]() mutable {
        auto work = std::make_shared<SeedWork>(lookAtSeed(applied));
        QMetaObject::invokeMethod(
            this,
            [work, finish, done = std::move(done)]() mutable {
                const ActionOutcome outcome = finish(*work);
                if (done)
                    done(outcome);
            },
            Qt::QueuedConnection);
    });
    connect(d->loader, &QThread::finished, d->loader, &QObject::deleteLater);
    d->loader->start(QThread::LowPriority);
}

void DataController::loadIfEmpty()
{
    if (!d->context.isOpen()) {
        log(QStringLiteral("Failed to preload data: the library is not open"));
        return;
    }
    if (d->context.count<PromptCategory>() > 0)
        return;
    const SeedLibrary::Files files = SeedLibrary::load();
    if (files.status == SeedLibrary::Status::Missing) {
        log(QStringLiteral("JSON files not found in Bundle"));
        return;
    }
    if (!files.ok()) {
        log(QStringLiteral("Failed to preload data: ") + files.error);
        return;
    }
    PromptSyncService::shared()->sync(files.prompts, files.data, &d->context, false);
}

ActionOutcome DataController::manualSync()
{
    const SeedLibrary::Files files = SeedLibrary::load();
    if (!files.ok())
        return failure(QStringLiteral("JSON files not found in Bundle"));
    QString error;
    const bool decoded = PromptSyncService::shared()->sync(
        files.prompts, files.data, &d->context, true,
        [](qsizetype total, qsizetype changed) {
            StoreLog::line(lcSync(), QStringLiteral("Manual sync complete. Total: %1, Updates/Inserts: %2").arg(total).arg(changed));
        },
        &error);
    if (!decoded)
        return failure(QStringLiteral("Manual sync failed: ") + error);
    return ActionOutcome::done();
}

ActionOutcome DataController::resetUserStats()
{
    log(QStringLiteral("Resetting user stats (usage, favorites, hot)..."));
    const QList<Prompt *> prompts = d->context.fetch<Prompt>();
    for (Prompt *prompt : prompts) {
        UserAttribute *attribute = prompt->ensureAttribute();
        attribute->setUsageCount(0);
        attribute->setLastUsedAt(QDateTime());
        attribute->setFavorite(false);
        attribute->setHidden(false);
        prompt->setHot(false);
    }
    const QList<PromptCategory *> categories = d->context.fetch<PromptCategory>();
    for (PromptCategory *category : categories) {
        UserAttribute *attribute = category->ensureAttribute();
        attribute->setUsageCount(0);
        attribute->setHidden(false);
    }
    QString error;
    if (!d->context.save(&error))
        return failure(QStringLiteral("❌ Failed to reset user stats: ") + error);
    log(QStringLiteral("✅ Reset complete. Updated %1 prompts and %2 categories.").arg(prompts.size()).arg(categories.size()));
    return ActionOutcome::done();
}

ActionOutcome DataController::resetDatabase()
{
    log(QStringLiteral("Resetting database..."));
    // What the reset changed, shipped library reloaded included, is the user's doing.
    ModelContext::OriginScope action(&d->context, ChangeOrigin::UserAction);
    // Prompts the user imported or edited exist nowhere else: without a backup, nothing is deleted.
    if (!createBackup().ok)
        return failure(QStringLiteral("❌ Database reset failed: the backup could not be written"));
    for (Prompt *prompt : d->context.fetch<Prompt>())
        d->context.remove(prompt);
    for (PromptCategory *category : d->context.fetch<PromptCategory>())
        d->context.remove(category);
    for (PromptTag *tag : d->context.fetch<PromptTag>())
        d->context.remove(tag);
    for (PromptGlobalVariable *list : d->context.fetch<PromptGlobalVariable>())
        d->context.remove(list);
    QString error;
    if (!d->context.save(&error))
        return failure(QStringLiteral("❌ Database reset failed: ") + error);
    PromptSyncService::shared()->defaults()->remove(QLatin1String(PromptSyncService::promptsVersionKey));
    if (const ActionOutcome reload = manualSync(); !reload.ok)
        return reload;
    log(QStringLiteral("✅ Database reset complete (user records kept)."));
    return ActionOutcome::done();
}

QString DataController::exportData(const QString &prefix, bool reveal, QString *why)
{
    return writeExport(prefix, reveal, why);
}

void DataController::reveal(const QString &path)
{
    if (d->revealer)
        d->revealer(path);
}

QString DataController::writeExport(const QString &prefix, bool reveal, QString *why)
{
    const QString path = LibraryExport::write(d->context, documentsDir(), prefix, why);
    if (!path.isEmpty() && reveal && d->revealer)
        d->revealer(path);
    return path;
}

ActionOutcome DataController::createBackup()
{
    const QString prefix = LibraryExport::backupPrefix();
    QString why;
    const bool written = !writeExport(prefix, false, &why).isEmpty();
    log((written ? QStringLiteral("✅ Backup created: ") : QStringLiteral("❌ Backup failed: ")) + prefix
        + QStringLiteral("..."));
    if (written)
        LibraryExport::pruneBackups(documentsDir(), KeptBackups);
    return written ? ActionOutcome::done() : ActionOutcome::failed(why);
}

ActionOutcome DataController::cleanupDuplicates()
{
    // Nothing changed since a clean-up left no duplicates: there are none now either, and a
    // library of 100,000 prompts is not looked through again at every showing of the panel.
    if (d->revisionWithoutDuplicates == d->context.revision()) {
        log(QStringLiteral("Cleanup: No duplicates found."));
        return ActionOutcome::done();
    }
    const DuplicateCleaner::Removed removed =
        DuplicateCleaner::removeDuplicates(&d->context, DuplicateCleaner::Survivor::FirstStored);
    if (removed.categories > 0)
        log(QStringLiteral("Cleanup: Removed %1 duplicate categories.").arg(removed.categories));
    if (removed.prompts > 0)
        log(QStringLiteral("Cleanup: Removed %1 duplicate prompts.").arg(removed.prompts));
    if (removed.categories == 0 && removed.prompts == 0) {
        log(QStringLiteral("Cleanup: No duplicates found."));
        d->revisionWithoutDuplicates = d->context.revision();
        return ActionOutcome::done();
    }
    QString error;
    if (!d->context.save(&error))
        return failure(QStringLiteral("Cleanup failed: ") + error);
    d->revisionWithoutDuplicates = d->context.revision();
    return ActionOutcome::done();
}
