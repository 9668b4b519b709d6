#include "StoreRepository.h"

#include "Prompt.h"
#include "PromptCategory.h"
#include "PromptGlobalVariable.h"
#include "PromptTag.h"
#include "SqliteDatabase.h"
#include "UserAttribute.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>

#include <variant>

namespace {
const char *const SchemaV1 = R"SQL(
CREATE TABLE prompt(row INTEGER PRIMARY KEY, id TEXT NOT NULL, title TEXT NOT NULL,
    description TEXT NOT NULL, template TEXT NOT NULL, created_at INTEGER, updated_at INTEGER,
    is_hot INTEGER NOT NULL, is_active INTEGER NOT NULL, is_new INTEGER NOT NULL,
    is_updated INTEGER NOT NULL, external_id TEXT);
CREATE TABLE category(row INTEGER PRIMARY KEY, id TEXT NOT NULL, name TEXT NOT NULL,
    icon_symbol TEXT NOT NULL, description TEXT, sort_order INTEGER NOT NULL);
CREATE TABLE tag(row INTEGER PRIMARY KEY, name TEXT NOT NULL);
CREATE TABLE global_variable(row INTEGER PRIMARY KEY, key TEXT NOT NULL, vals TEXT NOT NULL);
CREATE TABLE user_attribute(row INTEGER PRIMARY KEY, target_id TEXT NOT NULL, prompt_row INTEGER,
    category_row INTEGER, is_favorite INTEGER NOT NULL, last_used_at INTEGER,
    usage_count INTEGER NOT NULL, is_hidden INTEGER NOT NULL);
CREATE TABLE prompt_category(prompt_row INTEGER NOT NULL, category_row INTEGER NOT NULL,
    position INTEGER NOT NULL);
CREATE TABLE prompt_tag(prompt_row INTEGER NOT NULL, tag_row INTEGER NOT NULL,
    position INTEGER NOT NULL);
CREATE INDEX prompt_category_by_prompt ON prompt_category(prompt_row);
CREATE INDEX prompt_category_by_category ON prompt_category(category_row);
CREATE INDEX prompt_tag_by_prompt ON prompt_tag(prompt_row);
CREATE INDEX prompt_tag_by_tag ON prompt_tag(tag_row);
)SQL";

// Required text columns: an empty QString may be null, which SQLite would store as NULL.
QString required(const QString &text)
{
    return text.isNull() ? QStringLiteral("") : text;
}

qint64 msecs(const QDateTime &at)
{
    return at.toMSecsSinceEpoch();
}

QDateTime dateAt(const SqliteDatabase::Statement &stmt, int column)
{
    if (stmt.isNull(column))
        return {};
    // In UTC: a local time would look the time zone up for every value loaded; what shows a
    // date converts it to local time itself.
    return QDateTime::fromMSecsSinceEpoch(stmt.int64(column), Qt::UTC);
}

QString valuesText(const QStringList &values)
{
    return QString::fromUtf8(
        QJsonDocument(QJsonArray::fromStringList(values)).toJson(QJsonDocument::Compact));
}

QStringList valuesFromText(const QString &text)
{
    QStringList out;
    for (const QJsonValue &value : QJsonDocument::fromJson(text.toUtf8()).array())
        out.append(value.toString());
    return out;
}
} // namespace

bool StoreRepository::createSchema(int version, QString *error)
{
    return m_db.exec(QString::fromLatin1(SchemaV1), error) && ensureSaveStamp(error)
           && m_db.exec(QStringLiteral("PRAGMA user_version = %1").arg(version), error);
}

bool StoreRepository::ensureSaveStamp(QString *error)
{
    const qint64 present =
        m_db.scalar(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = 'save_stamp'"),
                    error);
    if (present != 0)
        return present > 0;
    return m_db.exec(QStringLiteral("CREATE TABLE save_stamp(stamp INTEGER NOT NULL);"
                                    "INSERT INTO save_stamp VALUES(random());"),
                     error);
}

namespace {
std::optional<qint64> stampFrom(SqliteDatabase &db, const char *sql, QString *error)
{
    std::optional<qint64> stamp;
    if (!db.forEachRow(sql, error, [&](const SqliteDatabase::Statement &s) { stamp = s.int64(0); }))
        return std::nullopt;
    if (!stamp && error)
        *error = QStringLiteral("the store has no save stamp");
    return stamp;
}
} // namespace

