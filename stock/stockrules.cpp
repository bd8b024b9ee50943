#include "stock/stockrules.h"
#include "store/ruleerror.h"

#include <cmath>

using store::Db;
using store::Money;

namespace stock {

QString businessName(Movement movement)
{
    switch (movement) {
    case Movement::In: return QStringLiteral("物品入库");
    case Movement::Out: return QStringLiteral("物品出库");
    case Movement::Gain: return QStringLiteral("盘盈入库");
    case Movement::Loss: return QStringLiteral("盘损出库");
    }
    return {};
}

double averageCost(Money total, double quantity)
{
    return std::round(total.toDouble() / quantity * 1e6) / 1e6;
}

namespace {

struct StockRow {
    StockLevel level;
    QString name, specs, unit;
};

std::optional<StockRow> readRow(Db &db, const QString &code, const QString &warehouse, bool lock)
{
    const auto r = db.one(QStringLiteral("SELECT 物品数量, 总成本, 平均成本, 物品名称, 物品规格, 物品单位 FROM 物品库存表 "
                                         "WHERE 物品编号 = ? AND 仓库 = ?%1").arg(lock ? db.forUpdate() : QString()),
                          {code, warehouse});
    if (!r)
        return std::nullopt;
    StockRow row;
    row.level.quantity = r->value(0).toDouble();
    row.level.totalCost = Money::fromVariant(r->value(1));
    row.level.averageCost = r->value(2).toDouble();
    row.name = r->value(3).toString();
    row.specs = r->value(4).toString();
    row.unit = r->value(5).toString();
    return row;
}

// One goods of a note, its lines summed.
struct GoodsSum {
    QString code, name, specs;
    double quantity = 0;
    Money amount;
};

std::vector<GoodsSum> sumPerGoods(const std::vector<MovementLine> &lines)
{
    std::vector<GoodsSum> sums;
    for (const MovementLine &line : lines) {
        if (line.quantity == 0)
            continue;
        const QString code = line.goodsCode.trimmed();
        auto it = std::find_if(sums.begin(), sums.end(), [&](const GoodsSum &s) { return s.code == code; });
        if (it == sums.end()) {
            sums.push_back({code, {}, {}, 0, {}});
            it = sums.end() - 1;
        }
        if (it->name.isEmpty()) {
            it->name = line.goodsName.trimmed();
            it->specs = line.specs.trimmed();
        }
        it->quantity += line.quantity;
        it->amount += line.amount;
    }
    return sums;
}

void writeLevel(Db &db, const QString &code, const QString &warehouse, const StockLevel &level,
                const QString &operatorName, bool touchOperator)
{
    if (touchOperator)
        db.execWrite(QStringLiteral("UPDATE 物品库存表 SET 物品数量 = ?, 总成本 = ?, 平均成本 = ?, 最后修改人 = ? "
                                    "WHERE 物品编号 = ? AND 仓库 = ?"),
                     {level.quantity, level.totalCost.toVariant(), level.averageCost,
                      store::gbkTruncate(operatorName, 12), code, warehouse});
    else
        db.execWrite(QStringLiteral("UPDATE 物品库存表 SET 物品数量 = ?, 总成本 = ? WHERE 物品编号 = ? AND 仓库 = ?"),
                     {level.quantity, level.totalCost.toVariant(), code, warehouse});
}

// The level after adding (sign +1) or removing (-1) a quantity and its value; the
// average follows the new totals unless the quantity lands on exactly 0.
StockLevel moved(const StockLevel &before, int sign, double quantity, Money amount)
{
    StockLevel after;
    after.quantity = before.quantity + sign * quantity;
    after.totalCost = sign > 0 ? before.totalCost + amount : before.totalCost - amount;
    after.averageCost = after.quantity != 0 ? averageCost(after.totalCost, after.quantity) : before.averageCost;
    return after;
}

QString goodsUnit(Db &db, const QString &code)
{
    return db.scalar(QStringLiteral("SELECT 物品单位 FROM 物品信息表 WHERE 物品编号 = ?"), {code}).toString();
}

} // namespace

std::optional<StockLevel> stockLevel(Db &db, const QString &goodsCode, const QString &warehouse)
{
    const auto row = readRow(db, goodsCode, warehouse, false);
    if (!row)
        return std::nullopt;
    return row->level;
}

void createStockRow(Db &db, const QString &goodsCode, const QString &warehouse, const StockLevel &level,
                    const QString &operatorName)
{
    const auto g = db.one(QStringLiteral("SELECT 物品名称, 物品规格, 物品类别, 条形码, 品牌, 参考销售价, 最低销售价, "
                                         "最低库存限额, 最高库存限额, 物品单位 FROM 物品信息表 WHERE 物品编号 = ?"),
                          {goodsCode});
    if (!g)
        throw store::RuleError(QStringLiteral("物品信息表中没有编号为\"%1\"的物品,无法建立它的库存记录!").arg(goodsCode));
    db.execWrite(QStringLiteral("INSERT INTO 物品库存表 (物品编号, 仓库, 物品名称, 物品类型, 物品规格, 品牌, 物品单位, 条形码, "
                                "建议销售价, 最低销售价, 最高库存限额, 最低库存限额, 物品数量, 总成本, 平均成本, 最后修改人) "
                                "VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
                 {goodsCode, warehouse, g->value(0), g->value(2), g->value(1), g->value(4), g->value(9), g->value(3),
                  Money::fromVariant(g->value(5)).toVariant(), Money::fromVariant(g->value(6)).toVariant(),
                  g->value(8), g->value(7), level.quantity, level.totalCost.toVariant(), level.averageCost,
                  store::gbkTruncate(operatorName, 12)});
}

std::vector<GoodsMovement> applyStockNote(Db &db, const StockNote &note)
{
    const QString warehouse = note.warehouse.trimmed();
    if (warehouse.isEmpty())
        throw store::RuleError(QStringLiteral("单据没有仓库,不能移动库存!"));
    const std::vector<GoodsSum> sums = sumPerGoods(note.lines);
    if (sums.empty())
        throw store::RuleError(QStringLiteral("单据没有物品,不能移动库存!"));
    const QString business = businessName(note.movement);
    const QString flag = (note.movement == Movement::Gain || note.movement == Movement::Loss) ? business : note.statisticsFlag;

    store::Transaction tx(db);
    std::vector<GoodsMovement> result;
    for (const GoodsSum &sum : sums) {
        GoodsMovement m;
        m.goodsCode = sum.code;
        m.quantity = sum.quantity;
        m.amount = sum.amount;
        const std::optional<StockRow> row = readRow(db, sum.code, warehouse, true);
        if (row)
            m.averageBefore = row->level.averageCost;

        switch (note.movement) {
        case Movement::In:
            if (!row) {
                const double purchase = Money::fromVariant(
                    db.scalar(QStringLiteral("SELECT 参考进货价 FROM 物品信息表 WHERE 物品编号 = ?"), {sum.code})).toDouble();
                StockLevel level{sum.quantity, sum.amount,
                                 sum.quantity != 0 ? averageCost(sum.amount, sum.quantity) : purchase};
                createStockRow(db, sum.code, warehouse, level, note.operatorName);
                m.rowCreated = true;
            } else {
                writeLevel(db, sum.code, warehouse, moved(row->level, +1, sum.quantity, sum.amount), note.operatorName, true);
            }
            break;
        case Movement::Gain:
            if (!row)
                throw store::RuleError(QStringLiteral("仓库\"%1\"中没有物品%2的库存记录,不能盘盈入库!").arg(warehouse, sum.code));
            writeLevel(db, sum.code, warehouse, moved(row->level, +1, sum.quantity, sum.amount), note.operatorName, true);
            break;
        case Movement::Loss:
            if (row)
                writeLevel(db, sum.code, warehouse, moved(row->level, -1, sum.quantity, sum.amount), note.operatorName, true);
            break;
        case Movement::Out:
            // The value leaves at the current average cost; the average stays.
            m.amount = row ? Money::fromDouble(sum.quantity * row->level.averageCost) : Money();
            if (row) {
                StockLevel level = row->level;
                level.quantity -= sum.quantity;
                level.totalCost -= m.amount;
                writeLevel(db, sum.code, warehouse, level, note.operatorName, false);
            }
            break;
        }
        m.rowMissing = !row && !m.rowCreated;

        const std::optional<StockRow> after = readRow(db, sum.code, warehouse, false);
        if (after)
            m.after = after->level;
        const bool in = note.movement == Movement::In || note.movement == Movement::Gain;
        db.execWrite(QStringLiteral("INSERT INTO 业务流水 (单据编号, 物品编号, 物品名称, 物品规格, 物品单位, 业务名称, 统计标志, "
                                    "发生时间, 部门名称, 入库数量, 入库金额, 出库数量, 出库金额, 经办人, 当时库存, 当时库存金额, 单价) "
                                    "VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
                     {note.number, sum.code,
                      !sum.name.isEmpty() ? sum.name : after ? after->name : QString(),
                      !sum.name.isEmpty() ? sum.specs : after ? after->specs : QString(),
                      after ? after->unit : goodsUnit(db, sum.code), business, flag, note.date, warehouse,
                      in ? m.quantity : 0.0, (in ? m.amount : Money()).toVariant(),
                      in ? 0.0 : m.quantity, (in ? Money() : m.amount).toVariant(),
                      store::gbkTruncate(note.handler, 12), m.after.quantity, m.after.totalCost.toVariant(),
                      Money::fromDouble(m.after.averageCost).toVariant()});
        result.push_back(m);
    }
    tx.commit();
    return result;
}

} // namespace stock
