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
    return QDateTime::fromMSecsSinceEpoch(stmt.int64(column));
}

void bindDate(SqliteDatabase::Statement &stmt, int index, const QDateTime &at)
{
    if (at.isValid())
        stmt.bind(index, msecs(at));
    else
        stmt.bindNull(index);
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

template <class Fn> bool forEachRow(SqliteDatabase &db, const char *sql, QString *error, Fn fn)
{
    SqliteDatabase::Statement stmt = db.prepare(QString::fromLatin1(sql), error);
    if (!stmt.isValid())
        return false;
    while (stmt.step())
        fn(stmt);
    if (!stmt.error().isEmpty()) {
        if (error)
            *error = stmt.error();
        return false;
    }
    return true;
}
} // namespace

bool StoreRepository::createSchema(int version, QString *error)
{
    return m_db.exec(QString::fromLatin1(SchemaV1), error)
           && m_db.exec(QStringLiteral("PRAGMA user_version = %1").arg(version), error);
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

    bool ok = forEachRow(m_db, "SELECT row, id, name, icon_symbol, description, sort_order FROM category ORDER BY row", error,
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
              && forEachRow(m_db, "SELECT row, name FROM tag ORDER BY row", error,
                            [&](const SqliteDatabase::Statement &s) {
                                auto *t = new PromptTag;
                                t->setName(s.text(1));
                                tags.insert(s.int64(0), t);
                                keep(t, s.int64(0));
                            })
              && forEachRow(m_db, "SELECT row, key, vals FROM global_variable ORDER BY row", error,
                            [&](const SqliteDatabase::Statement &s) {
                                keep(new PromptGlobalVariable(s.text(1), valuesFromText(s.text(2))), s.int64(0));
                            })
              && forEachRow(m_db,
                            "SELECT row, id, title, description, template, created_at, updated_at, is_hot, "
                            "is_active, is_new, is_updated, external_id FROM prompt ORDER BY row",
                            error, [&](const SqliteDatabase::Statement &s) {
                                auto *p = new Prompt;
                                p->m_id = QUuid::fromString(s.text(1));
                                p->m_title = s.text(2);
                                p->m_promptDescription = s.text(3);
                                p->m_template = s.text(4);
                                p->m_createdAt = dateAt(s, 5);
                                p->m_updatedAt = dateAt(s, 6);
                                p->m_isHot = s.int64(7);
                                p->m_isActive = s.int64(8);
                                p->m_isNew = s.int64(9);
                                p->m_isUpdated = s.int64(10);
                                p->m_externalId = s.text(11);
                                prompts.insert(s.int64(0), p);
                                keep(p, s.int64(0));
                            });
    if (!ok)
        return false;

    // Links, collected per prompt so each list is set once, in stored position order.
    QHash<Prompt *, QList<PromptCategory *>> promptCategories;
    QHash<Prompt *, QList<PromptTag *>> promptTags;
    ok = forEachRow(m_db, "SELECT prompt_row, category_row FROM prompt_category ORDER BY prompt_row, position", error,
                    [&](const SqliteDatabase::Statement &s) {
                        Prompt *p = prompts.value(s.int64(0));
                        PromptCategory *c = categories.value(s.int64(1));
                        if (p && c)
                            promptCategories[p].append(c);
                    })
         && forEachRow(m_db, "SELECT prompt_row, tag_row FROM prompt_tag ORDER BY prompt_row, position", error,
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

    return forEachRow(m_db,
                      "SELECT row, target_id, prompt_row, category_row, is_favorite, last_used_at, "
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

bool StoreRepository::writeObject(PersistentModel *object, QString *error)
{
    auto run = [error](SqliteDatabase::Statement &stmt) {
        if (stmt.run())
            return true;
        if (error)
            *error = stmt.error();
        return false;
    };
    const qint64 row = object->persistentId();
    switch (object->modelType()) {
    case ModelType::Prompt: {
        auto *p = static_cast<Prompt *>(object);
        auto &stmt = m_db.cached((
            "INSERT OR REPLACE INTO prompt(row, id, title, description, template, created_at, updated_at, "
            "is_hot, is_active, is_new, is_updated, external_id) VALUES(?,?,?,?,?,?,?,?,?,?,?,?)"), error);
        if (!stmt.isValid())
            return false;
        stmt.bind(1, row);
        stmt.bind(2, uuidText(p->id()));
        stmt.bind(3, required(p->title()));
        stmt.bind(4, required(p->promptDescription()));
        stmt.bind(5, required(p->templateText()));
        bindDate(stmt, 6, p->createdAt());
        bindDate(stmt, 7, p->updatedAt());
        stmt.bind(8, qint64(p->isHot()));
        stmt.bind(9, qint64(p->isActive()));
        stmt.bind(10, qint64(p->isNew()));
        stmt.bind(11, qint64(p->isUpdated()));
        stmt.bind(12, p->externalId());
        if (!run(stmt))
            return false;
        // The link rows belong to the prompt: rewrite them with it.
        auto &clearCategories = m_db.cached(("DELETE FROM prompt_category WHERE prompt_row = ?"), error);
        auto &clearTags = m_db.cached(("DELETE FROM prompt_tag WHERE prompt_row = ?"), error);
        auto &addCategory = m_db.cached(("INSERT INTO prompt_category VALUES(?,?,?)"), error);
        auto &addTag = m_db.cached(("INSERT INTO prompt_tag VALUES(?,?,?)"), error);
        if (!clearCategories.isValid() || !clearTags.isValid() || !addCategory.isValid() || !addTag.isValid())
            return false;
        clearCategories.bind(1, row);
        clearTags.bind(1, row);
        if (!run(clearCategories) || !run(clearTags))
            return false;
        qint64 position = 0;
        for (PromptCategory *c : p->categories()) {
            addCategory.bind(1, row);
            addCategory.bind(2, c->persistentId());
            addCategory.bind(3, position++);
            if (!run(addCategory))
                return false;
        }
        position = 0;
        for (PromptTag *t : p->tags()) {
            addTag.bind(1, row);
            addTag.bind(2, t->persistentId());
            addTag.bind(3, position++);
            if (!run(addTag))
                return false;
        }
        return true;
    }
    case ModelType::Category: {
        auto *c = static_cast<PromptCategory *>(object);
        auto &stmt = m_db.cached((
            "INSERT OR REPLACE INTO category(row, id, name, icon_symbol, description, sort_order) "
            "VALUES(?,?,?,?,?,?)"), error);
        if (!stmt.isValid())
            return false;
        stmt.bind(1, row);
        stmt.bind(2, uuidText(c->id()));
        stmt.bind(3, required(c->name()));
        stmt.bind(4, required(c->iconSymbol()));
        stmt.bind(5, c->categoryDescription());
        stmt.bind(6, c->sortOrder());
        return run(stmt);
    }
    case ModelType::Tag: {
        auto &stmt = m_db.cached(("INSERT OR REPLACE INTO tag(row, name) VALUES(?,?)"), error);
        if (!stmt.isValid())
            return false;
        stmt.bind(1, row);
        stmt.bind(2, required(static_cast<PromptTag *>(object)->name()));
        return run(stmt);
    }
    case ModelType::GlobalVariable: {
        auto *g = static_cast<PromptGlobalVariable *>(object);
        auto &stmt = m_db.cached(("INSERT OR REPLACE INTO global_variable(row, key, vals) VALUES(?,?,?)"), error);
        if (!stmt.isValid())
            return false;
        stmt.bind(1, row);
        stmt.bind(2, required(g->key()));
        stmt.bind(3, valuesText(g->values()));
        return run(stmt);
    }
    case ModelType::Attribute: {
        auto *a = static_cast<UserAttribute *>(object);
        auto &stmt = m_db.cached((
            "INSERT OR REPLACE INTO user_attribute(row, target_id, prompt_row, category_row, is_favorite, "
            "last_used_at, usage_count, is_hidden) VALUES(?,?,?,?,?,?,?,?)"), error);
        if (!stmt.isValid())
            return false;
        stmt.bind(1, row);
        stmt.bind(2, uuidText(a->targetID()));
        if (a->prompt())
            stmt.bind(3, a->prompt()->persistentId());
        else
            stmt.bindNull(3);
        if (a->category())
            stmt.bind(4, a->category()->persistentId());
        else
            stmt.bindNull(4);
        stmt.bind(5, qint64(a->isFavorite()));
        bindDate(stmt, 6, a->lastUsedAt());
        stmt.bind(7, a->usageCount());
        stmt.bind(8, qint64(a->isHidden()));
        return run(stmt);
    }
    }
    return false;
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
        if (!stmt.run()) {
            if (error)
                *error = stmt.error();
            return false;
        }
    }
    return true;
}
