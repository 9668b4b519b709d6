#include "SyncEngine.h"

#include "JournalCodec.h"
#include "ModelContext.h"
#include "PersistentModel.h"
#include "PromptSyncService.h"
#include "SeedLibrary.h"
#include "SeedRecords.h"
#include "StoreLog.h"
#include "SyncSchema.h"
#include "UserDefaults.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSysInfo>

#include <algorithm>

namespace {
const QString AttributeFields[] = {QStringLiteral("favorite"), QStringLiteral("hidden"), QStringLiteral("lastUsed")};
const QString Uses = QStringLiteral("uses");
const QString Cleared = QStringLiteral("cleared");
const QString Value = QStringLiteral("value");

void log(const QString &text)
{
    StoreLog::line(QStringLiteral("Sync: ") + text);
}

SyncEntities::Fields defaultAttribute()
{
    return {{QStringLiteral("favorite"), false},
            {QStringLiteral("hidden"), false},
            {QStringLiteral("lastUsed"), QJsonValue::Null},
            {SyncEntities::Usage, 0}};
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

QJsonObject signatureJson(const SyncFolder::Signature &s)
{
    return {{QStringLiteral("size"), double(s.size)}, {QStringLiteral("modified"), double(s.modified)}};
}

SyncFolder::Signature signatureFrom(const QJsonValue &value)
{
    const QJsonObject o = value.toObject();
    if (!o.contains(QStringLiteral("size")))
        return {};
    return {qint64(o.value(QStringLiteral("size")).toDouble()), qint64(o.value(QStringLiteral("modified")).toDouble())};
}
} // namespace

SyncEngine::SyncEngine(const Options &options, QObject *parent)
    : QObject(parent), m_options(options), m_context(options.context)
{
    m_device = ensureDeviceId(m_options.defaults);
    m_clock.setDevice(m_device);
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
        for (auto it = m_pendingApplied.begin(); it != m_pendingApplied.end(); ++it)
            m_applied.insert(it.key(), it.value());
        m_pendingApplied.clear();
        if (m_cacheDirty)
            writeCache();
    });
}

SyncEngine::~SyncEngine()
{
    if (m_context && m_context->observer() == this)
        m_context->setObserver(nullptr);
}

QString SyncEngine::ensureDeviceId(UserDefaults *defaults)
{
    QString id = defaults->string(QLatin1String(DeviceIdKey));
    if (!SyncSchema::validDevice(id)) {
        id = QUuid::createUuid().toString(QUuid::WithoutBraces).toLower();
        defaults->setValue(QLatin1String(DeviceIdKey), id);
        defaults->sync();
    }
    return id;
}

QString SyncEngine::deviceName(UserDefaults *defaults)
{
    const QString name = defaults->string(QLatin1String(DeviceNameKey)).trimmed();
    return name.isEmpty() ? QSysInfo::machineHostName() : name;
}

