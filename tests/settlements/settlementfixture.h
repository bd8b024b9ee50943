#pragma once
// Helpers of the settlement tests: a saved repair order to bill, a settlement filled from
// it, and the rows a save leaves in the cash book and the consumption table.

#include "tests/workshop/workshopfixture.h"
#include "workshop/settlements/settlements.h"

namespace settletest {

using namespace workshoptest;

// Saves a repair order of one labour line (fee `labour`) and one material line worth
// `material` (cost `cost` for the whole quantity) with the surcharge rate, and returns
// its number.
inline QString savedOrder(store::Db &db, double labour = 100, double material = 50, double rate = 10,
                          const QString &plate = QStringLiteral("粤A12345"), double cost = 30)
{
    workshop::RepairOrder o = sampleOrder(workshop::beginRepairOrder(db, kDept), plate);
    o.surchargeRate = rate;
    o.technician = QStringLiteral("王强");
    o.lines = {labourLine(QStringLiteral("更换机油"), labour), materialLine(QStringLiteral("全合成机油"), material / 2, 2, cost / 2)};
    workshop::saveRepairOrder(db, o, orderNewMode());
    return o.number;
}

// A new settlement of the order, completed on 2024-05-10, paid as given.
inline workshop::Settlement settlementOf(store::Db &db, const QString &order,
                                         workshop::PaymentKind payment = workshop::PaymentKind::Cash)
{
    workshop::Settlement s;
    s.number = workshop::beginSettlement(db, kDept);
    workshop::fillFromRepairOrder(s, workshop::repairOrderToSettle(db, order, s.number));
    s.completed = QDate(2024, 5, 10);
    s.due = QDate(2024, 5, 10);
    s.clerk = QStringLiteral("小李");
    s.chiefInspector = QStringLiteral("赵刚");
    s.payment = payment;
    return s;
}

inline workshop::SettlementSaveOptions newMode(const shell::OperatorContext &who = clerk())
{
    return {workshop::SaveMode::New, who, QDate(2024, 5, 10)};
}
inline workshop::SettlementSaveOptions modifyMode(const shell::OperatorContext &who = manager())
{
    return {workshop::SaveMode::Modify, who, QDate(2024, 5, 10)};
}

inline std::optional<QSqlRecord> cashBookRow(store::Db &db, const QString &settlement)
{
    return db.one(QStringLiteral("SELECT * FROM 现金帐表 WHERE 业务名称 = '汽车维修' AND 单据编号 = ?"), {settlement});
}

inline bool finished(store::Db &db, const QString &order)
{
    return store::toBool(db.scalar(QStringLiteral("SELECT 完成标志 FROM 托修单主表 WHERE 托修单编号 = ?"), {order}));
}

} // namespace settletest
