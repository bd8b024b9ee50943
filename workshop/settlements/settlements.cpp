#include "workshop/settlements/settlements.h"
#include "workshop/notetables.h"
#include "print/layouts/settlement.h"

#include <algorithm>
#include <cmath>

namespace workshop {

namespace {

const QString kBusiness = QStringLiteral("汽车维修");   // 业务名称 and 消费类型 of a settlement
const QString kSettled = QStringLiteral("已结算");

QString unknownOrderMessage()
{
    return QStringLiteral("没有找到该编号的托修单，请查正后再录入。");
}

// Sets the repair order's 完成标志 and, by that update, holds its row until the save
// ends: two workstations settling one order queue here, and the second then finds
// the first one's settlement. Zero rows means the order does not exist.
void markRepairOrder(store::Db &db, const QString &repairOrder, bool finished, const QString &settlement)
{
    if (repairOrder.trimmed().isEmpty()
        || db.execWrite(QStringLiteral("UPDATE 托修单主表 SET 完成标志 = ? WHERE 托修单编号 = ?"),
                        {finished ? 1 : 0, repairOrder}) == 0)
        throw WorkshopError(unknownOrderMessage(), QStringLiteral("对应托修单号"));
    if (const auto other = settlementOfRepairOrder(db, repairOrder, settlement))
        throw AlreadySettled(*other);
}

void writeHeader(store::Db &db, const Settlement &s, const NoteTotals &t, const SettlementSaveOptions &opt)
{
    const bool cash = s.payment == PaymentKind::Cash;
    HeaderWrite w;
    w.columns = QStringList{QStringLiteral("托修单编号"), QStringLiteral("接车时间"), QStringLiteral("完工时间"),
                            QStringLiteral("应结算时间"), QStringLiteral("实际单号")}
                + vehicleColumns()
                + QStringList{QStringLiteral("附加管理费"), QStringLiteral("整单金额合计"), QStringLiteral("车辆状态"),
                              QStringLiteral("结算类型"), QStringLiteral("付款标志"), QStringLiteral("付款时间"),
                              QStringLiteral("备注"), QStringLiteral("结算员"), QStringLiteral("维修技师"),
                              QStringLiteral("总质检员"), QStringLiteral("客户名"), QStringLiteral("制单员")};
    w.values = QVariantList{s.repairOrder, dateOrNull(s.received), dateOrNull(s.completed), dateOrNull(s.due), s.number}
               + vehicleValues(s)
               + QVariantList{s.surchargeRate, t.total.toVariant(), kSettled, paymentWord(s.payment), cash ? 1 : 0,
                              cash ? dateOrNull(s.completed) : dateOrNull({}), s.remark, s.clerk, s.technician,
                              s.chiefInspector, s.customerSignature, opt.who.name};
    w.zeroFlags = {QStringLiteral("审核标志")};
    // The reserving department stays; a header inserted again takes the saver's.
    w.insertOnlyColumns = {QStringLiteral("服务部门")};
    w.insertOnlyValues = {opt.who.department};
    writeNoteHeader(db, settlementTables(), s.number, opt.mode, w);
}

store::Money writeCashBookRow(store::Db &db, const Settlement &s, const NoteTotals &t, const QString &department)
{
    db.execWrite(QStringLiteral("DELETE FROM 现金帐表 WHERE 业务名称 = ? AND 单据编号 = ?"), {kBusiness, s.number});
    const store::Money cost = store::Money::fromVariant(
        db.scalar(QStringLiteral("SELECT SUM(材料总成本) FROM 结算单子表 WHERE 结算单编号 = ?"), {s.number}));
    const bool cash = s.payment == PaymentKind::Cash;
    db.execWrite(QStringLiteral(
        "INSERT INTO 现金帐表 (单据编号, 部门名称, 业务名称, 收费时间, 服务收费金额, 材料成本金额, 材料收费金额, "
        "总收费金额, 收费人, 收费标志, 收款时间, 收款方式) VALUES (?,?,?,?,?,?,?,?,?,?,?,?)"),
        {s.number, department, kBusiness, dateOrNull(s.completed), t.labour.toVariant(), cost.toVariant(),
         t.materialWithSurcharge().toVariant(), t.total.toVariant(), s.clerk, cash ? 1 : 0,
         cash ? dateOrNull(s.completed) : dateOrNull({}), paymentWord(s.payment)});
    return cost;
}

void writeConsumptionRow(store::Db &db, const Settlement &s, const NoteTotals &t, const QString &department)
{
    db.execWrite(QStringLiteral("DELETE FROM 客户消费表 WHERE 消费类型 = ? AND 单据编号 = ?"), {kBusiness, s.number});
    db.execWrite(QStringLiteral(
        "INSERT INTO 客户消费表 (车牌号码, 客户姓名, 消费类型, 消费时间, 服务部门, 服务员工, 收费金额, 单据编号) "
        "VALUES (?,?,?,?,?,?,?,?)"),
        {s.plate, s.owner, kBusiness, dateOrNull(s.completed), department, s.technician, t.total.toVariant(),
         s.number});
}

QVariantMap recordToMap(const QSqlRecord &r)
{
    QVariantMap m;
    for (int i = 0; i < r.count(); ++i)
        m.insert(r.fieldName(i), r.value(i));
    return m;
}

} // namespace

QString paymentWord(PaymentKind kind)
{
    return kind == PaymentKind::Cash ? QStringLiteral("现金") : QStringLiteral("记帐");
}

bool mayModify(const Settlement &settlement, const shell::OperatorContext &who)
{
    return !settlement.paid || who.canDeleteOrModifyCompleted();
}

double labourFeeFor(double rate, double hours)
{
    // A product that is a half cent as written (0.125, 2.675) is a tie, although the
    // double holding it sits a hair above or below; ties go to the even cent.
    const double cents = rate * hours * 100.0;
    const double whole = std::floor(cents);
    const double tolerance = 1e-9 * std::max(1.0, std::abs(cents));
    double rounded;
    if (std::abs(cents - whole - 0.5) <= tolerance)
        rounded = std::fmod(whole, 2.0) == 0 ? whole : whole + 1;
    else
        rounded = std::round(cents);
    return rounded / 100.0 + 0.0;   // + 0.0: no "-0"
}

void applyLabourRate(NoteLine &line)
{
    if (line.labourRate && line.hours)
        line.labourFee = labourFeeFor(*line.labourRate, *line.hours);
}

AlreadySettled::AlreadySettled(const QString &settlement)
    : WorkshopError(QStringLiteral("该托修单号已经进行结算过。结算单编号： ") + settlement,
                    QStringLiteral("对应托修单号"), caption()),
      m_settlement(settlement)
{
}

QString beginSettlement(store::Db &db, const QString &department)
{
    return beginNote(db, settlementTables(), department);
}

void abandonSettlement(store::Db &db, const QString &number)
{
    abandonNote(db, settlementTables(), number);
}

QList<NoteLine> settlementLines(store::Db &db, const QString &number)
{
    return readNoteLines(db, settlementTables(), number);
}

std::optional<Settlement> loadSettlement(store::Db &db, const QString &number)
{
    const auto row = db.one(QStringLiteral("SELECT * FROM 结算单主表 WHERE 结算单编号 = ?"), {number});
    if (!row)
        return std::nullopt;
    const auto text = [&](const char *column) { return row->value(QString::fromUtf8(column)).toString(); };
    const auto date = [&](const char *column) { return store::toDate(row->value(QString::fromUtf8(column))); };
    Settlement s;
    s.number = text("结算单编号");
    s.department = text("服务部门");
    s.repairOrder = text("托修单编号");
    s.received = date("接车时间");
    s.completed = date("完工时间");
    s.due = date("应结算时间");
    readVehicle(s, *row);
    s.surchargeRate = row->value(QStringLiteral("附加管理费")).toDouble();
    s.settlementType = text("结算类型");
    // Only an on-account settlement opens as one; a collected one ("已付款") opens as cash.
    s.payment = s.settlementType == paymentWord(PaymentKind::OnAccount) ? PaymentKind::OnAccount : PaymentKind::Cash;
    s.paid = store::toBool(row->value(QStringLiteral("付款标志")));
    s.paidOn = date("付款时间");
    s.storedTotal = store::Money::fromVariant(row->value(QStringLiteral("整单金额合计")));
    s.status = text("车辆状态");
    s.remark = text("备注");
    s.clerk = text("结算员");
    s.technician = text("维修技师");
    s.chiefInspector = text("总质检员");
    s.customerSignature = text("客户名");
    s.maker = text("制单员");
    s.lines = settlementLines(db, number);
    return s;
}

std::optional<QString> settlementOfRepairOrder(store::Db &db, const QString &repairOrder, const QString &except)
{
    const QVariant no = db.scalar(QStringLiteral("SELECT 结算单编号 FROM 结算单主表 WHERE 托修单编号 = ? AND 结算单编号 <> ? "
                                                 "ORDER BY 结算单编号")
                                      + db.limitOne(),
                                  {repairOrder, except});
    if (!no.isValid() || no.isNull())
        return std::nullopt;
    return no.toString();
}

RepairOrder repairOrderToSettle(store::Db &db, const QString &repairOrder, const QString &settlement)
{
    if (const auto other = settlementOfRepairOrder(db, repairOrder, settlement))
        throw AlreadySettled(*other);
    std::optional<RepairOrder> order;
    if (!repairOrder.trimmed().isEmpty())
        order = loadRepairOrder(db, repairOrder);
    if (!order)
        throw WorkshopError(unknownOrderMessage(), QStringLiteral("对应托修单号"));
    return *order;
}

void fillFromRepairOrder(Settlement &s, const RepairOrder &o)
{
    s.repairOrder = o.number;
    static_cast<NoteVehicle &>(s) = o;
    s.surchargeRate = o.surchargeRate;
    s.remark = o.remark;
    s.technician = o.technician;
    s.received = o.received;
    s.lines = o.lines;
    for (NoteLine &l : s.lines)
        l.labourRate.reset();
}

void checkSettlement(const Settlement &s)
{
    checkNote(s, s.received, s.completed, QStringLiteral("完工时间"), s.lines);
}

SettlementSaveResult saveSettlement(store::Db &db, const Settlement &s, const SettlementSaveOptions &options)
{
    if (s.number.isEmpty())
        throw WorkshopError(QStringLiteral("请先新建一张结算单，填写完成项目后再保存!"));
    checkSettlement(s);
    SettlementSaveResult result;
    result.totals = s.totals();
    const QString department = options.who.department;
    store::Transaction tx(db);
    markRepairOrder(db, s.repairOrder, s.payment == PaymentKind::Cash, s.number);
    writeHeader(db, s, result.totals, options);
    result.linesStored = writeNoteLines(db, settlementTables(), s.number, s.lines);
    result.materialCost = writeCashBookRow(db, s, result.totals, department);
    writeConsumptionRow(db, s, result.totals, department);
    result.customerCreated = customers::createOrRefreshFromNote(db, vehicleOwnerOf(s), customers::NoteKind::Settlement,
                                                                department, options.today)
                             == customers::RecordWrite::Created;
    writeNoteJournal(db, settlementTables(), options.mode, s.number, options.who.name);
    tx.commit();
    return result;
}

QVariantMap departmentPrintValues(store::Db &db, const QString &department)
{
    const auto row = db.one(QStringLiteral("SELECT 部门名称, 部门地址, 部门电话, 部门传真 FROM 部门信息 WHERE 部门名称 = ?"),
                            {department});
    return row ? recordToMap(*row) : QVariantMap{};
}

SettlementPrintData settlementPrintData(store::Db &db, const QString &number, const QString &department)
{
    SettlementPrintData d;
    const auto header = db.one(QStringLiteral("SELECT * FROM 结算单主表 WHERE 结算单编号 = ?"), {number});
    if (!header)
        return d;
    d.found = true;
    d.values = recordToMap(*header);
    const QVariantMap dept = departmentPrintValues(db, department);
    for (auto it = dept.begin(); it != dept.end(); ++it)
        d.values.insert(it.key(), it.value());
    QList<NoteLine> lines = settlementLines(db, number);
    for (const NoteLine &l : lines)
        d.lines.append(l.toMap());
    d.totals = noteTotals(lines, d.values.value(QStringLiteral("附加管理费")).toDouble());
    print::putNoteTotals(d.values, d.totals.labour, d.totals.materialWithSurcharge(), d.totals.total);
    return d;
}

print::PageModel settlementPages(store::Db &db, const QString &number, const QString &department, bool withLabourRate)
{
    const SettlementPrintData d = settlementPrintData(db, number, department);
    if (!d.found)
        throw WorkshopError(QStringLiteral("没有可以打印的结算单，请查清楚！"));
    return withLabourRate ? print::TPrintPayNote1Form::build(d.values, d.lines)
                          : print::TPrintPayNoteForm::build(d.values, d.lines);
}

} // namespace workshop
