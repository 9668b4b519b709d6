#include "SyncEngine.h"

#include "JournalCodec.h"
#include "ModelContext.h"
#include "PersistentModel.h"
#include "StoreLog.h"
#include "SyncSchema.h"
#include "UserDefaults.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {
const QString Value = QStringLiteral("value");

void log(const QString &text)
{
    StoreLog::line(QStringLiteral("Sync: ") + text);
}

std::pair<QString, QString> split(const QString &id)
{
    const qsizetype at = id.indexOf(QChar(0x1f));
    return {id.left(at), id.mid(at + 1)};
}

// Categories before the prompts that name them, tags before their prompts, user records last.
int applyOrder(const QString &entity)
{
    static const QStringList order{SyncSchema::Category, SyncSchema::Tag, SyncSchema::List, SyncSchema::Prompt,
                                   SyncSchema::Attribute, SyncSchema::Setting};
    return int(order.indexOf(entity));
}
} // namespace

SyncEngine::SyncEngine(const Options &options, QObject *parent)
    : QObject(parent), m_options(options), m_context(options.context),
      m_device(SyncDevice::ensureOwnId(options.defaults)), m_clock(m_device),
      m_capture(options.defaults, m_state, m_clock),
      m_cache(QDir(options.localDir).filePath(QStringLiteral("state.json")))
{
    m_folder = m_options.defaults->string(QLatin1String(FolderKey));
    m_settle.setSingleShot(true);
    m_settle.setInterval(m_options.settleMs);
    connect(&m_settle, &QTimer::timeout, this, [this] { readFolder(); });
    m_poll.setInterval(m_options.pollIntervalMs);
    connect(&m_poll, &QTimer::timeout, this, [this] { readFolder(); });
    m_settingsFlush.setSingleShot(true);
    m_settingsFlush.setInterval(300);
    connect(&m_settingsFlush, &QTimer::timeout, this, [this] { capture(); });
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, [this] { m_settle.start(); });
    connect(m_options.defaults, &UserDefaults::valueChanged, this, &SyncEngine::settingChanged);
    connect(m_context, &ModelContext::saved, this, [this] {
        // What was applied and written is in the store now.
        m_cache.commitPending();
        if (m_cache.isDirty())
            m_cache.write(m_folder);
    });
}

SyncEngine::~SyncEngine()
{
    if (m_context && m_context->observer() == this)
        m_context->setObserver(nullptr);
}

QString SyncEngine::masterPath() const
{
    return QDir(m_options.localDir).filePath(SyncFolder::journalName(m_device));
}

void SyncEngine::start()
{
    if (m_started || !m_context)
        return;
    m_started = true;
    m_context->setObserver(this);
    m_cache.read(m_folder);
    m_capture.rememberAll(SyncEntities::index(*m_context));

    // Nothing is read while every file is the one applied last time.
    bool news = !QFile::exists(masterPath()) || SyncFolder::signature(masterPath()) != m_cache.own();
    if (!m_folder.isEmpty()) {
        const QHash<QString, QString> files = SyncFolder::journals(m_folder);
        for (auto it = files.begin(); it != files.end() && !news; ++it)
            news = it.key() != m_device && SyncFolder::signature(it.value()) != m_cache.applied(it.key());
        if (QDir(m_folder).exists())
            m_watcher.addPath(m_folder);
        else
            noteProblem(QStringLiteral("the folder %1 does not exist").arg(m_folder));
        // A folder that lost this device's file (or never had it) gets it again.
        if (!news && SyncFolder::signature(QDir(m_folder).filePath(SyncFolder::journalName(m_device))).size
                         != SyncFolder::signature(masterPath()).size)
            QTimer::singleShot(0, this, &SyncEngine::publish);
    }
    if (news)
        readFolder(SyncFolder::signature(masterPath()) != m_cache.own());
    m_poll.start();
}