std::optional<qint64> StoreRepository::saveStamp()
{
    return stampFrom(m_db, "SELECT stamp FROM save_stamp", nullptr);
}

std::optional<qint64> StoreRepository::renewSaveStamp(QString *error)
{
    return stampFrom(m_db, "UPDATE save_stamp SET stamp = random() RETURNING stamp", error);
}

bool StoreRepository::loadAll(ObjectLists &out, QString *error)
{
    QHash<qint64, PromptCategory *> categories;
    QHash<qint64, PromptTag *> tags;
    QHash<qint64, Prompt *> prompts;
    auto keep = [&out](PersistentModel *object, qint64 row) {
        object->m_rowId = row;
        out[int(object->modelType())].append(object);
    };

    bool ok = m_db.forEachRow("SELECT row, id, name, icon_symbol, description, sort_order FROM category ORDER BY row", error,
                         [&](const SqliteDatabase::Statement &s) {
                             auto *c = new PromptCategory;
                             c->m_id = QUuid::fromString(s.text(1));
                             c->m_name = s.text(2);
                             c->m_iconSymbol = s.text(3);
                             c->m_categoryDescription = s.text(4);
                             c->m_sortOrder = s.int64(5);
                             categories.insert(s.int64(0), c);
                             keep(c, s.int64(0));
                         })
              && m_db.forEachRow("SELECT row, name FROM tag ORDER BY row", error,
                            [&](const SqliteDatabase::Statement &s) {
                                auto *t = new PromptTag;
                                t->setName(s.text(1));
                                tags.insert(s.int64(0), t);
                                keep(t, s.int64(0));
                            })
              && m_db.forEachRow("SELECT row, key, vals FROM global_variable ORDER BY row", error,
                            [&](const SqliteDatabase::Statement &s) {
                                keep(new PromptGlobalVariable(s.text(1), valuesFromText(s.text(2))), s.int64(0));
                            })
              && m_db.forEachRow("SELECT row, id, title, description, created_at, updated_at, is_hot, "
                            "is_active, is_new, is_updated, external_id FROM prompt ORDER BY row",
                            error, [&](const SqliteDatabase::Statement &s) {
                                auto *p = new Prompt;
                                p->m_id = QUuid::fromString(s.text(1));
                                p->m_title = s.text(2);
                                p->m_promptDescription = s.text(3);
                                p->m_templateHeld = false; // read when asked for
                                p->m_createdAt = dateAt(s, 4);
                                p->m_updatedAt = dateAt(s, 5);
                                p->m_isHot = s.int64(6);
                                p->m_isActive = s.int64(7);
                                p->m_isNew = s.int64(8);
                                p->m_isUpdated = s.int64(9);
                                p->m_externalId = s.text(10);
                                prompts.insert(s.int64(0), p);
                                keep(p, s.int64(0));
                            });
    if (!ok)
        return false;

    // Links, collected per prompt so each list is set once, in stored position order.
    QHash<Prompt *, QList<PromptCategory *>> promptCategories;
    QHash<Prompt *, QList<PromptTag *>> promptTags;
    ok = m_db.forEachRow("SELECT prompt_row, category_row FROM prompt_category ORDER BY prompt_row, position", error,
                    [&](const SqliteDatabase::Statement &s) {
                        Prompt *p = prompts.value(s.int64(0));
                        PromptCategory *c = categories.value(s.int64(1));
                        if (p && c)
                            promptCategories[p].append(c);
                    })
         && m_db.forEachRow("SELECT prompt_row, tag_row FROM prompt_tag ORDER BY prompt_row, position", error,
                       [&](const SqliteDatabase::Statement &s) {
                           Prompt *p = prompts.value(s.int64(0));
                           PromptTag *t = tags.value(s.int64(1));
                           if (p && t)
                               promptTags[p].append(t);
                       });
    if (!ok)
        return false;
    for (PersistentModel *object : out[int(ModelType::Prompt)]) {
        auto *p = static_cast<Prompt *>(object);
        if (auto it = promptCategories.constFind(p); it != promptCategories.cend())
            p->setCategories(*it);
        if (auto it = promptTags.constFind(p); it != promptTags.cend())
            p->setTags(*it);
    }

    return m_db.forEachRow("SELECT row, target_id, prompt_row, category_row, is_favorite, last_used_at, "
                      "usage_count, is_hidden FROM user_attribute ORDER BY row",
                      error, [&](const SqliteDatabase::Statement &s) {
                          auto *a = new UserAttribute;
                          a->m_targetID = QUuid::fromString(s.text(1));
                          a->m_isFavorite = s.int64(4);
                          a->m_lastUsedAt = dateAt(s, 5);
                          a->m_usageCount = s.int64(6);
                          a->m_isHidden = s.int64(7);
                          if (Prompt *p = s.isNull(2) ? nullptr : prompts.value(s.int64(2)))
                              p->setAttributes(a);
                          if (PromptCategory *c = s.isNull(3) ? nullptr : categories.value(s.int64(3)))
                              c->setAttributes(a);
                          keep(a, s.int64(0));
                      });
}

