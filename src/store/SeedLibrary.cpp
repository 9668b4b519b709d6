#include "SeedLibrary.h"

#include "JsonWalk.h"
#include "SeedRecords.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>

#include <functional>

#include <sys/mman.h>
#include <unistd.h>

namespace {
struct Summary {
    QString version = SeedLibrary::noVersion();
    qsizetype prompts = -1; // no "prompts" array
};

// The metadata version and prompt count of one seed file, or nothing when its layout is not
// the expected one. `passed`, when given, learns after each prompt how far the walk has read
// (it never reads back).
std::optional<Summary> summarise(QByteArrayView json, const std::function<void(const char *)> &passed = {})
{
    JsonWalk walk(json);
    Summary out;
    if (!walk.take('{'))
        return std::nullopt;
    if (walk.take('}'))
        return out;
    do {
        const QByteArrayView key = walk.string();
        if (!walk.ok() || !walk.take(':'))
            return std::nullopt;
        if (key == QByteArrayView("metadata")) {
            walk.space();
            const char *start = walk.position();
            walk.value();
            if (!walk.ok())
                return std::nullopt;
            const QJsonDocument document =
                QJsonDocument::fromJson(QByteArray::fromRawData(start, walk.position() - start));
            QString error;
            const std::optional<SeedMetadata> metadata =
                document.isObject() ? SeedMetadata::fromJson(document.object(), QString(), &error) : std::nullopt;
            if (!metadata)
                return std::nullopt;
            out.version = metadata->version;
        } else if (key == QByteArrayView("prompts")) {
            if (!walk.take('['))
                return std::nullopt;
            out.prompts = 0;
            if (!walk.take(']')) {
                do {
                    if (!walk.peek('{'))
                        return std::nullopt;
                    walk.value();
                    ++out.prompts;
                    if (passed)
                        passed(walk.position());
                } while (walk.ok() && walk.take(','));
                if (!walk.take(']'))
                    return std::nullopt;
            }
        } else {
            walk.value();
        }
    } while (walk.ok() && walk.take(','));
    if (!walk.ok() || !walk.take('}') || !walk.atEnd())
        return std::nullopt;
    return out;
}

// The file's bytes, mapped when it can be (a plain file, an uncompressed resource).
struct FileBytes {
    QFile file;
    QByteArray read;
    QByteArrayView bytes;
    bool releasable = false;
    const char *released = nullptr;
    // Hands the mapped pages before `upTo` back once a few megabytes have been read: a walk
    // through a large file would otherwise keep all of it resident (the pages stay in the
    // page cache; read again, they come back from there).
    void release(const char *upTo)
    {
        constexpr qsizetype Step = 8 * 1024 * 1024;
        if (!releasable)
            return;
        const qsizetype page = qsizetype(::sysconf(_SC_PAGESIZE));
        const char *from = released ? released : bytes.data();
        const char *end = bytes.data() + ((upTo - bytes.data()) / page) * page;
        if (end - from < Step)
            return;
        // The mapping starts on a page boundary, so does everything up to `end`.
        ::madvise(const_cast<char *>(from), size_t(end - from), MADV_DONTNEED);
        released = end;
    }
    bool open(const QString &path)
    {
        file.setFileName(path);
        if (!file.open(QIODevice::ReadOnly))
            return false;
        if (file.size() > 0)
            if (const uchar *mapped = file.map(0, file.size())) {
                bytes = QByteArrayView(reinterpret_cast<const char *>(mapped), file.size());
                releasable = !path.startsWith(QLatin1Char(':'));
                return true;
            }
        read = file.readAll();
        bytes = read;
        return file.error() == QFileDevice::NoError;
    }
};

std::optional<SeedLibrary::Versions> versionsFrom(QByteArrayView prompts, QByteArrayView data,
                                                 const std::function<void(const char *)> &passedPrompts)
{
    const std::optional<Summary> promptsFile = summarise(prompts, passedPrompts);
    if (!promptsFile || promptsFile->prompts < 0)
        return std::nullopt;
    const std::optional<Summary> dataFile = summarise(data);
    if (!dataFile)
        return std::nullopt;
    return SeedLibrary::Versions{promptsFile->version, dataFile->version, promptsFile->prompts};
}

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

std::optional<SeedLibrary::Versions> SeedLibrary::versionsOf(QByteArrayView prompts, QByteArrayView data)
{
    return versionsFrom(prompts, data, {});
}

std::optional<SeedLibrary::Versions> SeedLibrary::versions()
{
    FileBytes prompts;
    FileBytes data;
    if (!prompts.open(promptsPath()) || !data.open(dataPath()))
        return std::nullopt;
    return versionsFrom(prompts.bytes, data.bytes, [&prompts](const char *upTo) { prompts.release(upTo); });
}
