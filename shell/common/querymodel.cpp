#include "shell/common/querymodel.h"
#include "store/db.h"

#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

namespace shell {

QueryModel::QueryModel(store::Db &db, QObject *parent) : QSqlQueryModel(parent), m_db(db) {}

void QueryModel::run(const QString &sql, const QVariantList &params)
{
    // A scrollable query: the model reads rows by position as the view needs them.
    QSqlQuery q(m_db.handle());
    if (!q.prepare(sql))
        throw store::DbError(q.lastError().text(), sql);
    for (int i = 0; i < params.size(); ++i)
        q.bindValue(i, m_db.toBindable(params[i]));
    if (!q.exec())
        throw store::DbError(q.lastError().text(), sql);
    m_sql = sql;
    m_params = params;
    setQuery(std::move(q));
    if (lastError().isValid())
        throw store::DbError(lastError().text(), sql);
}

void QueryModel::refresh()
{
    if (!m_sql.isEmpty())
        run(m_sql, m_params);
}

int QueryModel::fieldIndex(const QString &field) const
{
    const QSqlRecord r = record();
    int i = r.indexOf(field);
    if (i < 0) {
        for (int c = 0; c < r.count(); ++c)
            if (r.fieldName(c).compare(field, Qt::CaseInsensitive) == 0)
                return c;
    }
    return i;
}

// The statement without its final ORDER BY, when that clause stands at the top level,
// holds no bound value and no LIMIT follows: counting and summing need no sorting, and
// sorting a month of rows twice was most of a query's time.
static QString withoutTrailingOrderBy(const QString &sql)
{
    int depth = 0;
    bool quoted = false;
    int orderAt = -1;
    for (int i = 0; i < sql.size(); ++i) {
        const QChar c = sql[i];
        if (c == QLatin1Char('\'')) quoted = !quoted;
        if (quoted) continue;
        if (c == QLatin1Char('(')) ++depth;
        else if (c == QLatin1Char(')')) --depth;
        else if (depth == 0 && sql.mid(i, 8).compare(QLatin1String("ORDER BY"), Qt::CaseInsensitive) == 0
                 && (i == 0 || sql[i - 1].isSpace()))
            orderAt = i;
    }
    if (orderAt < 0)
        return sql;
    const QString tail = sql.mid(orderAt);
    if (tail.contains(QLatin1Char('?')) || tail.contains(QLatin1String("LIMIT"), Qt::CaseInsensitive)
        || tail.contains(QLatin1Char(')')))
        return sql;
    return sql.left(orderAt).trimmed();
}

QueryModel::Totals QueryModel::totals(const QStringList &sumFields) const
{
    Totals t;
    if (m_sql.isEmpty())
        return t;
    // The field names are the result's own columns, so they are safe to name here.
    QStringList parts{QStringLiteral("COUNT(*)")};
    const QSqlRecord r = record();
    QList<int> known;
    for (const QString &f : sumFields) {
        const int i = fieldIndex(f);
        known.append(i);
        if (i >= 0)
            parts.append(QStringLiteral("SUM(t.%1)").arg(r.fieldName(i)));
    }
    QString inner = m_sql.trimmed();
    while (inner.endsWith(QLatin1Char(';')))
        inner.chop(1);
    inner = withoutTrailingOrderBy(inner);
    const QString sql = QStringLiteral("SELECT %1 FROM (%2) t").arg(parts.join(QStringLiteral(", ")), inner);
    QSqlQuery q = m_db.exec(sql, m_params);
    if (!q.next())
        return t;
    t.rows = q.value(0).toLongLong();
    int col = 1;
    for (int i : known)
        t.sums.append(i >= 0 ? q.value(col++) : QVariant());
    return t;
}

void QueryModel::fetchAll(const std::function<bool(int)> &progress)
{
    while (canFetchMore()) {
        fetchMore();
        if (progress && !progress(rowCount()))
            return;
    }
}

} // namespace shell
