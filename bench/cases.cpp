// What the cases share: finding their way in the loaded data set, reading results.

#include "bench/cases.h"

namespace bench {

void BenchEnv::discover()
{
    monthLast = data.lastDay;
    monthFirst = QDate(monthLast.year(), monthLast.month(), 1);
    const auto op = db.one(QStringLiteral("SELECT 操作员姓名, 所属部门, 部门编号 FROM 操作员信息表 WHERE 操作员代号 = ?"),
                           {kBenchOperatorCode});
    if (!op)
        throw store::DbError(QStringLiteral("the data set has no operator %1").arg(kBenchOperatorCode));
    operatorCode = kBenchOperatorCode;
    operatorName = op->value(0).toString();
    branchName = op->value(1).toString();
    branchCode = op->value(2).toString();
    plateInMonth = db.scalar(QStringLiteral("SELECT o.车牌号码 FROM 托修单主表 o JOIN 结算单主表 s ON s.托修单编号 = o.托修单编号 "
                                            "WHERE o.接车时间 >= ? AND o.接车时间 <= ? AND s.完工时间 <= ? ORDER BY o.托修单编号 LIMIT 1"),
                             {monthFirst, monthLast.addDays(-5), monthLast})
                       .toString();
}

int readAll(QSqlQuery &q)
{
    int rows = 0;
    while (q.next()) {
        const int n = q.record().count();
        for (int i = 0; i < n; ++i)
            (void)q.value(i);
        ++rows;
    }
    return rows;
}

} // namespace bench