QString SyncEngine::cachePath() const
{
    return QDir(m_options.localDir).filePath(QStringLiteral("state.json"));
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
    readCache();
    const SyncEntities::Index index = SyncEntities::index(*m_context);
    auto remember = [this, &index](const QString &entity, const auto &objects) {
        for (auto it = objects.begin(); it != objects.end(); ++it)
            if (std::optional<SyncEntities::Fields> fields = SyncEntities::read(index, entity, it.key()))
                m_baseline.insert(SyncState::idOf(entity, it.key()), *fields);
    };
    remember(SyncSchema::Prompt, index.prompts);
    remember(SyncSchema::Category, index.categories);
    remember(SyncSchema::Tag, index.tags);
    remember(SyncSchema::List, index.lists);
    remember(SyncSchema::Attribute, index.attributes);

    // Nothing is read while every file is the one applied last time.
    bool news = !QFile::exists(masterPath()) || SyncFolder::signature(masterPath()) != m_ownApplied;
    if (!m_folder.isEmpty()) {
        const QHash<QString, QString> files = SyncFolder::journals(m_folder);
        for (auto it = files.begin(); it != files.end() && !news; ++it)
            news = it.key() != m_device && SyncFolder::signature(it.value()) != m_applied.value(it.key());
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
        readFolder(SyncFolder::signature(masterPath()) != m_ownApplied);
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
    m_applied.clear();
    m_devices.clear();
    m_problem.clear();
    // Another folder holds other devices: what was merged from the old one stays applied,
    // and the state is rebuilt from this device's journal and the new folder.
    m_state.clear();
    m_loaded = false;
    if (!m_folder.isEmpty() && QDir(m_folder).exists())
        m_watcher.addPath(m_folder);
    m_cacheDirty = true;
    if (m_started) {
        readFolder();
        publish();
    }
    writeCache();
    Q_EMIT statusChanged();
}

SyncEngine::Status SyncEngine::status() const
{
    Status status;
    status.folder = m_folder;
    status.deviceId = m_device;
    status.deviceName = deviceName(m_options.defaults);
    status.problem = m_problem;
    for (const Device &device : m_devices)
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
        m_touched.insert(SyncState::idOf(entity, key));
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
    else
        absorb();
}

void SyncEngine::settingChanged(const QString &key)
{
    if (m_applyingSettings || !SyncSchema::settingTravels(key) || !m_context)
        return;
    const ChangeOrigin origin = m_context->origin();
    if (origin == ChangeOrigin::Shipped || origin == ChangeOrigin::Remote)
        return;
    m_touchedSettings.insert(key);
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
    if (joining || fresh)
        join();
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
        for (auto it = m_pendingApplied.begin(); it != m_pendingApplied.end(); ++it)
            m_applied.insert(it.key(), it.value());
        m_pendingApplied.clear();
        if (m_cacheDirty)
            writeCache();
    }
}

void SyncEngine::mergeFile(const QString &device, const QString &path, QSet<QString> *changed)
{
    const SyncFolder::Signature signature = SyncFolder::signature(path);
    if (signature.isNull() || m_merged.value(device) == signature)
        return;
    const QString file = QFileInfo(path).fileName();
    Device &known = m_devices[device];
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
        known.problem = QStringLiteral("%1 changes wait: its clock is more than 48 hours ahead of this device's").arg(held);
        log(QStringLiteral("%1: %2").arg(file, known.problem));
    } else {
        m_pendingApplied.insert(device, signature);
    }
    m_cacheDirty = true;
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
    if (!m_context || (m_touched.isEmpty() && m_touchedSettings.isEmpty()))
        return;
    ensureLoaded();
    const SyncEntities::Index index = SyncEntities::index(*m_context);
    const QSet<QString> touched = std::exchange(m_touched, {});
    for (const QString &id : touched) {
        const auto [entity, key] = split(id);
        captureEntity(index, entity, key);
    }
    captureSettings();
    if (m_journalDirty)
        writeJournal();
}

void SyncEngine::captureEntity(const SyncEntities::Index &index, const QString &entity, const QString &key)
{
    const QString id = SyncState::idOf(entity, key);
    const std::optional<SyncEntities::Fields> now = SyncEntities::read(index, entity, key);
    const auto before = m_baseline.constFind(id);
    const bool known = before != m_baseline.constEnd();
    if (entity == SyncSchema::Attribute) {
        captureAttribute(now.value_or(defaultAttribute()), known ? *before : defaultAttribute(), key);
    } else if (!now) {
        if (known && SyncSchema::deletable(entity))
            record(entity, key, SyncSchema::Deleted, true);
        m_baseline.remove(id);
        return;
    } else if (!known) {
        for (auto it = now->begin(); it != now->end(); ++it)
            record(entity, key, it.key(), it.value());
    } else if (*now != *before) {
        const SyncState::Entity *merged = m_state.find(entity, key);
        for (auto it = now->begin(); it != now->end(); ++it) {
            if (before->value(it.key()) != it.value())
                record(entity, key, it.key(), it.value());
            else if (!merged || !merged->field(it.key()))
                record(entity, key, it.key(), it.value(), true);
        }
    }
    if (now)
        m_baseline.insert(id, *now);
    else
        m_baseline.remove(id);
}

