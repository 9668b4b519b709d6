#include "SqliteDatabase.h"

#include <sqlite3.h>

SqliteDatabase::Statement::Statement(Statement &&other) noexcept
    : m_db(other.m_db), m_stmt(other.m_stmt), m_error(std::move(other.m_error))
{
    other.m_stmt = nullptr;
}

SqliteDatabase::Statement &SqliteDatabase::Statement::operator=(Statement &&other) noexcept
{
    if (this != &other) {
        sqlite3_finalize(m_stmt);
        m_db = other.m_db;
        m_stmt = other.m_stmt;
        m_error = std::move(other.m_error);
        other.m_stmt = nullptr;
    }
    return *this;
}

SqliteDatabase::Statement::~Statement()
{
    sqlite3_finalize(m_stmt);
}

void SqliteDatabase::Statement::bind(int index, qint64 value)
{
    sqlite3_bind_int64(m_stmt, index, value);
}

void SqliteDatabase::Statement::bind(int index, const QString &text)
{
    if (text.isNull()) {
        sqlite3_bind_null(m_stmt, index);
        return;
    }
    // UTF-16 in, so no conversion of the text is needed and nothing is lost.
    sqlite3_bind_text16(m_stmt, index, text.utf16(), int(text.size() * sizeof(char16_t)),
                        SQLITE_TRANSIENT);
}

void SqliteDatabase::Statement::bindNull(int index)
{
    sqlite3_bind_null(m_stmt, index);
}

bool SqliteDatabase::Statement::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE)
        m_error = QString::fromUtf8(sqlite3_errmsg(m_db));
    else
        m_error.clear();
    return false;
}

bool SqliteDatabase::Statement::run()
{
    while (step()) {
    }
    const bool ok = m_error.isEmpty();
    reset();
    return ok;
}

void SqliteDatabase::Statement::reset()
{
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

qint64 SqliteDatabase::Statement::int64(int column) const
{
    return sqlite3_column_int64(m_stmt, column);
}

bool SqliteDatabase::Statement::isNull(int column) const
{
    return sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}

QUtf8StringView SqliteDatabase::Statement::utf8(int column) const
{
    const auto *data = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
    return data ? QUtf8StringView(data, sqlite3_column_bytes(m_stmt, column)) : QUtf8StringView();
}

QString SqliteDatabase::Statement::text(int column) const
{
    if (isNull(column))
        return {};
    const auto *data = static_cast<const char16_t *>(sqlite3_column_text16(m_stmt, column));
    const int bytes = sqlite3_column_bytes16(m_stmt, column);
    if (!data)
        return QString(QLatin1String(""));
    return QString::fromUtf16(data, bytes / int(sizeof(char16_t)));
}

SqliteDatabase::~SqliteDatabase()
{
    m_cache.clear();
    if (m_db)
        sqlite3_close_v2(m_db);
}

bool SqliteDatabase::open(const QString &path, QString *error)
{
    return openWith(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, error);
}

bool SqliteDatabase::openReadOnly(const QString &path, QString *error)
{
    return openWith(path, SQLITE_OPEN_READONLY, error);
}

bool SqliteDatabase::openWith(const QString &path, int flags, QString *error)
{
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &m_db, flags | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        m_lastCode = rc & 0xff;
        if (error)
            *error = m_db ? lastError() : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close_v2(m_db);
        m_db = nullptr;
        return false;
    }
    sqlite3_extended_result_codes(m_db, 1);
    sqlite3_busy_timeout(m_db, 2000);
    return true;
}

bool SqliteDatabase::exec(const QString &sql, QString *error)
{
    char *message = nullptr;
    const int rc = sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &message);
    if (rc != SQLITE_OK) {
        if (error)
            *error = message ? QString::fromUtf8(message) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_free(message);
        return false;
    }
    return true;
}

SqliteDatabase::Statement SqliteDatabase::prepare(const QString &sql, QString *error)
{
    sqlite3_stmt *stmt = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v2(m_db, utf8.constData(), int(utf8.size()), &stmt, nullptr) != SQLITE_OK) {
        if (error)
            *error = lastError();
        return {};
    }
    return Statement(m_db, stmt);
}

SqliteDatabase::Statement &SqliteDatabase::cached(const char *sql, QString *error)
{
    auto it = m_cache.find(sql);
    if (it == m_cache.end()) {
        Statement stmt = prepare(QString::fromUtf8(sql), error);
        if (!stmt.isValid())
            return m_invalid;
        it = m_cache.emplace(sql, std::make_unique<Statement>(std::move(stmt))).first;
    }
    it->second->reset();
    return *it->second;
}

qint64 SqliteDatabase::scalar(const QString &sql, QString *error)
{
    Statement stmt = prepare(sql, error);
    if (!stmt.isValid())
        return -1;
    if (!stmt.step()) {
        if (error)
            *error = stmt.error().isEmpty() ? QStringLiteral("no result") : stmt.error();
        return -1;
    }
    return stmt.int64(0);
}

QString SqliteDatabase::lastError() const
{
    return m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString();
}

int SqliteDatabase::lastErrorCode() const
{
    return m_db ? sqlite3_errcode(m_db) & 0xff : m_lastCode;
}

bool SqliteDatabase::lastErrorIsDamage() const
{
    const int code = lastErrorCode();
    return code == SQLITE_CORRUPT || code == SQLITE_NOTADB;
}
