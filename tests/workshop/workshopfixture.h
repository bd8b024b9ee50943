#pragma once
// Small helpers of the workshop tests: operators, goods with and without stock rows,
// service items, a filled-in repair order, row counts.

#include "tests/support/fixtures.h"
#include "workshop/repairorders.h"
#include "workshop/serviceitems.h"
#include "store/blankdb.h"
#include "store/money.h"

namespace workshoptest {

inline const QString kDept = store::kHeadOfficeName;   // the operators' department and warehouse

using testsupport::count;

// The shared test operators, receiving cars with the plate prefix "粤A".
inline shell::OperatorContext manager()
{
    shell::OperatorContext who = testsupport::manager();
    who.platePrefix = QStringLiteral("粤A");
    return who;
}
inline shell::OperatorContext clerk()
{
    shell::OperatorContext who = testsupport::clerk();
    who.platePrefix = QStringLiteral("粤A");
    return who;
}

// The head office's counter columns 最后托修单号 and 最后结算单号.
inline QString lastRepairOrderNumber(store::Db &db)
{
    return db.scalar(QStringLiteral("SELECT 最后托修单号 FROM 部门信息 WHERE 部门编号 = '0000'")).toString();
}
inline QString lastSettlementNumber(store::Db &db)
{
    return db.scalar(QStringLiteral("SELECT 最后结算单号 FROM 部门信息 WHERE 部门编号 = '0000'")).toString();
}

// Repair order saves by the clerk (new) and the manager (modification) on 2024-05-06.
inline workshop::SaveOptions orderNewMode()
{
    return {workshop::SaveMode::New, clerk(), std::nullopt, QDate(2024, 5, 6)};
}
inline workshop::SaveOptions orderModifyMode()
{
    return {workshop::SaveMode::Modify, manager(), std::nullopt, QDate(2024, 5, 6)};
}

inline QStringList journal(store::Db &db)
{
    QStringList texts;
    QSqlQuery q = db.exec(QStringLiteral("SELECT 业务内容 FROM 操作流水表 ORDER BY 流水号"));
    while (q.next())
        texts << q.value(0).toString();
    return texts;
}

inline void addGoodsCategory(store::Db &db, const QString &code, const QString &name)
{
    db.execWrite(QStringLiteral("INSERT INTO 物品类别 (物品类别编号, 物品类别, 最后编号) VALUES (?, ?, '0000')"), {code, name});
}

// A catalogue row: purchase price 40, sale price 60 unless given.
inline void addGoods(store::Db &db, const QString &code, const QString &name, const QString &spec,
                     const QString &category, const QString &barcode = {},
                     store::Money purchase = store::Money::fromYuan(40), store::Money sale = store::Money::fromYuan(60))
{
    db.execWrite(QStringLiteral("INSERT INTO 物品信息表 (物品编号, 物品名称, 物品规格, 物品类别, 物品单位, 参考进货价, 参考销售价, 条形码) "
                                "VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                 {code, name, spec, category, QStringLiteral("桶"), purchase.toVariant(), sale.toVariant(), barcode});
}

inline void addStockRow(store::Db &db, const QString &code, const QString &warehouse, double quantity, double average)
{
    db.execWrite(QStringLiteral("INSERT INTO 物品库存表 (物品编号, 仓库, 物品数量, 总成本, 平均成本) VALUES (?, ?, ?, ?, ?)"),
                 {code, warehouse, quantity, store::Money::fromDouble(quantity * average).toVariant(), average});
}

inline workshop::NoteLine labourLine(const QString &item, double fee)
{
    workshop::NoteLine l;
    l.item = item;
    l.labourFee = fee;
    l.unitPrice = 0;
    l.quantity = 0;
    return l;
}

inline workshop::NoteLine materialLine(const QString &name, double price, double quantity, double cost = 0)
{
    workshop::NoteLine l;
    l.goodsCode = QStringLiteral("1010001");
    l.goodsName = name;
    l.unit = QStringLiteral("桶");
    l.unitPrice = price;
    l.quantity = quantity;
    l.unitCost = cost;
    return l;
}

// A received car with an owner and two lines, numbered `number`.
inline workshop::RepairOrder sampleOrder(const QString &number, const QString &plate = QStringLiteral("粤A12345"))
{
    workshop::RepairOrder o;
    o.number = number;
    o.received = QDate(2024, 5, 6);
    o.expectedCompletion = QDate(2024, 5, 9);
    o.plate = plate;
    o.model = QStringLiteral("丰田凯美瑞");
    o.colour = QStringLiteral("白");
    o.vin = QStringLiteral("LVGBE40K18G123456");
    o.engineNo = QStringLiteral("2AR1234567");
    o.mileage = 86420;
    o.owner = QStringLiteral("顺达物流");
    o.contact = QStringLiteral("陈先生");
    o.phone = QStringLiteral("020-38881234");
    o.mobile = QStringLiteral("13800138000");
    o.address = QStringLiteral("广州市白云区机场路123号");
    o.postcode = QStringLiteral("510405");
    o.fax = QStringLiteral("020-87654322");
    o.inspection = QStringLiteral("左前门刮痕");
    o.status = QStringLiteral("已接车");
    o.adviser = QStringLiteral("李明");
    o.lines = {labourLine(QStringLiteral("更换机油"), 50), materialLine(QStringLiteral("全合成机油"), 100, 2, 70)};
    return o;
}

} // namespace workshoptest
