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
