#include "SyncCache.h"

#include "SyncSchema.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

namespace {
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

void SyncCache::read(const QString &folder)
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QJsonObject cache = QJsonDocument::fromJson(file.read(4 << 20)).object();
    m_own = signatureFrom(cache.value(QStringLiteral("own")));
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
    if (cache.value(QStringLiteral("folder")).toString() != folder)
        return;
    const QJsonObject files = cache.value(QStringLiteral("files")).toObject();
    for (auto it = files.begin(); it != files.end(); ++it)
        m_applied.insert(it.key(), signatureFrom(it.value()));
}

bool SyncCache::write(const QString &folder)
{
    QJsonObject files;
    for (auto it = m_applied.begin(); it != m_applied.end(); ++it)
        files.insert(it.key(), signatureJson(it.value()));
    QJsonObject devices;
    for (const SyncDevice &d : std::as_const(m_devices))
        devices.insert(d.id, QJsonObject{{QStringLiteral("name"), d.name},
                                         {QStringLiteral("lastChange"), double(d.lastChange)},
                                         {QStringLiteral("applied"), double(d.applied)}});
    const QJsonObject cache{{QStringLiteral("folder"), folder},
                            {QStringLiteral("own"), signatureJson(m_own)},
                            {QStringLiteral("files"), files},
                            {QStringLiteral("devices"), devices}};
    QString error;
    if (!SyncFolder::writeAtomically(m_path, QJsonDocument(cache).toJson(QJsonDocument::Compact), &error))
        return false;
    m_dirty = false;
    return true;
}

void SyncCache::applyLater(const QString &device, const SyncFolder::Signature &signature)
{
    m_pending.insert(device, signature);
    m_dirty = true;
}

void SyncCache::commitPending()
{
    for (auto it = m_pending.begin(); it != m_pending.end(); ++it)
        m_applied.insert(it.key(), it.value());
    m_pending.clear();
}

void SyncCache::forgetFolder()
{
    m_applied.clear();
    m_pending.clear();
    m_devices.clear();
    m_dirty = true;
}
