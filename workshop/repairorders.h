#pragma once
// Repair orders (托修单主表 / 托修单子表): reserving a number with its header row,
// loading an order with its lines, saving it with its customer record, abandoning an
// unsaved one. Each of these is one transaction; a save's journal entry is part of it.
//
// Typical use (also what a bench or the settlement entry can call without a window):
//   const QString no = workshop::beginRepairOrder(db, who.department);
//   workshop::RepairOrder order = ...;   order.number = no;
//   workshop::saveRepairOrder(db, order, {.mode = workshop::SaveMode::New, .who = who});
//   std::optional<workshop::RepairOrder> again = workshop::loadRepairOrder(db, no);

#include "workshop/notelines.h"
#include "workshop/notevehicle.h"
#include "shell/common/operatorcontext.h"
#include "store/db.h"

#include <QDate>
#include <optional>

namespace workshop {

// The vehicle and owner (plate, model, ..., fax) come from NoteVehicle.
struct RepairOrder : NoteVehicle {
    QString number;                 // 托修单编号, also 实际单号
    QString department;             // 服务部门
    QDate received;                 // 接车时间
    QDate expectedCompletion;       // 预计完工时间
    QString inspection;             // 接车前检查
    double surchargeRate = 0;       // 附加管理费: a rate in percent
    QString status;                 // 车辆状态
    QString remark;                 // 备注
    QString adviser;                // 业务接待
    QString technician;             // 维修技师
    QString inspector;              // 质检员
    QString customerSignature;      // 客户名
    QString clerk;                  // 制单员: the operator who saved it
    // Set by settlements and receipts; a save in modification mode keeps them.
    bool audited = false;           // 审核标志
    bool collected = false;         // 取车标志
    bool finished = false;          // 完成标志
    bool paid = false;              // 付款标志
    QList<NoteLine> lines;          // in 托修单明细编号 order

    NoteTotals totals() const { return noteTotals(lines, surchargeRate); }
};

// The vehicle status words the entry form offers; other typed text is kept too.
QStringList vehicleStatusWords();   // "已接车" (the default), "正在维修", "维修完成", "已取车"

// The employee names the staff drop-downs offer, in name order.
QStringList employeeNames(store::Db &db);

// Reserves the next repair order number of the department (found by name) and inserts
// its header row (托修单编号, 服务部门). Throws WorkshopError for an unknown department,
// DbError when the counter cannot give a number (nothing is written then).
QString beginRepairOrder(store::Db &db, const QString &department);

// Deletes the lines and the header of an order that was reserved and never saved.
// The counter is not turned back: the number is never given again.
void abandonRepairOrder(store::Db &db, const QString &number);

// The order with its lines, if the number exists.
std::optional<RepairOrder> loadRepairOrder(store::Db &db, const QString &number);
QList<NoteLine> repairOrderLines(store::Db &db, const QString &number);

// An order whose 完成标志 is set opens for modification only for managers and
// administrators.
bool mayModify(const RepairOrder &order, const shell::OperatorContext &who);

// The save checks, in the order the entry form makes them; WorkshopError names the box
// ("车牌号码", "预计完工时间", or empty for the line grid).
void checkRepairOrder(const RepairOrder &order);

enum class SaveMode { New, Modify };

struct SaveOptions {
    SaveMode mode = SaveMode::New;
    shell::OperatorContext who;             // 制单员 (name) and 服务部门 (department)
    std::optional<QDate> nextServiceDate;   // 下次保养时间: written to the customer record
    QDate today = QDate::currentDate();     // 建档时间 of a new customer record
};

struct SaveResult {
    NoteTotals totals;
    bool customerCreated = false;           // the plate had no customer record
    int linesStored = 0;                    // blank lines are dropped
};

// Saves the order in one transaction: the header (服务部门 and 制单员 from `who`; in New
// mode the four flags cleared, in Modify mode kept), the lines replaced by the non-blank
// ones in order, the customer record created or refreshed, the next-service date, and
// the journal entry "新增托修单:{no}" / "修改托修单:{no}". A failure writes nothing.
SaveResult saveRepairOrder(store::Db &db, const RepairOrder &order, const SaveOptions &options);

} // namespace workshop
