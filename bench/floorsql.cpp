#include "bench/floorsql.h"

namespace bench {

void insertRows(store::Db &db, const QString &table, const QStringList &columns, const QVariantList &values)
{
    const int rows = int(values.size() / columns.size());
    const QString one = QLatin1Char('(') + QStringList(columns.size(), QStringLiteral("?")).join(QLatin1Char(',')) + QLatin1Char(')');
    QSqlQuery &q = db.prepared(QStringLiteral("INSERT INTO %1 (%2) VALUES %3")
                                   .arg(table, columns.join(QLatin1Char(',')), QStringList(rows, one).join(QLatin1Char(','))));
    db.run(q, values);
}

QVariantList runReturning(store::Db &db, const QString &sql, const QVariantList &params)
{
    QSqlQuery &q = db.prepared(sql);
    db.run(q, params);
    QVariantList out;
    if (q.next())
        for (int i = 0; i < q.record().count(); ++i)
            out << q.value(i);
    q.finish();
    return out;
}

void floorJournal(store::Db &db, const QString &text, const QString &operatorName)
{
    QSqlQuery &q = db.prepared(QStringLiteral("INSERT INTO 操作流水表 (发生时间, 业务内容, 操作员) VALUES (?, ?, ?)"));
    db.run(q, {QDateTime::currentDateTime(), text, operatorName});
}

} // namespace bench