void SyncEngine::stop()
{
    if (!m_started)
        return;
    capture();
    if (m_journalDirty)
        writeJournal();
    publish();
    m_watcher.removePaths(m_watcher.directories());
    m_poll.stop();
    m_settle.stop();
    if (m_context && m_context->observer() == this)
        m_context->setObserver(nullptr);
    m_started = false;
}

void SyncEngine::syncNow()
{
    capture();
    if (m_journalDirty)
        writeJournal();
    publish();
    readFolder();
}

void SyncEngine::setFolder(const QString &folder)
{
    const QString clean = folder.isEmpty() ? QString() : QDir::cleanPath(QDir(folder).absolutePath());
    if (clean.isEmpty())
        m_options.defaults->remove(QLatin1String(FolderKey));
    else
        m_options.defaults->setValue(QLatin1String(FolderKey), clean);
    m_options.defaults->sync();
    if (clean == m_folder)
        return;
    m_watcher.removePaths(m_watcher.directories());
    m_folder = clean;
    m_merged.clear();
    m_cache.forgetFolder();
    m_problem.clear();
    // Another folder holds other devices: what was merged from the old one stays applied,
    // and the state is rebuilt from this device's journal and the new folder.
    m_state.clear();
    m_loaded = false;
    if (!m_folder.isEmpty() && QDir(m_folder).exists())
        m_watcher.addPath(m_folder);
    if (m_started) {
        readFolder();
        publish();
    }
    m_cache.write(m_folder);
    Q_EMIT statusChanged();
}

SyncEngine::Status SyncEngine::status() const
{
    Status status;
    status.folder = m_folder;
    status.deviceId = m_device;
    status.deviceName = deviceName(m_options.defaults);
    status.problem = m_problem;
    for (const Device &device : m_cache.devices())
        if (device.id != m_device)
            status.devices.append(device);
    std::sort(status.devices.begin(), status.devices.end(),
              [](const Device &a, const Device &b) { return std::tie(a.name, a.id) < std::tie(b.name, b.id); });
    return status;
}

void SyncEngine::objectTouched(PersistentModel *object)
{
    const auto [entity, key] = SyncEntities::idOf(object);
    if (!key.isEmpty())
        m_capture.touched(SyncState::idOf(entity, key));
}

void SyncEngine::willSave()
{
    capture();
}

void SyncEngine::originBegins(ChangeOrigin)
{
    // The user's changes made so far are the user's, whatever comes next.
    capture();
}

void SyncEngine::originEnds(ChangeOrigin origin)
{
    if (origin == ChangeOrigin::UserAction)
        capture();
    else if (m_context)
        m_capture.absorb(SyncEntities::index(*m_context));
}

void SyncEngine::settingChanged(const QString &key)
{
    if (key == QLatin1String(DeviceNameKey)) {
        // The other devices read the name from this device's journal.
        if (m_started && QFile::exists(masterPath())) {
            m_journalDirty = true;
            m_settingsFlush.start();
        }
        Q_EMIT statusChanged();
        return;
    }
    if (m_applyingSettings || !SyncSchema::settingTravels(key) || !m_context)
        return;
    const ChangeOrigin origin = m_context->origin();
    if (origin == ChangeOrigin::Shipped || origin == ChangeOrigin::Remote)
        return;
    m_capture.settingTouched(key);
    m_settingsFlush.start();
}

void SyncEngine::loadOwn()
{
    const QString path = masterPath();
    if (!QFile::exists(path))
        return;
    QByteArray bytes;
    QString error;
    JournalCodec::Decoded decoded;
    if (SyncFolder::read(path, JournalCodec::MaxFileBytes, &bytes, &error))
        decoded = JournalCodec::decode(bytes);
    else
        decoded.error = error;
    if (!decoded.ok || decoded.journal.device != m_device) {
        // Kept for a look; a new journal starts from what the store holds.
        const QString aside = path + QStringLiteral(".corrupt-")
                              + QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-ddTHH-mm-ss"));
        QFile::rename(path, aside);
        log(QStringLiteral("this device's journal %1 could not be read (%2) and was moved to %3")
                .arg(path, decoded.ok ? QStringLiteral("another device's id") : decoded.error, aside));
        return;
    }
    for (const SyncRecord &record : std::as_const(decoded.journal.records)) {
        m_state.merge(record, true);
        m_clock.receive(record.stamp);
    }
}

