#pragma once
// Settlements (结算单主表 / 结算单子表): the bill of one repair order. A settlement is
// begun with its own number, filled from its repair order, and saved in ONE transaction
// together with everything it raises: the repair order's 完成标志, the cash-book row
// ("汽车维修" in 现金帐表), the consumption row (客户消费表), the customer record and
// the journal entry. A settlement therefore never exists without its cash-book and
// consumption rows, and saving it again (modification) leaves exactly one of each.
//
//   const QString no = workshop::beginSettlement(db, who.department);
//   workshop::Settlement s;  s.number = no;
//   workshop::fillFromRepairOrder(s, workshop::repairOrderToSettle(db, "000000000007", no));
//   s.completed = s.due = QDate::currentDate();
//   workshop::saveSettlement(db, s, {.mode = workshop::SaveMode::New, .who = who});

#include "workshop/notelines.h"
#include "workshop/repairorders.h"
#include "workshop/workshoperror.h"
#include "print/pagemodel.h"
#include "shell/common/operatorcontext.h"
#include "store/db.h"
#include "store/money.h"

#include <QDate>
#include <optional>

namespace workshop {

enum class PaymentKind {
    Cash,       // "现金": paid at once, the repair order is finished
    OnAccount,  // "记帐": collected later by the receivable entry
};
QString paymentWord(PaymentKind kind);

// The vehicle and owner (plate, model, ..., fax) come from NoteVehicle.
struct Settlement : NoteVehicle {
    QString number;                 // 结算单编号, also 实际单号
    QString department;             // 服务部门: the department that reserved the number
    QString repairOrder;            // 托修单编号: the order this settlement bills
    QDate received;                 // 接车时间 (from the repair order, editable)
    QDate completed;                // 完工时间: date of the charge and of a cash payment
    QDate due;                      // 应结算时间
    double surchargeRate = 0;       // 附加管理费: a rate in percent
    PaymentKind payment = PaymentKind::Cash;
    QString remark;                 // 备注
    QString clerk;                  // 结算员: also the cash book's 收费人
    QString technician;             // 维修技师: from the repair order
    QString chiefInspector;         // 总质检员
    QString customerSignature;      // 客户名
    QList<NoteLine> lines;          // in 结算单明细编号 order

    // As stored; a save writes them from the fields above.
    QString settlementType;         // 结算类型: "现金", "记帐" or "已付款" after collection
    bool paid = false;              // 付款标志
    QDate paidOn;                   // 付款时间
    store::Money storedTotal;       // 整单金额合计
    QString status;                 // 车辆状态: "已结算" once saved
    QString maker;                  // 制单员

