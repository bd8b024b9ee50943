// Stock notes: saving a stock-in note of 50 lines into a branch warehouse.

#include "bench/cases.h"
#include "bench/floorsql.h"
#include "bench/rng.h"
#include "stock/stockin/stockinservice.h"

#include <cmath>
#include <memory>
#include <unordered_set>

namespace bench {

namespace {

constexpr int kLines = 50;

struct StockInState {
    std::vector<stock::StockInLine> catalogue;   // one line per goods at its purchase price
    Rng rng{20240601};
    QString number;
    QString supplier, handler;
};

// Begins a note and writes its 50 picked lines as the line picker does (untimed).
void beginNote(store::Db &db, StockInState &st)
{
    st.number = stock::beginStockInNote(db);
    std::unordered_set<int> seen;
    store::Transaction tx(db);
    while (int(seen.size()) < kLines) {
        const int i = st.rng.below(int(st.catalogue.size()));
        if (!seen.insert(i).second) continue;
        stock::StockInLine l = st.catalogue[size_t(i)];
        l.quantity = st.rng.range(1, 20);
        stock::addPickedLine(db, st.number, stock::kPurchaseIn, l);
    }
    tx.commit();
}

// The save by hand: per goods one UPDATE ... RETURNING (or INSERT ... RETURNING for a
// new stock row), one multi-row insert of the ledger rows, header, journal.
void floorSave(store::Db &db, const StockInState &st, const BenchEnv &env)
{
    static const QString update = QStringLiteral(
        "UPDATE 物品库存表 SET 物品数量 = 物品数量 + ?, 总成本 = 总成本 + ?, 平均成本 = CASE WHEN 物品数量 + ? <> 0 "
        "THEN ROUND(CAST((总成本 + ?) / (物品数量 + ?) AS NUMERIC), 6) ELSE 平均成本 END, 最后修改人 = ? "
        "WHERE 物品编号 = ? AND 仓库 = ? RETURNING 物品数量, 总成本, 平均成本, 物品单位");
    static const QString insert = QStringLiteral(
        "INSERT INTO 物品库存表 (物品编号, 仓库, 物品名称, 物品类型, 物品规格, 品牌, 物品单位, 条形码, 建议销售价, 最低销售价, "
        "最高库存限额, 最低库存限额, 物品数量, 总成本, 平均成本, 最后修改人) SELECT 物品编号, CAST(? AS VARCHAR(50)), 物品名称, "
        "物品类别, 物品规格, 品牌, 物品单位, 条形码, 参考销售价, 最低销售价, 最高库存限额, 最低库存限额, "
        "CAST(? AS DOUBLE PRECISION), CAST(? AS NUMERIC), CAST(? AS DOUBLE PRECISION), CAST(? AS VARCHAR(12)) "
        "FROM 物品信息表 WHERE 物品编号 = ? RETURNING 物品数量, 总成本, 平均成本, 物品单位");
    static const QStringList ledgerColumns = QStringLiteral(
        "单据编号,物品编号,物品名称,物品规格,物品单位,业务名称,统计标志,发生时间,部门名称,入库数量,入库金额,出库数量,出库金额,"
        "经办人,当时库存,当时库存金额,单价").split(QLatin1Char(','));
    const QDate today = QDate::currentDate();
    store::Transaction tx(db);
    QSqlQuery &del = db.prepared(QStringLiteral("DELETE FROM 入库单子表 WHERE 入库单编号 = ? AND 物品数量 = 0"));
    db.run(del, {st.number});
    QSqlQuery &sums = db.prepared(QStringLiteral(
        "SELECT 物品编号, 物品名称, 物品规格, SUM(物品数量), SUM(金额合计) FROM 入库单子表 WHERE 入库单编号 = ? "
        "GROUP BY 物品编号, 物品名称, 物品规格"));
    db.run(sums, {st.number});
    struct Sum { QString code, name, spec; double qty; store::Money amount; };
    std::vector<Sum> goods;
    while (sums.next())
        goods.push_back({sums.value(0).toString(), sums.value(1).toString(), sums.value(2).toString(), sums.value(3).toDouble(),
                         store::Money::fromVariant(sums.value(4))});
    sums.finish();
    QVariantList ledger;
    for (const Sum &g : goods) {
        const QVariant amount = g.amount.toVariant();
        QVariantList after = runReturning(db, update, {g.qty, amount, g.qty, amount, g.qty, env.operatorName, g.code, env.branchName});
        if (after.isEmpty()) {
            const double avg = std::round(g.amount.toDouble() / g.qty * 1e6) / 1e6;
            after = runReturning(db, insert, {env.branchName, g.qty, amount, avg, env.operatorName, g.code});
        }
        ledger << st.number << g.code << g.name << g.spec << after.value(3) << QStringLiteral("物品入库") << stock::kPurchaseIn
               << today << env.branchName << g.qty << amount << 0.0 << store::Money().toVariant() << st.handler
               << after.value(0) << store::Money::fromVariant(after.value(1)).toVariant()
               << store::Money::fromDouble(after.value(2).toDouble()).toVariant();
    }
    insertRows(db, QStringLiteral("业务流水"), ledgerColumns, ledger);
    QSqlQuery &head = db.prepared(QStringLiteral(
        "UPDATE 入库单主表 SET 入库日期 = ?, 交货单位 = ?, 收料仓库 = ?, 入库类型 = ?, 实际单号 = ?, 制单人 = ?, 经办人 = ?, 摘要 = ? "
        "WHERE 入库单编号 = ?"));
    db.run(head, {today, st.supplier, env.branchName, stock::kPurchaseIn, QString(), env.operatorName, st.handler, QString(), st.number});
    floorJournal(db, QStringLiteral("新增物品入库单 %1").arg(st.number), env.operatorName);
    tx.commit();
}

} // namespace

std::vector<Case> stockCases(BenchEnv &env)
{
    store::Db &db = env.db;
    auto st = std::make_shared<StockInState>();
    QSqlQuery q = db.exec(QStringLiteral("SELECT 物品编号, 物品类别, 物品名称, 物品规格, 物品单位, 参考进货价 FROM 物品信息表 ORDER BY 物品编号"));
    while (q.next()) {
        stock::StockInLine l;
        l.goodsCode = q.value(0).toString();
        l.category = q.value(1).toString();
        l.name = q.value(2).toString();
        l.size = q.value(3).toString();
        l.unit = q.value(4).toString();
        l.price = std::round(store::Money::fromVariant(q.value(5)).toDouble() * 100) / 100;
        st->catalogue.push_back(l);
    }
    st->supplier = db.scalar(QStringLiteral("SELECT 供销商名称 FROM 供销商信息表 ORDER BY 供销商编号")).toString();
    st->handler = db.scalar(QStringLiteral("SELECT 员工姓名 FROM 员工信息表 WHERE 所在部门 = ? ORDER BY 员工编号"), {env.branchName}).toString();

    Case c;
    c.name = QStringLiteral("stockin_save_50");
    c.label = QStringLiteral("save stock-in note, 50 lines");
    c.kind = CaseKind::Save;
    c.reps = qMax(50, env.reps / 2);
    c.note = QStringLiteral("lines are written as they are picked (untimed); timed is the save: stock rows, ledger, header, journal");
    c.program.prepare = [&db, st] { beginNote(db, *st); };
    c.program.run = [&env, st] {
        stock::StockInHeader h;
        h.number = st->number;
        h.date = QDate::currentDate();
        h.supplier = st->supplier;
        h.warehouse = env.branchName;
        h.inType = stock::kPurchaseIn;
        h.handler = st->handler;
        stock::saveStockInNote(env.db, h, env.operatorName);
    };
    c.floor.prepare = [&db, st] { beginNote(db, *st); };
    c.floor.run = [&env, st] { floorSave(env.db, *st, env); };
    return {c};
}

} // namespace bench