void SyncEngine::ensureLoaded()
{
    if (m_loaded)
        return;
    m_loaded = true;
    const bool joining = !QFile::exists(masterPath());
    loadOwn();
    const bool fresh = !QFile::exists(masterPath());
    QSet<QString> ignored;
    if (!m_folder.isEmpty()) {
        const QHash<QString, QString> files = SyncFolder::journals(m_folder);
        for (auto it = files.begin(); it != files.end(); ++it)
            if (it.key() != m_device)
                mergeFile(it.key(), it.value(), &ignored);
    }
    if ((joining || fresh) && m_context) {
        m_capture.join(SyncEntities::index(*m_context));
        m_journalDirty = true;
    }
    // Whatever changed since the store last took it in is applied at the next turn.
    m_applyAll = true;
    QTimer::singleShot(0, this, [this] { readFolder(); });
}

void SyncEngine::readFolder(bool applyAll)
{
    if (!m_context || !m_context->isOpen())
        return;
    ensureLoaded();
    QSet<QString> changed;
    if (!m_folder.isEmpty()) {
        const QHash<QString, QString> files = SyncFolder::journals(m_folder);
        for (auto it = files.begin(); it != files.end(); ++it)
            if (it.key() != m_device)
                mergeFile(it.key(), it.value(), &changed);
    }
    // Loaded just now: everything is applied; the store takes only what differs.
    if (std::exchange(m_applyAll, false) || applyAll) {
        for (auto it = m_state.entities().begin(); it != m_state.entities().end(); ++it)
            changed.insert(it.key());
    }
    applyToStore(changed);
    if (m_journalDirty)
        writeJournal();
    if (!m_context->hasChanges()) {
        m_cache.commitPending();
        if (m_cache.isDirty())
            m_cache.write(m_folder);
    }
}

void SyncEngine::mergeFile(const QString &device, const QString &path, QSet<QString> *changed)
{
    const SyncFolder::Signature signature = SyncFolder::signature(path);
    if (signature.isNull() || m_merged.value(device) == signature)
        return;
    const QString file = QFileInfo(path).fileName();
    Device &known = m_cache.devices()[device];
    known.id = device;
    QByteArray bytes;
    QString error;
    JournalCodec::Decoded decoded;
    if (SyncFolder::read(path, JournalCodec::MaxFileBytes, &bytes, &error))
        decoded = JournalCodec::decode(bytes);
    else
        decoded.error = error;
    if (decoded.ok && decoded.journal.device != device) {
        decoded.ok = false;
        decoded.error = QStringLiteral("its header names another device");
    }
    m_merged.insert(device, signature);
    if (!decoded.ok) {
        // One line per version of the file; it is read again when it changes.
        log(QStringLiteral("skipped %1: %2").arg(file, decoded.error));
        known.problem = decoded.error;
        Q_EMIT statusChanged();
        return;
    }
    known.problem.clear();
    if (!decoded.journal.name.isEmpty())
        known.name = decoded.journal.name;
    qsizetype held = 0;
    qint64 newest = known.lastChange;
    qint64 applied = 0;
    for (const SyncRecord &record : std::as_const(decoded.journal.records)) {
        if (!m_clock.receive(record.stamp)) {
            ++held;
            continue;
        }
        if (m_state.merge(record)) {
            changed->insert(SyncState::idOf(record.entity, record.key));
            if (!record.stamp.isBase() && record.stamp.wall > known.lastChange)
                ++applied;
        }
        if (!record.stamp.isBase())
            newest = std::max(newest, record.stamp.wall);
    }
    known.applied += applied;
    known.lastChange = newest;
    if (held > 0) {
        // Read again at the next look, by which time this clock may have caught up.
        m_merged.remove(device);
        known.problem = tr("%n changes wait: its clock is more than 48 hours ahead of this device's", nullptr, int(held));
        log(QStringLiteral("%1: %2").arg(file, known.problem));
    } else {
        m_cache.applyLater(device, signature);
    }
    m_cache.markDirty();
    Q_EMIT statusChanged();
}