void SyncEngine::captureAttribute(const SyncEntities::Fields &now, const SyncEntities::Fields &before, const QString &key)
{
    for (const QString &field : AttributeFields)
        if (now.value(field) != before.value(field))
            record(SyncSchema::Attribute, key, field, now.value(field));
    const qint64 used = qint64(now.value(SyncEntities::Usage).toDouble());
    const qint64 usedBefore = qint64(before.value(SyncEntities::Usage).toDouble());
    if (used > usedBefore) {
        record(SyncSchema::Attribute, key, Uses, double(m_state.ownUses(key) + used - usedBefore));
    } else if (used < usedBefore) {
        // A count that went down was reset: what every device had counted so far is cleared.
        QJsonObject cleared;
        if (const SyncState::Entity *merged = m_state.find(SyncSchema::Attribute, key))
            for (auto it = merged->uses.begin(); it != merged->uses.end(); ++it)
                cleared.insert(it.key(), double(it.value()));
        cleared.insert(m_device, double(m_state.ownUses(key)));
        record(SyncSchema::Attribute, key, Cleared, cleared);
        if (used > 0)
            record(SyncSchema::Attribute, key, Uses, double(m_state.ownUses(key) + used));
    }
}

void SyncEngine::captureSettings()
{
    const QSet<QString> keys = std::exchange(m_touchedSettings, {});
    for (const QString &key : keys) {
        const std::optional<QString> value = m_options.defaults->stringValue(key);
        const QJsonValue now = value ? QJsonValue(*value) : QJsonValue(QJsonValue::Null);
        const SyncState::Entity *merged = m_state.find(SyncSchema::Setting, key);
        const SyncState::Winner *winner = merged ? merged->field(Value) : nullptr;
        if (winner ? winner->value != now : value.has_value())
            record(SyncSchema::Setting, key, Value, now);
    }
}

void SyncEngine::join()
{
    if (!m_context)
        return;
    const SyncEntities::Index index = SyncEntities::index(*m_context);
    for (auto it = index.attributes.begin(); it != index.attributes.end(); ++it) {
        const std::optional<SyncEntities::Fields> fields = SyncEntities::read(index, SyncSchema::Attribute, it.key());
        if (!fields || SyncEntities::isDefaultAttribute(*fields))
            continue;
        const SyncState::Entity *merged = m_state.find(SyncSchema::Attribute, it.key());
        const SyncEntities::Fields defaults = defaultAttribute();
        for (const QString &field : AttributeFields)
            if (fields->value(field) != defaults.value(field) && (!merged || !merged->field(field)))
                record(SyncSchema::Attribute, it.key(), field, fields->value(field));
        // Before its journal existed, every use counted here was this device's own.
        const qint64 used = qint64(fields->value(SyncEntities::Usage).toDouble());
        if (used > m_state.ownUses(it.key()))
            record(SyncSchema::Attribute, it.key(), Uses, double(used));
    }
    // Content that is not the shipped library's is the user's own.
    QSet<QString> shipped;
    const SeedLibrary::Files files = SeedLibrary::load();
    if (files.ok()) {
        if (const std::optional<PromptsRoot> prompts = PromptsRoot::decode(files.prompts))
            for (const SeedPrompt &p : prompts->prompts)
                shipped.insert(SyncState::idOf(SyncSchema::Prompt, uuidText(PromptSyncService::idForSeed(p.id))));
        if (const std::optional<DataRoot> data = DataRoot::decode(files.data)) {
            for (const SeedCategory &c : data->categories)
                shipped.insert(SyncState::idOf(SyncSchema::Category, uuidText(PromptSyncService::idForSeed(c.id))));
            for (const QString &tag : data->tags)
                shipped.insert(SyncState::idOf(SyncSchema::Tag, tag));
            const QMap<QString, QStringList> lists = data->globalLists();
            for (auto it = lists.begin(); it != lists.end(); ++it)
                shipped.insert(SyncState::idOf(SyncSchema::List, it.key()));
        }
    }
    auto own = [&](const QString &entity, const auto &objects) {
        for (auto it = objects.begin(); it != objects.end(); ++it) {
            const QString id = SyncState::idOf(entity, it.key());
            if (shipped.contains(id) || m_state.find(entity, it.key()))
                continue;
            if (const std::optional<SyncEntities::Fields> fields = SyncEntities::read(index, entity, it.key()))
                for (auto f = fields->begin(); f != fields->end(); ++f)
                    record(entity, it.key(), f.key(), f.value());
        }
    };
    own(SyncSchema::Category, index.categories);
    own(SyncSchema::Tag, index.tags);
    own(SyncSchema::List, index.lists);
    own(SyncSchema::Prompt, index.prompts);
    const QStringList keys = m_options.defaults->keys();
    for (const QString &key : keys)
        if (SyncSchema::settingTravels(key) && !m_state.find(SyncSchema::Setting, key))
            record(SyncSchema::Setting, key, Value, m_options.defaults->string(key));
    // Whatever the folder knew before is taken over; the journal exists from now on.
    m_journalDirty = true;
}

