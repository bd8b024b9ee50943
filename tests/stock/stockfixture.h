#pragma once
// Small helpers of the stock tests: a category with goods, a second warehouse, a
// stock note of known lines (operators and row counts come from tests/support).

#include "stock/categoryservice.h"
#include "stock/goodsservice.h"
#include "stock/stockrules.h"
#include "store/blankdb.h"
#include "tests/support/fixtures.h"

namespace stocktest {

inline const QString kWarehouse = store::kHeadOfficeName;
inline const QString kBranch = QStringLiteral("一分店");

using testsupport::clerk;
using testsupport::manager;

inline stock::Goods goods(const QString &name, const QString &category = QStringLiteral("机油"),
                          const QString &barcode = {})
{
    stock::Goods g;
    g.name = name;
    g.category = category;
    g.specs = QStringLiteral("4L");
    g.unit = QStringLiteral("桶");
    g.brand = QStringLiteral("美孚");
    g.purchasePrice = store::Money::fromYuan(4);
    g.salePrice = store::Money::fromYuan(6);
    g.lowestPrice = store::Money::fromYuan(5);
    g.barcode = barcode;
    return g;
}

// A category "机油" and one goods in it; returns the goods code.
inline QString addOilGoods(store::Db &db, const QString &name = QStringLiteral("美孚机油"), const QString &barcode = {})
{
    if (!stock::categoryByName(db, QStringLiteral("机油")))
        stock::addCategory(db, QStringLiteral("机油"), QStringLiteral("管理员"));
    return stock::addGoods(db, goods(name, QStringLiteral("机油"), barcode), std::nullopt, QStringLiteral("管理员"));
}

inline void addWarehouse(store::Db &db, const QString &code, const QString &name)
{
    db.execWrite(QStringLiteral("INSERT INTO 仓库信息表 (仓库编号, 仓库名称, 仓管员) VALUES (?, ?, ?)"), {code, name, QString()});
}

using testsupport::count;

inline stock::StockNote note(stock::Movement movement, const QString &warehouse,
                             std::vector<stock::MovementLine> lines, const QString &flag = QStringLiteral("外购入库"))
{
    stock::StockNote n;
    n.movement = movement;
    n.number = QStringLiteral("000000000001");
    n.date = QDate(2024, 3, 15);
    n.warehouse = warehouse;
    n.statisticsFlag = flag;
    n.handler = QStringLiteral("张三");
    n.operatorName = QStringLiteral("管理员");
    n.lines = std::move(lines);
    return n;
}

inline stock::MovementLine line(const QString &code, double quantity, double amount)
{
    return {code, quantity, store::Money::fromDouble(amount), {}, {}};
}

} // namespace stocktest