bool StoreRepository::readTemplate(qint64 row, QString *text, QString *error)
{
    auto &stmt = m_db.cached("SELECT template FROM prompt WHERE row = ?", error);
    if (!stmt.isValid())
        return false;
    stmt.bind(1, row);
    const bool found = stmt.step();
    if (found)
        *text = required(stmt.text(0));
    QString why = found ? QString() : stmt.error();
    stmt.reset();
    if (found)
        return true;
    if (error)
        *error = why.isEmpty() ? QStringLiteral("no stored prompt in row %1").arg(row) : why;
    return false;
}

bool StoreRepository::eachTemplate(const std::function<void(qint64 row, const QString &text)> &take,
                                   QString *error)
{
    return m_db.forEachRow("SELECT row, template FROM prompt", error,
                      [&](const SqliteDatabase::Statement &s) { take(s.int64(0), required(s.text(1))); });
}

bool StoreRepository::write(const QList<PersistentModel *> &inserted,
                            const QSet<PersistentModel *> &changed,
                            const QList<PersistentModel *> &deleted, QString *error)
{
    for (PersistentModel *object : deleted)
        if (!deleteObject(object, error))
            return false;
    for (PersistentModel *object : inserted)
        if (!writeObject(object, error))
            return false;
    for (PersistentModel *object : changed)
        if (!writeObject(object, error))
            return false;
    return true;
}

namespace {
// One column's value as SQLite stores it: NULL, an integer or a text.
using Column = std::variant<std::monostate, qint64, QString>;

Column dateColumn(const QDateTime &at)
{
    return at.isValid() ? Column(msecs(at)) : Column();
}

Column rowOf(const PersistentModel *object)
{
    return object ? Column(object->persistentId()) : Column();
}

QList<Column> promptColumns(const PersistentModel *object)
{
    auto *p = static_cast<const Prompt *>(object);
    return {uuidText(p->id()), required(p->title()), required(p->promptDescription()),
            required(p->templateText()), dateColumn(p->createdAt()), dateColumn(p->updatedAt()),
            qint64(p->isHot()), qint64(p->isActive()), qint64(p->isNew()), qint64(p->isUpdated()),
            p->externalId()};
}

QList<Column> categoryColumns(const PersistentModel *object)
{
    auto *c = static_cast<const PromptCategory *>(object);
    return {uuidText(c->id()), required(c->name()), required(c->iconSymbol()), c->categoryDescription(),
            c->sortOrder()};
}

QList<Column> tagColumns(const PersistentModel *object)
{
    return {required(static_cast<const PromptTag *>(object)->name())};
}

QList<Column> globalColumns(const PersistentModel *object)
{
    auto *g = static_cast<const PromptGlobalVariable *>(object);
    return {required(g->key()), valuesText(g->values())};
}

QList<Column> attributeColumns(const PersistentModel *object)
{
    auto *a = static_cast<const UserAttribute *>(object);
    return {uuidText(a->targetID()), rowOf(a->prompt()), rowOf(a->category()), qint64(a->isFavorite()),
            dateColumn(a->lastUsedAt()), a->usageCount(), qint64(a->isHidden())};
}

// Each type's row: the statement that writes it (its own row number first) and its other columns
// in the statement's order. Indexed by ModelType.
struct RowWriter
{
    const char *sql;
    QList<Column> (*columns)(const PersistentModel *);
};

const RowWriter rowWriters[ModelTypeCount] = {
    {"INSERT OR REPLACE INTO prompt(row, id, title, description, template, created_at, updated_at, "
     "is_hot, is_active, is_new, is_updated, external_id) VALUES(?,?,?,?,?,?,?,?,?,?,?,?)",
     promptColumns},
    {"INSERT OR REPLACE INTO category(row, id, name, icon_symbol, description, sort_order) "
     "VALUES(?,?,?,?,?,?)",
     categoryColumns},
    {"INSERT OR REPLACE INTO tag(row, name) VALUES(?,?)", tagColumns},
    {"INSERT OR REPLACE INTO global_variable(row, key, vals) VALUES(?,?,?)", globalColumns},
    {"INSERT OR REPLACE INTO user_attribute(row, target_id, prompt_row, category_row, is_favorite, "
     "last_used_at, usage_count, is_hidden) VALUES(?,?,?,?,?,?,?,?)",
     attributeColumns},
};

bool run(SqliteDatabase::Statement &stmt, QString *error)
{
    if (stmt.run())
        return true;
    if (error)
        *error = stmt.error();
    return false;
}

template <class Linked>
QList<qint64> rowsOf(const QList<Linked *> &objects)
{
    QList<qint64> rows;
    for (const Linked *object : objects)
        rows << object->persistentId();
    return rows;
}
} // namespace

