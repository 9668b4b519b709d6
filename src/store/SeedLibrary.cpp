#include "SeedLibrary.h"

#include <QFile>
#include <QFileInfo>

namespace {
SeedLibrary::Status readWhole(const QString &path, QByteArray &out, QString &error)
{
    QFile file(path);
    if (!file.exists()) {
        error = QStringLiteral("%1 not found").arg(path);
        return SeedLibrary::Status::Missing;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return SeedLibrary::Status::Unreadable;
    }
    out = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return SeedLibrary::Status::Unreadable;
    }
    return SeedLibrary::Status::Ok;
}
} // namespace

QString SeedLibrary::directory()
{
    const QString dir = qEnvironmentVariable("VORN_SEED_DIR");
    return dir.isEmpty() ? QStringLiteral(":/seed") : dir;
}

QString SeedLibrary::promptsPath()
{
    return directory() + QStringLiteral("/prompts.json");
}

QString SeedLibrary::dataPath()
{
    return directory() + QStringLiteral("/data.json");
}

SeedLibrary::Files SeedLibrary::load()
{
    Files files;
    // A missing file is reported before an unreadable one, whichever of the two it is.
    const QString prompts = promptsPath();
    const QString data = dataPath();
    if (!QFileInfo::exists(prompts) || !QFileInfo::exists(data)) {
        files.status = Status::Missing;
        files.error = QStringLiteral("%1 not found").arg(QFileInfo::exists(prompts) ? data : prompts);
        return files;
    }
    files.status = readWhole(prompts, files.prompts, files.error);
    if (files.status == Status::Ok)
        files.status = readWhole(data, files.data, files.error);
    if (!files.ok()) {
        files.prompts.clear();
        files.data.clear();
    }
    return files;
}