    NoteTotals totals() const { return noteTotals(lines, surchargeRate); }
};

// A settlement whose 付款标志 is set opens for modification only for managers and
// administrators.
bool mayModify(const Settlement &settlement, const shell::OperatorContext &who);

// The labour fee of a rate and hours: 工时单价 × 工时 rounded to the cent, a half cent
// to the even cent (2.5 × 3 = 7.50; 0.125 → 0.12).
double labourFeeFor(double rate, double hours);
// Applies the labour-rate rule to a line whose 工时单价 or 工时 changed: with both
// present 工时费 becomes their product; otherwise the line keeps its fee.
void applyLabourRate(NoteLine &line);

// Reserves the next settlement number of the department (found by name) and inserts
// its header row (结算单编号, 服务部门), atomically. Throws WorkshopError for an unknown
// department, DbError when the counter cannot give a number (nothing written then).
QString beginSettlement(store::Db &db, const QString &department);

// Deletes the lines and the header of a settlement reserved and never saved. The
// counter is not turned back.
void abandonSettlement(store::Db &db, const QString &number);

std::optional<Settlement> loadSettlement(store::Db &db, const QString &number);
QList<NoteLine> settlementLines(store::Db &db, const QString &number);

// The settlement (other than `except`) that bills the repair order, if any.
std::optional<QString> settlementOfRepairOrder(store::Db &db, const QString &repairOrder,
                                               const QString &except = {});

// A repair order that already has a settlement: shown as an information box captioned
// "提示信息" ("该托修单号已经进行结算过。结算单编号： " and the settlement's number).
class AlreadySettled : public WorkshopError {
public:
    explicit AlreadySettled(const QString &settlement);
    const QString &settlement() const { return m_settlement; }
    static QString caption() { return QStringLiteral("提示信息"); }

private:
    QString m_settlement;
};

// The repair order a settlement is to bill, loaded with its lines. Refuses an order
// billed by another settlement than `settlement` (AlreadySettled) and a number that
// names no order ("没有找到该编号的托修单，请查正后再录入。", box "对应托修单号").
RepairOrder repairOrderToSettle(store::Db &db, const QString &repairOrder, const QString &settlement = {});

// Copies the repair order into the settlement: its number, vehicle and owner, rate,
// remark, technician, reception date and lines (工时单价 empty). 完工时间 and
// 应结算时间 are left as they are.
void fillFromRepairOrder(Settlement &settlement, const RepairOrder &order);

// The save checks, in the order the entry form makes them; WorkshopError names the box
// ("车牌号码", "完工时间", or empty for the line grid).
void checkSettlement(const Settlement &settlement);

struct SettlementSaveOptions {
    SaveMode mode = SaveMode::New;
    shell::OperatorContext who;             // 制单员 (name); department of the cash book,
                                            // the consumption row and a new customer record
    QDate today = QDate::currentDate();     // 建档时间 of a new customer record
};

struct SettlementSaveResult {
    NoteTotals totals;                      // L, M, S, T of the saved lines
    store::Money materialCost;              // C: 材料成本金额 of the cash-book row
    bool customerCreated = false;
    int linesStored = 0;                    // blank lines are dropped
};

// Saves the settlement in one transaction; a failure writes nothing. The repair order is
// checked again here (it must exist and be billed by no other settlement), so a number
// typed without Enter cannot bill an unknown order or settle one twice. Writes the
// header (车辆状态 "已结算"; cash: 付款标志 1, 付款时间 = 完工时间, 结算类型 "现金";
// on account: 付款标志 0, no 付款时间, 结算类型 "记帐"; 整单金额合计 = T, the same
// amount as the cash book's 总收费金额), the repair order's 完成标志 (1 cash, 0 on
// account), the lines, the one "汽车维修" cash-book row (L, C, M + S, T; 收费人 =
// 结算员; cash: 收费标志 1 with 收款时间 = 完工时间 and 收款方式 "现金"; on account:
// 收费标志 0, 收款方式 "记帐"), the one "汽车维修" consumption row (T, 服务员工 = the
// technician), the customer record created or refreshed with 客户姓名 = 车主, and the
// journal entry "新增结算单:{no}" / "修改结算单:{no}".
SettlementSaveResult saveSettlement(store::Db &db, const Settlement &settlement, const SettlementSaveOptions &options);

// What a printed settlement shows: the header row (every 结算单主表 column), the
// department row of `department` (部门名称, 部门地址, 部门电话, 部门传真), the lines, and
// the totals of those lines. Empty values when the number is unknown.
struct SettlementPrintData {
    QVariantMap values;
    QList<QVariantMap> lines;
    NoteTotals totals;
    bool found = false;
};
SettlementPrintData settlementPrintData(store::Db &db, const QString &number, const QString &department);

// The pages of a saved settlement, with the labour-rate column (TPrintPayNote1Form) or
// without it (TPrintPayNoteForm). Throws WorkshopError when the number is unknown.
print::PageModel settlementPages(store::Db &db, const QString &number, const QString &department,
                                 bool withLabourRate);

// The department row a printed note names at its top and bottom.
QVariantMap departmentPrintValues(store::Db &db, const QString &department);

} // namespace workshop