bool StoreRepository::writeObject(PersistentModel *object, QString *error)
{
    // A template that was never read is written back as stored, so it is read first.
    if (object->modelType() == ModelType::Prompt) {
        auto *prompt = static_cast<Prompt *>(object);
        if (!prompt->holdsTemplate() && !prompt->loadTemplate(error))
            return false;
    }
    const RowWriter &writer = rowWriters[int(object->modelType())];
    auto &stmt = m_db.cached(writer.sql, error);
    if (!stmt.isValid())
        return false;
    stmt.bind(1, object->persistentId());
    int index = 2;
    for (const Column &column : writer.columns(object)) {
        if (const auto *number = std::get_if<qint64>(&column))
            stmt.bind(index, *number);
        else if (const auto *text = std::get_if<QString>(&column))
            stmt.bind(index, *text);
        else
            stmt.bindNull(index);
        ++index;
    }
    if (!run(stmt, error))
        return false;
    if (object->modelType() != ModelType::Prompt)
        return true;
    // The link rows belong to the prompt: rewrite them with it.
    auto *prompt = static_cast<Prompt *>(object);
    return writeLinks({"DELETE FROM prompt_category WHERE prompt_row = ?", "INSERT INTO prompt_category VALUES(?,?,?)"},
                      prompt->persistentId(), rowsOf(prompt->categories()), error)
        && writeLinks({"DELETE FROM prompt_tag WHERE prompt_row = ?", "INSERT INTO prompt_tag VALUES(?,?,?)"},
                      prompt->persistentId(), rowsOf(prompt->tags()), error);
}

bool StoreRepository::writeLinks(const LinkStatements &sql, qint64 promptRow, const QList<qint64> &linkedRows,
                                 QString *error)
{
    auto &clear = m_db.cached(sql.clear, error);
    auto &add = m_db.cached(sql.add, error);
    if (!clear.isValid() || !add.isValid())
        return false;
    clear.bind(1, promptRow);
    if (!run(clear, error))
        return false;
    qint64 position = 0;
    for (qint64 linkedRow : linkedRows) {
        add.bind(1, promptRow);
        add.bind(2, linkedRow);
        add.bind(3, position++);
        if (!run(add, error))
            return false;
    }
    return true;
}

bool StoreRepository::deleteObject(PersistentModel *object, QString *error)
{
    static const char *const statements[ModelTypeCount][3] = {
        {"DELETE FROM prompt WHERE row = ?", "DELETE FROM prompt_category WHERE prompt_row = ?",
         "DELETE FROM prompt_tag WHERE prompt_row = ?"},
        {"DELETE FROM category WHERE row = ?", "DELETE FROM prompt_category WHERE category_row = ?", nullptr},
        {"DELETE FROM tag WHERE row = ?", "DELETE FROM prompt_tag WHERE tag_row = ?", nullptr},
        {"DELETE FROM global_variable WHERE row = ?", nullptr, nullptr},
        {"DELETE FROM user_attribute WHERE row = ?", nullptr, nullptr},
    };
    for (const char *sql : statements[int(object->modelType())]) {
        if (!sql)
            break;
        auto &stmt = m_db.cached(sql, error);
        if (!stmt.isValid())
            return false;
        stmt.bind(1, object->persistentId());
        if (!run(stmt, error))
            return false;
    }
    return true;
}
