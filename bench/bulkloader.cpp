#include "bench/bulkloader.h"
#include "store/schema.h"

#include <QRegularExpression>

namespace bench {

namespace {
// Bound values per statement: far below the limits of both servers (SQLite 32766),
// large enough that a statement carries dozens of rows.
constexpr int kValuesPerStatement = 2000;
} // namespace

TableWriter::TableWriter(BulkLoader &loader, const QString &table, const QStringList &columns, int rowsPerStatement)
    : m_loader(loader), m_table(table), m_columns(columns), m_rowsPerStatement(rowsPerStatement)
{
    m_pending.reserve(rowsPerStatement * columns.size());
}

QString TableWriter::statement(int rowCount) const
{
    QString one = QStringLiteral("(") + QStringList(m_columns.size(), QStringLiteral("?")).join(QLatin1Char(',')) + QLatin1Char(')');
    QStringList rows(rowCount, one);
    return QStringLiteral("INSERT INTO %1 (%2) VALUES %3").arg(m_table, m_columns.join(QLatin1Char(',')), rows.join(QLatin1Char(',')));
}

void TableWriter::add(std::initializer_list<QVariant> values)
{
    if (int(values.size()) != m_columns.size())
        throw store::DbError(QStringLiteral("%1: %2 values for %3 columns").arg(m_table).arg(values.size()).arg(m_columns.size()));
    for (const QVariant &v : values)
        m_pending.append(v);
    ++m_rows;
    if (m_pending.size() >= m_rowsPerStatement * m_columns.size())
        flush(false);
    m_loader.counted(1);
}

void TableWriter::flush(bool all)
{
    const int perRow = m_columns.size();
    const int full = m_rowsPerStatement * perRow;
    int offset = 0;
    while (m_pending.size() - offset >= full) {
        QSqlQuery &q = m_loader.m_db.prepared(statement(m_rowsPerStatement));
        m_loader.m_db.run(q, m_pending.mid(offset, full));
        offset += full;
    }
    if (all && m_pending.size() > offset) {
        const int rest = (m_pending.size() - offset) / perRow;
        QSqlQuery &q = m_loader.m_db.prepared(statement(rest));
        m_loader.m_db.run(q, m_pending.mid(offset));
        offset = m_pending.size();
    }
    m_pending.remove(0, offset);
}

BulkLoader::BulkLoader(store::Db &db, qint64 commitEvery) : m_db(db), m_commitEvery(commitEvery)
{
    m_timer.start();
    if (m_db.isSqlite()) {
        // A migration may trade durability for speed: a crash mid-load means loading again.
        m_db.exec(QStringLiteral("PRAGMA synchronous=OFF"));
        m_db.exec(QStringLiteral("PRAGMA cache_size=-131072"));
    } else {
        m_db.exec(QStringLiteral("SET synchronous_commit TO off"));
    }
    m_db.begin();
}

BulkLoader::~BulkLoader()
{
    if (m_db.inTransaction())
        m_db.rollback();
}

TableWriter &BulkLoader::table(const QString &table, const QStringList &columns)
{
    for (auto &w : m_writers)
        if (w->m_table == table && w->m_columns == columns)
            return *w;
    const int rowsPerStatement = qMax(1, kValuesPerStatement / int(columns.size()));
    m_writers.emplace_back(new TableWriter(*this, table, columns, rowsPerStatement));
    return *m_writers.back();
}

void BulkLoader::counted(int rows)
{
    m_rows += rows;
    m_sinceCommit += rows;
    if (m_sinceCommit >= m_commitEvery) {
        m_db.commit();
        m_db.begin();
        m_sinceCommit = 0;
    }
}

void BulkLoader::dropSecondaryIndexes()
{
    static const QRegularExpression indexName(QStringLiteral("^CREATE (?:UNIQUE )?INDEX (\\S+) ON"));
    for (const QString &ddl : store::Schema::instance().ddl(m_db.backend())) {
        const auto m = indexName.match(ddl);
        if (!m.hasMatch())
            continue;
        m_db.exec(QStringLiteral("DROP INDEX IF EXISTS %1").arg(m.captured(1)));
        m_droppedIndexDdl << ddl;
    }
}

void BulkLoader::finish()
{
    for (auto &w : m_writers)
        w->flush(true);
    if (m_db.inTransaction())
        m_db.commit();
}

double BulkLoader::buildSecondaryIndexes()
{
    QElapsedTimer t;
    t.start();
    for (const QString &ddl : m_droppedIndexDdl)
        m_db.exec(ddl);
    m_droppedIndexDdl.clear();
    return t.elapsed() / 1000.0;
}

QMap<QString, qint64> BulkLoader::rowsPerTable() const
{
    QMap<QString, qint64> out;
    for (const auto &w : m_writers)
        out[w->m_table] += w->m_rows;
    return out;
}

} // namespace bench
