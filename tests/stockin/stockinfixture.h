#pragma once
// Goods, stock rows and stock-out lines made by the stock-in tests.

#include "stock/stockin/stockinservice.h"
#include "store/blankdb.h"
#include "store/money.h"
#include "tests/stock/stockfixture.h"

namespace stockintest {

inline const QString kHeadWarehouse = store::kHeadOfficeName;
inline const QString kOperator = QStringLiteral("管理员");

// A goods in category "机油" at a reference purchase price of 4.00; returns its code.
inline QString addGoods(store::Db &db, const QString &name, const QString &barcode = {})
{
    return stocktest::addOilGoods(db, name, barcode);
}

inline stock::StockInLine picked(store::Db &db, const QString &code, double price, double quantity)
{
    return stock::lineForGoods(*stock::goodsByCode(db, code), price, quantity);
}

inline stock::StockInHeader header(const QString &number, const QString &inType = stock::kPurchaseIn)
{
    stock::StockInHeader h;
    h.number = number;
    h.date = QDate(2024, 5, 20);
    h.supplier = QStringLiteral("华通配件");
    h.warehouse = kHeadWarehouse;
    h.inType = inType;
    h.actualNumber = QStringLiteral(" CG-001 ");
    h.handler = QStringLiteral("张三");
    h.remark = QStringLiteral("五月进货");
    return h;
}

struct Level {
    double quantity = -1;
    store::Money total;
    double average = -1;
    bool exists = false;
};

inline Level level(store::Db &db, const QString &code, const QString &warehouse = kHeadWarehouse)
{
    const auto r = db.one(QStringLiteral("SELECT 物品数量, 总成本, 平均成本 FROM 物品库存表 WHERE 物品编号 = ? AND 仓库 = ?"),
                          {code, warehouse});
    if (!r)
        return {};
    return {r->value(0).toDouble(), store::Money::fromVariant(r->value(1)), r->value(2).toDouble(), true};
}

using testsupport::count;

// A line of a stock-out note, as the stock-out form writes it.
inline void addStockOutLine(store::Db &db, const QString &number, const QString &code, double price, double quantity)
{
    const stock::Goods g = *stock::goodsByCode(db, code);
    db.execWrite(QStringLiteral("INSERT INTO 出库单子表 (出库单编号, 物品编号, 物品类型, 物品名称, 物品规格, 物品单位, 物品单价, "
                                "物品数量, 金额合计) VALUES (?,?,?,?,?,?,?,?,?)"),
                 {number, code, g.category, g.name, g.specs, g.unit, price, quantity,
                  store::Money::fromDouble(price * quantity).toVariant()});
}

} // namespace stockintest
