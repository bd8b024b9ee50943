#pragma once
// One database connection of a workstation, over SQLite or PostgreSQL.
// Every value reaches the server as a bound parameter; SQL text never carries user input.

#include <QDate>
#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QVariant>
#include <memory>
#include <optional>
#include <unordered_map>
#include <stdexcept>

namespace store {

enum class Backend { Sqlite, Postgres };

struct ConnectionSettings {
    Backend backend = Backend::Sqlite;
    QString sqliteFile;            // SQLite: the database file
    QString host;                  // PostgreSQL: host name or socket folder
    int port = 5432;
    QString database = QStringLiteral("ve0z160_db");
    QString user;
    QString password;
    int connectTimeoutSeconds = 8;

    QString describe() const;      // for messages: file path or user@host:port/db
};

// A failed statement or connection; what() and message() carry the server's own text.
class DbError : public std::runtime_error {
public:
    DbError(const QString &message, const QString &sql = {});
    const QString &message() const { return m_message; }
    const QString &sql() const { return m_sql; }
private:
    QString m_message;
    QString m_sql;
};

class Db {
public:
    explicit Db(const ConnectionSettings &settings);   // connects; throws DbError
    ~Db();
    Db(const Db &) = delete;
    Db &operator=(const Db &) = delete;

    Backend backend() const { return m_settings.backend; }
    bool isSqlite() const { return m_settings.backend == Backend::Sqlite; }
    const ConnectionSettings &settings() const { return m_settings; }
    QSqlDatabase handle() const;
    QString connectionName() const { return m_name; }

    // Runs one statement with bound positional ('?') values. The returned query is
    // positioned before the first row. Throws DbError with the server's message.
    QSqlQuery exec(const QString &sql, const QVariantList &params = {});
    // Affected row count of a write statement.
    int execWrite(const QString &sql, const QVariantList &params = {});
    // First column of the first row, or an invalid QVariant when there is no row.
    QVariant scalar(const QString &sql, const QVariantList &params = {});
    // The first row, if any.
    std::optional<QSqlRecord> one(const QString &sql, const QVariantList &params = {});
    bool exists(const QString &sql, const QVariantList &params = {});

    // A statement prepared once per connection, for hot loops (bulk loads, bench).
    // Do not nest two uses of the same text. The reference stays valid until close().
    QSqlQuery &prepared(const QString &sql);
    void run(QSqlQuery &query, const QVariantList &params);

    // Transactions nest: only the outermost begin/commit reach the server.
    // SQLite write transactions begin IMMEDIATE so two workstations queue for the
    // write lock instead of failing on a lock upgrade.
    void begin();
    void commit();
    void rollback();
    bool inTransaction() const { return m_depth > 0; }

    // Dialect pieces.
    QString forUpdate() const;                 // row lock suffix of a SELECT
    QString likeOperator() const;              // case-insensitive LIKE
    QString limitOne() const { return QStringLiteral(" LIMIT 1"); }

    // Converts a value for binding: dates and date-times become the one text form
    // per kind on SQLite; money becomes an exact decimal on PostgreSQL.
    QVariant toBindable(const QVariant &value) const;

    // Closes the connection (used before a restore replaces the database).
    void close();
    void reopen();

private:
    void open();
    void failOn(const QSqlQuery &q, const QString &sql) const;
    ConnectionSettings m_settings;
    QString m_name;
    int m_depth = 0;
    bool m_failed = false;
    // Prepared statements by SQL text. execWrite, scalar, one and exists run through
    // it and finish their statement before returning, so reusing one is safe; on
    // PostgreSQL this saves the PREPARE and DEALLOCATE round trips of every call.
    QSqlQuery *cachedQuery(const QString &sql);
    std::unordered_map<QString, std::unique_ptr<QSqlQuery>> m_prepared;
};

// Commits on commit(), rolls back when destroyed without it (an exception unwinding).
class Transaction {
public:
    explicit Transaction(Db &db) : m_db(db) { m_db.begin(); }
    ~Transaction();
    void commit();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;
private:
    Db &m_db;
    bool m_done = false;
};

// Reading values back in one form whatever the backend returned.
QDate toDate(const QVariant &v);
QDateTime toDateTime(const QVariant &v);
bool toBool(const QVariant &v);

// Text widths of the data model are bytes of the GBK code page: a character
// outside ASCII takes two bytes.
int gbkWidth(const QString &text);
QString gbkTruncate(const QString &text, int bytes);

} // namespace store
