#pragma once
// The one description of every table of the database, from which the DDL of each
// backend is generated, so SQLite and PostgreSQL never drift apart.

#include "store/db.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace store {

enum class ColumnType { Text, Money, Float, Integer, Bit, Date, DateTime, Identity };

struct Column {
    QString name;
    ColumnType type = ColumnType::Text;
    int width = 0;          // bytes of the GBK code page, for text
    bool key = false;       // part of the table's logical key
};

struct Index {
    QStringList columns;
    bool unique = false;
};

struct Table {
    QString name;
    std::vector<Column> columns;
    std::vector<Index> indexes;
    bool uniqueKey = true;  // the key columns form a primary key (false: only indexed)

    const Column *column(const QString &name) const;
    QStringList columnNames() const;
    QStringList keyColumns() const;
};

class Schema {
public:
    static const Schema &instance();
    static constexpr int version = 1;

    const std::vector<Table> &tables() const { return m_tables; }
    const Table *table(const QString &name) const;
    QStringList tableNames() const;

    // Statements that create every table and index on the backend.
    QStringList ddl(Backend backend) const;

private:
    Schema();
    std::vector<Table> m_tables;
};

// Creates the tables of the schema and records its version (one transaction).
void createSchema(Db &db);
// Reads the schema version recorded in the database (0 when none).
int storedSchemaVersion(Db &db);
// Differences between the database and the description: missing tables, missing or
// misplaced columns. Empty when the database has the expected schema.
QStringList checkSchema(Db &db);
// Column names of a table as the server reports them, in table order.
QStringList databaseColumns(Db &db, const QString &table);
QStringList databaseTables(Db &db);

} // namespace store
