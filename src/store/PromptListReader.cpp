#include "PromptListReader.h"

#include "ModelContext.h"

#include <QHash>

#include <algorithm>

namespace {
QDateTime dateAt(const SqliteDatabase::Statement &stmt, int column)
{
    return stmt.isNull(column) ? QDateTime() : QDateTime::fromMSecsSinceEpoch(stmt.int64(column), Qt::UTC);
}
} // namespace

bool PromptListReader::open(const QString &path, QString *why)
{
    if (!m_db.openReadOnly(path, why))
        return false;
    // The snapshot starts with the first read and lasts until the reader goes.
    if (!m_db.exec(QStringLiteral("BEGIN"), why))
        return false;
    const qint64 version = m_db.scalar(QStringLiteral("PRAGMA user_version"), why);
    if (version != ModelContext::SchemaVersion) {
        if (why && version >= 0)
            *why = QStringLiteral("schema %1").arg(version);
        return false;
    }
    return true;
}

std::optional<PromptListReader::Listing> PromptListReader::read(bool withTemplates, QString *why)
{
    Listing out;
    QHash<qint64, quint32> categories;
    QHash<qint64, quint32> tags;
    QHash<qint64, size_t> prompts;
    const auto label = [&out](QHash<qint64, quint32> &byRow) {
        return [&out, &byRow](const SqliteDatabase::Statement &s) {
            byRow.insert(s.int64(0), quint32(out.labelNames.size()));
            out.labelNames.append(s.text(1));
        };
    };
    bool ok = m_db.forEachRow("SELECT row, name FROM category ORDER BY row", why, label(categories));
    out.categoryCount = out.labelNames.size();
    ok = ok && m_db.forEachRow("SELECT row, name FROM tag ORDER BY row", why, label(tags));
    // Made once at its size: grown row by row, the list would pass through copies of itself.
    out.prompts.reserve(size_t(std::max<qint64>(0, m_db.scalar(QStringLiteral("SELECT count(*) FROM prompt"), why))));
    const char *const promptSql =
        withTemplates ? "SELECT row, id, title, description, is_hot, is_active, template FROM prompt ORDER BY row"
                      : "SELECT row, id, title, description, is_hot, is_active FROM prompt ORDER BY row";
    ok = ok && m_db.forEachRow(promptSql, why, [&](const SqliteDatabase::Statement &s) {
        Entry entry;
        entry.row = s.int64(0);
        entry.id = QUuid::fromString(s.utf8(1));
        entry.title = s.text(2);
        entry.description = s.text(3);
        entry.hot = s.int64(4);
        entry.active = s.int64(5);
        if (withTemplates)
            entry.templateText = s.text(6);
        prompts.insert(entry.row, out.prompts.size());
        out.prompts.push_back(std::move(entry));
    });
    // Categories before tags, each list in its stored positions.
    const auto link = [&](QHash<qint64, quint32> &byRow) {
        return [&](const SqliteDatabase::Statement &s) {
            const auto prompt = prompts.constFind(s.int64(0));
            const auto linked = byRow.constFind(s.int64(1));
            if (prompt != prompts.cend() && linked != byRow.cend())
                out.prompts[*prompt].labels.push_back(*linked);
        };
    };
    ok = ok
         && m_db.forEachRow("SELECT prompt_row, category_row FROM prompt_category ORDER BY prompt_row, position", why,
                    link(categories))
         && m_db.forEachRow("SELECT prompt_row, tag_row FROM prompt_tag ORDER BY prompt_row, position", why, link(tags))
         && m_db.forEachRow("SELECT target_id, prompt_row, is_favorite, last_used_at, usage_count, is_hidden "
                    "FROM user_attribute ORDER BY row", // untranslated: SQL
                    why, [&](const SqliteDatabase::Statement &s) {
                        const bool hidden = s.int64(5);
                        if (hidden)
                            out.hiddenTargets.insert(QUuid::fromString(s.utf8(0)));
                        const auto prompt = s.isNull(1) ? prompts.cend() : prompts.constFind(s.int64(1));
                        if (prompt == prompts.cend())
                            return;
                        Entry &entry = out.prompts[*prompt];
                        entry.favorite = s.int64(2);
                        entry.lastUsed = dateAt(s, 3);
                        entry.uses = s.int64(4);
                        entry.hidden = hidden;
                    });
    if (!ok)
        return std::nullopt;
    return out;
}

std::optional<qint64> PromptListReader::saveStamp()
{
    std::optional<qint64> stamp;
    if (!m_db.forEachRow("SELECT stamp FROM save_stamp", nullptr, [&](const SqliteDatabase::Statement &s) { stamp = s.int64(0); }))
        return std::nullopt;
    return stamp;
}

std::optional<PromptListReader::Details> PromptListReader::details(qint64 row, QString *why)
{
    SqliteDatabase::Statement &stmt = m_db.cached(
        "SELECT template, created_at, updated_at, is_new, is_updated FROM prompt WHERE row = ?", why);
    if (!stmt.isValid())
        return std::nullopt;
    stmt.bind(1, row);
    if (!stmt.step()) {
        if (why)
            *why = stmt.error().isEmpty() ? QStringLiteral("no prompt in row %1").arg(row) : stmt.error();
        return std::nullopt;
    }
    Details out;
    out.templateText = stmt.text(0);
    out.createdAt = dateAt(stmt, 1);
    out.updatedAt = dateAt(stmt, 2);
    out.isNew = stmt.int64(3);
    out.updated = stmt.int64(4);
    stmt.reset();
    return out;
}
