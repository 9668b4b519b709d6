#pragma once

#include "PersistentModel.h"

#include <QList>
#include <QSet>

#include <array>
#include <optional>
#include <functional>

class SqliteDatabase;

// Reads and writes the stored objects as SQLite rows: the schema, the load at open (templates
// aside: they are read when asked for) and the statements of one save. Transactions are the
// caller's.
class StoreRepository {
public:
    using ObjectLists = std::array<QList<PersistentModel *>, ModelTypeCount>;

    explicit StoreRepository(SqliteDatabase &db) : m_db(db) {}

    // Creates the tables of the current schema version inside a transaction.
    bool createSchema(int version, QString *error);
    // The stamp every save writes anew, so that whoever keeps something worked out from the
    // store can tell that nothing was saved since: a random number, not a count, so that a
    // copy of the file put back matches only what was worked out from that very state.
    // ensureSaveStamp gives a store made before stamps its first one; false when it has none.
    // The stamps themselves: nothing when the store has none.
    bool ensureSaveStamp(QString *error);
    std::optional<qint64> saveStamp();
    std::optional<qint64> renewSaveStamp(QString *error);
    // Builds every stored object and its relationships, in row order per type.
    bool loadAll(ObjectLists &out, QString *error);
    // One prompt's stored template; false when the row is not there or cannot be read.
    bool readTemplate(qint64 row, QString *text, QString *error);
    // Every stored template with its prompt's row, in one pass.
    bool eachTemplate(const std::function<void(qint64 row, const QString &text)> &take, QString *error);
    bool write(const QList<PersistentModel *> &inserted, const QSet<PersistentModel *> &changed,
               const QList<PersistentModel *> &deleted, QString *error);

private:
    bool writeObject(PersistentModel *object, QString *error);
    // A prompt's link rows in one table: the statement that clears them and the one that adds one.
    struct LinkStatements
    {
        const char *clear;
        const char *add;
    };
    bool writeLinks(const LinkStatements &sql, qint64 promptRow, const QList<qint64> &linkedRows, QString *error);
    bool deleteObject(PersistentModel *object, QString *error);

    SqliteDatabase &m_db;
};
