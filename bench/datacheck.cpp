// The rules a generated data set must obey, checked with SQL on the loaded database.

#include "bench/datagen.h"

#include <QElapsedTimer>

namespace bench {

namespace {

struct Rule {
    const char *what;
    const char *sql;   // counts the rows that break the rule
};

// SQL that both backends read alike: CAST to numbers, SUBSTR of the sequence part.
// "+column" keeps SQLite (no statistics) off the index of the 收费标志 flag, which it
// would otherwise pick over the note-number index.
const Rule kRules[] = {
    {"repair-order counters end where the numbers end",
     "SELECT COUNT(*) FROM 部门信息 d WHERE COALESCE(CAST(d.最后托修单号 AS INTEGER),0) <> "
     "COALESCE((SELECT MAX(CAST(SUBSTR(托修单编号,5) AS INTEGER)) FROM 托修单主表 WHERE SUBSTR(托修单编号,1,4) = d.部门编号),0)"},
    {"settlement counters end where the numbers end",
     "SELECT COUNT(*) FROM 部门信息 d WHERE COALESCE(CAST(d.最后结算单号 AS INTEGER),0) <> "
     "COALESCE((SELECT MAX(CAST(SUBSTR(结算单编号,5) AS INTEGER)) FROM 结算单主表 WHERE SUBSTR(结算单编号,1,4) = d.部门编号),0)"},
    {"service-note counters end where the numbers end",
     "SELECT COUNT(*) FROM 部门信息 d WHERE COALESCE(CAST(d.最后美容单号 AS INTEGER),0) <> "
     "COALESCE((SELECT MAX(CAST(SUBSTR(美容单编号,5) AS INTEGER)) FROM 美容单主表 WHERE SUBSTR(美容单编号,1,4) = d.部门编号),0)"},
    {"stock-in and stock-out counters of row 0000 end where the numbers end",
     "SELECT COUNT(*) FROM 部门信息 d WHERE d.部门编号 = '0000' AND ("
     "CAST(d.最后入库单号 AS INTEGER) <> (SELECT COALESCE(MAX(CAST(SUBSTR(入库单编号,5) AS INTEGER)),0) FROM 入库单主表) OR "
     "CAST(d.最后出库单号 AS INTEGER) <> (SELECT COALESCE(MAX(CAST(SUBSTR(出库单编号,5) AS INTEGER)),0) FROM 出库单主表))"},
    {"every stock row holds what its ledger rows add up to",
     "SELECT COUNT(*) FROM 物品库存表 s LEFT JOIN (SELECT 物品编号, 部门名称, SUM(入库数量 - 出库数量) AS q FROM 业务流水 "
     "GROUP BY 物品编号, 部门名称) l ON l.物品编号 = s.物品编号 AND l.部门名称 = s.仓库 WHERE ABS(s.物品数量 - COALESCE(l.q,0)) > 0.0001"},
    {"the last ledger row of every stock row shows its quantity and value",
     "SELECT COUNT(*) FROM 物品库存表 s JOIN 业务流水 l ON l.自动编号 = (SELECT MAX(自动编号) FROM 业务流水 x "
     "WHERE x.物品编号 = s.物品编号 AND x.部门名称 = s.仓库) "
     "WHERE ABS(l.当时库存 - s.物品数量) > 0.0001 OR ABS(l.当时库存金额 - s.总成本) > 0.0001"},
    {"one ledger row per goods of every stock-in note",
     "SELECT ABS((SELECT COUNT(*) FROM 入库单子表) - (SELECT COUNT(*) FROM 业务流水 WHERE 业务名称 = '物品入库'))"},
    {"one ledger row per goods of every stock-out note",
     "SELECT ABS((SELECT COUNT(*) FROM 出库单子表) - (SELECT COUNT(*) FROM 业务流水 WHERE 业务名称 = '物品出库'))"},
    {"every settlement has one cash-book row with its total and paid state",
     "SELECT COUNT(*) FROM 结算单主表 s WHERE (SELECT COUNT(*) FROM 现金帐表 c WHERE c.单据编号 = s.结算单编号 AND c.业务名称 = '汽车维修' "
     "AND ABS(c.总收费金额 - s.整单金额合计) < 0.01 AND +c.收费标志 = s.付款标志) <> 1"},
    {"every settlement total is labour + materials + surcharge of its lines",
     "SELECT COUNT(*) FROM 结算单主表 s JOIN (SELECT 结算单编号, SUM(COALESCE(工时费,0)) AS l, SUM(COALESCE(材料金额合计,0)) AS m "
     "FROM 结算单子表 GROUP BY 结算单编号) t ON t.结算单编号 = s.结算单编号 "
     "WHERE ABS(s.整单金额合计 - (t.l + t.m * (1 + s.附加管理费 / 100.0))) > 0.01"},
    {"a repair order is finished exactly when its settlement is paid",
     "SELECT COUNT(*) FROM 托修单主表 o LEFT JOIN 结算单主表 s ON s.托修单编号 = o.托修单编号 "
     "WHERE o.完成标志 <> COALESCE(s.付款标志, 0)"},
    {"every walk-in service note has one cash-book row",
     "SELECT COUNT(*) FROM 美容单主表 n WHERE n.会员服务 = 0 AND (SELECT COUNT(*) FROM 现金帐表 c WHERE c.单据编号 = n.美容单编号 "
     "AND c.业务名称 = '汽车美容服务' AND c.总收费金额 = n.收费金额 AND +c.收费标志 = n.付款标志) <> 1"},
    {"a card's use count is the number of member services on it",
     "SELECT COUNT(*) FROM 洗车卡信息表 k WHERE k.洗车卡已使用次数 <> (SELECT COUNT(*) FROM 美容单主表 n WHERE n.会员卡编号 = k.洗车卡号)"},
    {"every plate of a repair order has its customer record",
     "SELECT COUNT(*) FROM 托修单主表 o WHERE NOT EXISTS (SELECT 1 FROM 客户信息表 c WHERE c.车牌号码 = o.车牌号码)"},
    {"a customer's mileage is the latest repair order's",
     "SELECT COUNT(*) FROM 客户信息表 c WHERE c.里程数 <> (SELECT MAX(接车里程) FROM 托修单主表 o WHERE o.车牌号码 = c.车牌号码)"},
};

} // namespace

QStringList checkDataSet(store::Db &db, const std::function<void(const QString &)> &log)
{
    QStringList problems;
    for (const Rule &r : kRules) {
        QElapsedTimer t;
        t.start();
        const qint64 bad = db.scalar(QString::fromUtf8(r.sql)).toLongLong();
        if (log)
            log(QStringLiteral("  %1: %2 (%3 s)").arg(QString::fromUtf8(r.what), bad ? QStringLiteral("%1 rows break it").arg(bad) : QStringLiteral("holds"))
                    .arg(t.elapsed() / 1000.0, 0, 'f', 1));
        if (bad != 0)
            problems << QStringLiteral("%1: %2 rows break it").arg(QString::fromUtf8(r.what)).arg(bad);
    }
    return problems;
}

} // namespace bench
