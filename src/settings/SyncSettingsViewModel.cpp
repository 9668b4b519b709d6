#include "SyncSettingsViewModel.h"

#include "DataController.h"
#include "SyncEngine.h"
#include "SyncFolder.h"
#include "UserDefaults.h"

#include <QDateTime>
#include <QDir>
#include <QLocale>
#include <QSysInfo>
#include <QVariantMap>

SyncSettingsViewModel::SyncSettingsViewModel(QObject *parent)
    : SyncSettingsViewModel(DataController::shared(), UserDefaults::standard(), parent)
{
}

SyncSettingsViewModel::SyncSettingsViewModel(DataController *data, UserDefaults *defaults, QObject *parent)
    : QObject(parent), m_data(data), m_defaults(defaults)
{
    connect(m_defaults, &UserDefaults::valueChanged, this, [this](const QString &key) {
        if (key == QLatin1String(SyncEngine::FolderKey) || key == QLatin1String(SyncEngine::DeviceNameKey)
            || key == QLatin1String(SyncEngine::DeviceIdKey))
            Q_EMIT changed();
    });
    if (m_data) {
        connect(m_data, &DataController::syncEngineChanged, this, [this] {
            follow(m_data->syncEngine());
            Q_EMIT changed();
        });
        follow(m_data->syncEngine());
    }
}

SyncSettingsViewModel::~SyncSettingsViewModel() = default;

void SyncSettingsViewModel::follow(SyncEngine *engine)
{
    if (engine == m_engine)
        return;
    disconnect(m_engineConnection);
    m_engine = engine;
    if (engine)
        m_engineConnection = connect(engine, &SyncEngine::statusChanged, this, &SyncSettingsViewModel::changed);
}

QString SyncSettingsViewModel::folder() const
{
    return m_engine ? m_engine->folder() : m_defaults->string(QLatin1String(SyncEngine::FolderKey));
}

QString SyncSettingsViewModel::folderText() const
{
    const QString path = folder();
    return path.isEmpty() ? tr("Off") : QDir::toNativeSeparators(path);
}

QUrl SyncSettingsViewModel::dialogFolder() const
{
    const QString path = folder();
    return QUrl::fromLocalFile(path.isEmpty() || !QDir(path).exists() ? QDir::homePath() : path);
}

QString SyncSettingsViewModel::deviceName() const
{
    return SyncEngine::deviceName(m_defaults);
}

void SyncSettingsViewModel::setDeviceName(const QString &name)
{
    const QString clean = name.simplified();
    if (clean == deviceName() && (!clean.isEmpty() || !m_defaults->contains(QLatin1String(SyncEngine::DeviceNameKey))))
        return;
    if (clean.isEmpty() || clean == hostName())
        m_defaults->remove(QLatin1String(SyncEngine::DeviceNameKey));
    else
        m_defaults->setValue(QLatin1String(SyncEngine::DeviceNameKey), clean);
    m_defaults->sync();
}

QString SyncSettingsViewModel::hostName()
{
    return QSysInfo::machineHostName();
}

QVariantList SyncSettingsViewModel::devices() const
{
    QVariantList list;
    if (!m_engine)
        return list;
    const QLocale locale;
    for (const SyncEngine::Device &device : m_engine->status().devices) {
        const QString when = device.lastChange > 0
                                 ? locale.toString(QDateTime::fromMSecsSinceEpoch(device.lastChange), QLocale::ShortFormat)
                                 : tr("No change yet");
        list.append(QVariantMap{{QStringLiteral("id"), device.id},
                                {QStringLiteral("name"), device.name.isEmpty() ? device.id : device.name},
                                {QStringLiteral("lastChange"), when},
                                {QStringLiteral("problem"), device.problem}});
    }
    return list;
}

QString SyncSettingsViewModel::problem() const
{
    return m_engine ? m_engine->status().problem : QString();
}

bool SyncSettingsViewModel::chooseFolder(const QUrl &url)
{
    const QString path = url.isLocalFile() ? url.toLocalFile() : url.toString();
    switch (SyncFolder::usability(path)) {
    case SyncFolder::Usability::NotAFolder:
        setMessage(tr("“%1” is not a folder.").arg(QDir::toNativeSeparators(path)));
        return false;
    case SyncFolder::Usability::NotWritable:
        setMessage(tr("The folder “%1” cannot be written.").arg(QDir::toNativeSeparators(path)));
        return false;
    case SyncFolder::Usability::Usable:
        break;
    }
    SyncEngine *engine = m_data ? m_data->enableSync(path) : nullptr;
    if (!engine) {
        setMessage(tr("The library is not open."));
        return false;
    }
    follow(engine);
    engine->syncNow();
    const QString trouble = engine->status().problem;
    setMessage(trouble.isEmpty() ? tr("Syncing through “%1”.").arg(folderText()) : trouble);
    Q_EMIT changed();
    return trouble.isEmpty();
}

void SyncSettingsViewModel::turnOff()
{
    if (m_engine)
        m_engine->setFolder({});
    else
        m_defaults->remove(QLatin1String(SyncEngine::FolderKey));
    setMessage(tr("Sync is off. This device's changes are kept and written to the folder when you choose it again."));
    Q_EMIT changed();
}

void SyncSettingsViewModel::syncNow()
{
    if (!m_engine || m_engine->folder().isEmpty()) {
        setMessage(tr("Choose a folder first."));
        return;
    }
    m_engine->syncNow();
    const SyncEngine::Status status = m_engine->status();
    const int count = int(status.devices.size());
    if (!status.problem.isEmpty())
        setMessage(status.problem);
    else if (count == 0)
        setMessage(tr("Synced. No other device has written to the folder yet."));
    else
        setMessage(count == 1 ? tr("Synced with 1 other device.") : tr("Synced with %1 other devices.").arg(count));
    Q_EMIT changed();
}

void SyncSettingsViewModel::setMessage(const QString &message)
{
    m_message = message;
    Q_EMIT messageChanged();
}