void SyncEngine::absorb()
{
    if (!m_context)
        return;
    const SyncEntities::Index index = SyncEntities::index(*m_context);
    const QSet<QString> touched = std::exchange(m_touched, {});
    for (const QString &id : touched) {
        const auto [entity, key] = split(id);
        if (std::optional<SyncEntities::Fields> fields = SyncEntities::read(index, entity, key))
            m_baseline.insert(id, *fields);
        else
            m_baseline.remove(id);
    }
}

void SyncEngine::record(const QString &entity, const QString &key, const QString &field, const QJsonValue &value,
                        bool base)
{
    SyncRecord r;
    r.stamp = base ? HlcStamp{0, 0, m_device} : m_clock.now();
    r.entity = entity;
    r.key = key;
    r.field = field;
    r.value = value;
    m_state.merge(r, true);
    m_journalDirty = true;
    ++m_newRecords;
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
    m_ownApplied = SyncFolder::signature(masterPath());
    m_cacheDirty = true;
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
        noteProblem(QStringLiteral("%1 could not be written: %2").arg(target, error));
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

void SyncEngine::readCache()
{
    QFile file(cachePath());
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QJsonObject cache = QJsonDocument::fromJson(file.read(4 << 20)).object();
    m_ownApplied = signatureFrom(cache.value(QStringLiteral("own")));
    const QJsonObject devices = cache.value(QStringLiteral("devices")).toObject();
    for (auto it = devices.begin(); it != devices.end(); ++it) {
        const QJsonObject d = it.value().toObject();
        if (!SyncSchema::validDevice(it.key()))
            continue;
        m_devices.insert(it.key(), {it.key(), d.value(QStringLiteral("name")).toString(),
                                    qint64(d.value(QStringLiteral("lastChange")).toDouble()),
                                    qint64(d.value(QStringLiteral("applied")).toDouble()), {}});
    }
    // Files applied from another folder say nothing about this one.
    if (cache.value(QStringLiteral("folder")).toString() != m_folder)
        return;
    const QJsonObject files = cache.value(QStringLiteral("files")).toObject();
    for (auto it = files.begin(); it != files.end(); ++it)
        m_applied.insert(it.key(), signatureFrom(it.value()));
}

void SyncEngine::writeCache()
{
    QJsonObject files;
    for (auto it = m_applied.begin(); it != m_applied.end(); ++it)
        files.insert(it.key(), signatureJson(it.value()));
    QJsonObject devices;
    for (const Device &d : std::as_const(m_devices))
        devices.insert(d.id, QJsonObject{{QStringLiteral("name"), d.name},
                                         {QStringLiteral("lastChange"), double(d.lastChange)},
                                         {QStringLiteral("applied"), double(d.applied)}});
    const QJsonObject cache{{QStringLiteral("folder"), m_folder},
                            {QStringLiteral("own"), signatureJson(m_ownApplied)},
                            {QStringLiteral("files"), files},
                            {QStringLiteral("devices"), devices}};
    QString error;
    if (SyncFolder::writeAtomically(cachePath(), QJsonDocument(cache).toJson(QJsonDocument::Compact), &error))
        m_cacheDirty = false;
}
