#pragma once

#include <QByteArray>
#include <QUtf8StringView>
#include <QString>

#include <memory>
#include <string>
#include <unordered_map>

struct sqlite3;
struct sqlite3_stmt;

// A thin owner of one SQLite connection and its prepared statements.
class SqliteDatabase {
public:
    class Statement {
    public:
        Statement() = default;
        Statement(Statement &&other) noexcept;
        Statement &operator=(Statement &&other) noexcept;
        ~Statement();
        Statement(const Statement &) = delete;
        Statement &operator=(const Statement &) = delete;

        bool isValid() const { return m_stmt != nullptr; }
        void bind(int index, qint64 value);
        void bind(int index, const QString &text); // a null QString binds NULL
        void bindNull(int index);
        // Steps once: true while a row is available; check error() after false.
        bool step();
        // Runs to completion and resets for the next use; false on error.
        bool run();
        void reset();
        qint64 int64(int column) const;
        QString text(int column) const; // NULL reads as a null QString
        // The text as stored (UTF-8), without a copy: valid until the next step or reset;
        // empty for NULL. Not for a column also read with text().
        QUtf8StringView utf8(int column) const;
        bool isNull(int column) const;
        QString error() const { return m_error; }

    private:
        friend class SqliteDatabase;
        Statement(sqlite3 *db, sqlite3_stmt *stmt) : m_db(db), m_stmt(stmt) {}
        sqlite3 *m_db = nullptr;
        sqlite3_stmt *m_stmt = nullptr;
        QString m_error;
    };

    SqliteDatabase() = default;
    ~SqliteDatabase();
    SqliteDatabase(const SqliteDatabase &) = delete;
    SqliteDatabase &operator=(const SqliteDatabase &) = delete;

    bool open(const QString &path, QString *error);
    // Opens an existing file for reading only: nothing is created or written, and closing it
    // leaves the journal to the connections that write.
    bool openReadOnly(const QString &path, QString *error);
    bool exec(const QString &sql, QString *error = nullptr);
    Statement prepare(const QString &sql, QString *error = nullptr);
    // A statement prepared once per connection and reused; reset before it is returned.
    // Check isValid(): a statement that does not prepare is not kept.
    Statement &cached(const char *sql, QString *error = nullptr);
    // Runs a query to its end, one call of fn per row; false, with why in error, on an error.
    template <class Fn> bool forEachRow(const char *sql, QString *error, Fn fn)
    {
        Statement stmt = prepare(QString::fromLatin1(sql), error);
        if (!stmt.isValid())
            return false;
        while (stmt.step())
            fn(stmt);
        if (stmt.error().isEmpty())
            return true;
        if (error)
            *error = stmt.error();
        return false;
    }
    // The first column of the first row of a query, or -1 on error.
    qint64 scalar(const QString &sql, QString *error = nullptr);
    QString lastError() const;
    // SQLite's primary result code of the last failed call (SQLITE_CORRUPT, SQLITE_BUSY, ...).
    int lastErrorCode() const;
    // True when the last error says the file itself is damaged or not a database, rather
    // than busy, unreadable for now or on a full disk.
    bool lastErrorIsDamage() const;

private:
    bool openWith(const QString &path, int flags, QString *error);
    sqlite3 *m_db = nullptr;
    std::unordered_map<std::string, std::unique_ptr<Statement>> m_cache;
    Statement m_invalid;
    int m_lastCode = 0;
};
