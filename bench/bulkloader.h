#pragma once
// The fast path of a data migration: rows of many tables are buffered and written as
// multi-row INSERT statements, each statement prepared once per connection
// (store::Db::prepared/run) and reused, with one transaction per batch of rows.
// The secondary indexes are dropped before the load and built again at the end,
// which is how a migration fills a large database.

#include "store/db.h"

#include <QElapsedTimer>
#include <QMap>
#include <memory>
#include <vector>

namespace bench {

class BulkLoader;

// Rows of one table, buffered until a statement's worth is collected.
class TableWriter {
public:
    // One row: exactly as many values as columns, in the order given at creation.
    void add(std::initializer_list<QVariant> values);
    qint64 rows() const { return m_rows; }
    const QString &table() const { return m_table; }

private:
    friend class BulkLoader;
    TableWriter(BulkLoader &loader, const QString &table, const QStringList &columns, int rowsPerStatement);
    void flush(bool all);
    QString statement(int rowCount) const;

    BulkLoader &m_loader;
    QString m_table;
    QStringList m_columns;
    int m_rowsPerStatement;
    QVariantList m_pending;
    qint64 m_rows = 0;
};

class BulkLoader {
public:
    // commitEvery: rows per transaction.
    BulkLoader(store::Db &db, qint64 commitEvery = 100000);
    ~BulkLoader();

    // The writer of a table (created on first use) for these columns.
    TableWriter &table(const QString &table, const QStringList &columns);

    void dropSecondaryIndexes();
    // Flushes every writer and commits the last batch.
    void finish();
    // Builds the indexes dropped earlier (after finish); returns the seconds it took.
    double buildSecondaryIndexes();

    qint64 rows() const { return m_rows; }
    double seconds() const { return m_timer.elapsed() / 1000.0; }
    QMap<QString, qint64> rowsPerTable() const;
    store::Db &db() { return m_db; }

private:
    friend class TableWriter;
    void counted(int rows);

    store::Db &m_db;
    qint64 m_commitEvery;
    qint64 m_rows = 0;
    qint64 m_sinceCommit = 0;
    std::vector<std::unique_ptr<TableWriter>> m_writers;
    QStringList m_droppedIndexDdl;
    QElapsedTimer m_timer;
};

} // namespace bench