void SyncEngine::applyToStore(const QSet<QString> &ids)
{
    if (ids.isEmpty() || !m_context)
        return;
    QList<const SyncState::Entity *> entities;
    entities.reserve(ids.size());
    for (const QString &id : ids) {
        const auto [entity, key] = split(id);
        if (const SyncState::Entity *found = m_state.find(entity, key))
            entities.append(found);
    }
    std::stable_sort(entities.begin(), entities.end(), [](const SyncState::Entity *a, const SyncState::Entity *b) {
        return applyOrder(a->entity) < applyOrder(b->entity);
    });
    ModelContext::OriginScope scope(m_context, ChangeOrigin::Remote);
    SyncEntities::Index index = SyncEntities::index(*m_context);
    for (const SyncState::Entity *entity : std::as_const(entities)) {
        if (entity->entity == SyncSchema::Setting)
            applySetting(*entity);
        else
            SyncEntities::apply(*m_context, index, *entity);
    }
}

void SyncEngine::applySetting(const SyncState::Entity &entity)
{
    const SyncState::Winner *winner = entity.field(Value);
    if (!winner)
        return;
    const std::optional<QString> current = m_options.defaults->stringValue(entity.key);
    m_applyingSettings = true;
    if (winner->value.isNull() && current)
        m_options.defaults->remove(entity.key);
    else if (winner->value.isString() && current != winner->value.toString())
        m_options.defaults->setValue(entity.key, winner->value.toString());
    m_applyingSettings = false;
}

void SyncEngine::capture()
{
    if (!m_context)
        return;
    if (!m_capture.hasPending()) {
        // Only the header changed (the device's name): the journal is written whole.
        if (m_journalDirty && m_context->isOpen()) {
            ensureLoaded();
            writeJournal();
        }
        return;
    }
    ensureLoaded();
    if (m_capture.capture(SyncEntities::index(*m_context)))
        m_journalDirty = true;
    if (m_journalDirty)
        writeJournal();
}

void SyncEngine::writeJournal()
{
    SyncJournal journal;
    journal.device = m_device;
    journal.name = deviceName(m_options.defaults);
    journal.written = m_clock.physicalNow();
    journal.records = m_state.ownRecords();
    QString error;
    // The master copy is written before the store commits what it records.
    if (!SyncFolder::writeAtomically(masterPath(), JournalCodec::encode(journal), &error)) {
        log(QStringLiteral("this device's journal %1 could not be written: %2").arg(masterPath(), error));
        return;
    }
    m_journalDirty = false;
    m_cache.setOwn(SyncFolder::signature(masterPath()));
    QTimer::singleShot(0, this, &SyncEngine::publish);
}

void SyncEngine::publish()
{
    if (m_folder.isEmpty() || !QFile::exists(masterPath()))
        return;
    if (!QDir(m_folder).exists()) {
        noteProblem(QStringLiteral("the folder %1 does not exist").arg(m_folder));
        return;
    }
    const QString target = QDir(m_folder).filePath(SyncFolder::journalName(m_device));
    QByteArray bytes;
    QString error;
    if (!SyncFolder::read(masterPath(), JournalCodec::MaxFileBytes, &bytes, &error)
        || !SyncFolder::writeAtomically(target, bytes, &error)) {
        noteProblem(tr("%1 could not be written: %2").arg(target, error));
        return;
    }
    noteProblem({});
    if (!m_watcher.directories().contains(m_folder))
        m_watcher.addPath(m_folder);
}

void SyncEngine::noteProblem(const QString &problem)
{
    if (problem == m_problem)
        return;
    if (!problem.isEmpty())
        log(problem);
    m_problem = problem;
    Q_EMIT statusChanged();
}
