#include "SyncFolder.h"

#include "SyncSchema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {
const QString Prefix = QStringLiteral("vorn-");
const QString Suffix = QStringLiteral(".journal");
} // namespace

SyncFolder::Usability SyncFolder::usability(const QString &path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isDir())
        return Usability::NotAFolder;
    return info.isWritable() ? Usability::Usable : Usability::NotWritable;
}

QString SyncFolder::journalName(const QString &device)
{
    return Prefix + device + Suffix;
}

QString SyncFolder::deviceOf(const QString &fileName)
{
    if (!fileName.startsWith(Prefix) || !fileName.endsWith(Suffix))
        return {};
    const QString device = fileName.mid(Prefix.size(), fileName.size() - Prefix.size() - Suffix.size());
    return SyncSchema::validDevice(device) ? device : QString();
}

QHash<QString, QString> SyncFolder::journals(const QString &folder)
{
    QHash<QString, QString> out;
    const QDir dir(folder);
    const QStringList names = dir.entryList({Prefix + QLatin1Char('*') + Suffix}, QDir::Files | QDir::Hidden);
    for (const QString &name : names)
        if (const QString device = deviceOf(name); !device.isEmpty())
            out.insert(device, dir.filePath(name));
    return out;
}

SyncFolder::Signature SyncFolder::signature(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    return {info.size(), info.lastModified().toMSecsSinceEpoch()};
}

bool SyncFolder::read(const QString &path, qint64 maxBytes, QByteArray *bytes, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return false;
    }
    // Read one byte past the limit: the file may grow between a size check and the read.
    *bytes = file.read(maxBytes + 1);
    if (bytes->size() > maxBytes) {
        *error = QStringLiteral("larger than %1 MiB").arg(maxBytes >> 20);
        bytes->clear();
        return false;
    }
    return true;
}

bool SyncFolder::writeAtomically(const QString &path, const QByteArray &bytes, QString *error)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        *error = QStringLiteral("cannot create the folder %1").arg(QFileInfo(path).absolutePath());
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}
