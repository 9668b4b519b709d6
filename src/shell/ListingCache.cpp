#include "ListingCache.h"

#include "BinaryStream.h"
#include "ModelContext.h"
#include "NameCollator.h"
#include "PromptSearch.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <array>

namespace {
constexpr std::array<char, 8> Magic = {'V', 'O', 'R', 'N', 'L', 'I', 'S', 'T'};
// Raised whenever what is written changes.
constexpr quint32 Format = 1;

struct Key {
    qint64 stamp = 0;
    qint64 programSize = 0;
    qint64 programTime = 0;
    std::string locale;

    bool operator==(const Key &) const = default;
};

Key keyFor(qint64 stamp)
{
    // The running program's own file: a rebuild may index, fold or rank otherwise.
    const QFileInfo program(QStringLiteral("/proc/self/exe"));
    return {stamp, program.size(), program.lastModified().toMSecsSinceEpoch(),
            NameCollator::collator().locale().name().toStdString()};
}

void put(BinaryStream &out, const Key &key)
{
    out.put(Magic);
    out.put(Format);
    out.put(key.stamp);
    out.put(key.programSize);
    out.put(key.programTime);
    out.putArray(key.locale);
}

bool readKey(BinaryStream &in, Key &key)
{
    std::array<char, 8> magic{};
    quint32 format = 0;
    std::string_view locale;
    if (!in.get(magic) || magic != Magic || !in.get(format) || format != Format || !in.get(key.stamp)
        || !in.get(key.programSize) || !in.get(key.programTime) || !in.view(locale))
        return false;
    key.locale = std::string(locale);
    return true;
}
} // namespace

QString ListingCache::pathFor(const QString &storePath)
{
    return storePath + QStringLiteral("-listing");
}

std::optional<StoredPromptSearch> ListingCache::load(const QString &storePath, qint64 stamp)
{
    // Mapped, not read: the search then touches only what it looks at (of the places words
    // occur, and of the titles and IDs, the few it finds).
    auto file = std::make_shared<QFile>(pathFor(storePath));
    if (!file->open(QIODevice::ReadOnly))
        return std::nullopt;
    const qint64 size = file->size();
    const uchar *bytes = size > 0 ? file->map(0, size) : nullptr;
    if (!bytes)
        return std::nullopt;
    BinaryStream in(std::span<const char>(reinterpret_cast<const char *>(bytes), size_t(size)));
    Key key;
    if (!readKey(in, key) || !(key == keyFor(stamp)))
        return std::nullopt;
    std::optional<StoredPromptSearch> search = StoredPromptSearch::readFrom(in, file);
    // Whole, to its last byte.
    if (!search || !in.ok() || !in.atEnd())
        return std::nullopt;
    return search;
}

bool ListingCache::save(const QString &storePath, qint64 stamp, const StoredPromptSearch &search)
{
    QSaveFile file(pathFor(storePath));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    BinaryStream out(file);
    put(out, keyFor(stamp));
    search.writeTo(out);
    if (!out.ok()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool ListingCache::keep(PromptSearch &search, const ModelContext &context, const QString &storePath)
{
    const std::optional<qint64> stamp = context.saveStamp();
    if (storePath == QLatin1String(ModelContext::InMemory) || !stamp || context.hasChanges() || !search.index()
        || !search.index()->isBuilt())
        return false;
    search.prepare(std::nullopt);
    if (!search.isCurrent())
        return false;
    search.index()->build(); // made again when a text changed since
    return save(storePath, *stamp, StoredPromptSearch(search));
}
