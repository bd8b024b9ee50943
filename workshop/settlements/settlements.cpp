#include "workshop/settlements/settlements.h"
#include "customers/customerrecords.h"
#include "print/layouts/settlement.h"
#include "store/journal.h"
#include "store/numbering.h"

#include <QSqlRecord>
#include <algorithm>
#include <cmath>

namespace workshop {

namespace {

const QString kBusiness = QStringLiteral("汽车维修");   // 业务名称 and 消费类型 of a settlement
const QString kSettled = QStringLiteral("已结算");
const QString kLineColumns = QStringLiteral(
    "维修项目, 工时单价, 工时, 工时费, 物品编号, 物品名称, 单位, 物品成本价, 物品单价, 物品数量, 材料总成本, "
    "材料金额合计, 备注");

QVariant orNull(const std::optional<double> &v)
{
    return v ? QVariant(*v) : QVariant(QMetaType::fromType<double>());
}

std::optional<double> numberOrNone(const QVariant &v)
{
    if (!v.isValid() || v.isNull())
        return std::nullopt;
    return v.toDouble();
}

QVariant dateOrNull(const QDate &d)
{
    return d.isValid() ? QVariant(d) : QVariant(QMetaType::fromType<QDate>());
}

QString unknownOrderMessage()
{
    return QStringLiteral("没有找到该编号的托修单，请查正后再录入。");
}

customers::VehicleOwner vehicleOwnerOf(const Settlement &s)
{
    customers::VehicleOwner v;
    v.plate = s.plate;
    v.model = s.model;
    v.colour = s.colour;
    v.vin = s.vin;
    v.engineNo = s.engineNo;
    v.mileage = s.mileage;
    v.owner = s.owner;
    v.company = s.owner;
    v.contact = s.contact;
    v.phone = s.phone;
    v.mobile = s.mobile;
    v.address = s.address;
    v.postcode = s.postcode;
    v.fax = s.fax;
    return v;
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
    const QVariantList values{
        s.repairOrder, dateOrNull(s.received), dateOrNull(s.completed), dateOrNull(s.due), s.number,
        s.plate, s.model, s.colour, s.vin, s.engineNo, s.mileage, s.owner, s.contact, s.phone, s.mobile,
        s.address, s.postcode, s.fax, s.surchargeRate, t.total.toVariant(), kSettled, paymentWord(s.payment),
        cash ? 1 : 0, cash ? dateOrNull(s.completed) : dateOrNull({}), s.remark, s.clerk, s.technician,
        s.chiefInspector, s.customerSignature, opt.who.name};
    const QString columns = QStringLiteral(
        "托修单编号, 接车时间, 完工时间, 应结算时间, 实际单号, 车牌号码, 车型, 颜色, VIN码, 发动机号, 接车里程, "
        "托修单位, 联系人, 联系电话, 联系手机, 地址, 邮编, 传真, 附加管理费, 整单金额合计, 车辆状态, 结算类型, "
        "付款标志, 付款时间, 备注, 结算员, 维修技师, 总质检员, 客户名, 制单员");
    QStringList assignments;
    for (const QString &c : columns.split(QStringLiteral(", ")))
        assignments << c + QStringLiteral(" = ?");
    QVariantList params = values;
    params << s.number;
    if (db.execWrite(QStringLiteral("UPDATE 结算单主表 SET %1, 审核标志 = 0 WHERE 结算单编号 = ?")
                         .arg(assignments.join(QStringLiteral(", "))),
                     params) > 0)
        return;
    if (opt.mode == SaveMode::Modify)
        throw WorkshopError(QStringLiteral("没有找到结算单%1,该结算单可能已经被删除!").arg(s.number));
    // The reserved header row is gone (removed from elsewhere): the settlement is still
    // saved under its number rather than losing what the clerk entered.
    params = values;
    params << s.number << opt.who.department;
    db.execWrite(QStringLiteral("INSERT INTO 结算单主表 (%1, 审核标志, 结算单编号, 服务部门) VALUES (%2, 0, ?, ?)")
                     .arg(columns, QStringLiteral("?,").repeated(int(values.size()) - 1) + QStringLiteral("?")),
                 params);
}

int writeLines(store::Db &db, const QString &number, const QList<NoteLine> &lines)
{
    db.execWrite(QStringLiteral("DELETE FROM 结算单子表 WHERE 结算单编号 = ?"), {number});
    QSqlQuery &insert = db.prepared(
        QStringLiteral("INSERT INTO 结算单子表 (结算单编号, %1) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?)").arg(kLineColumns));
    int stored = 0;
    for (const NoteLine &l : lines) {
        if (l.isBlank())
            continue;
        db.run(insert, {number, l.item, orNull(l.labourRate), orNull(l.hours), orNull(l.labourFee), l.goodsCode,
                        l.goodsName, l.unit, orNull(l.unitCost), orNull(l.unitPrice), orNull(l.quantity),
                        l.materialCost(), l.materialAmount(), l.remark});
        ++stored;
    }
    return stored;
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
                    QStringLiteral("对应托修单号")),
      m_settlement(settlement)
{
}

QString beginSettlement(store::Db &db, const QString &department)
{
    const QString code = store::departmentCodeByName(db, department);
    if (code.isEmpty())
        throw WorkshopError(QStringLiteral("没有找到部门\"%1\",无法生成结算单号,请检查部门信息!").arg(department));
    store::Transaction tx(db);
    const store::ReservedNumber reserved = store::reserveNumber(db, store::CounterKind::Settlement, code);
    db.execWrite(QStringLiteral("INSERT INTO 结算单主表 (结算单编号, 服务部门) VALUES (?, ?)"), {reserved.number, department});
    tx.commit();
    return reserved.number;
}

void abandonSettlement(store::Db &db, const QString &number)
{
    if (number.isEmpty())
        return;
    store::Transaction tx(db);
    db.execWrite(QStringLiteral("DELETE FROM 结算单子表 WHERE 结算单编号 = ?"), {number});
    db.execWrite(QStringLiteral("DELETE FROM 结算单主表 WHERE 结算单编号 = ?"), {number});
    tx.commit();
}

QList<NoteLine> settlementLines(store::Db &db, const QString &number)
{
    QList<NoteLine> lines;
    QSqlQuery q = db.exec(QStringLiteral("SELECT %1 FROM 结算单子表 WHERE 结算单编号 = ? ORDER BY 结算单明细编号")
                              .arg(kLineColumns),
                          {number});
    while (q.next()) {
        NoteLine l;
        l.item = q.value(0).toString();
        l.labourRate = numberOrNone(q.value(1));
        l.hours = numberOrNone(q.value(2));
        l.labourFee = numberOrNone(q.value(3));
        l.goodsCode = q.value(4).toString();
        l.goodsName = q.value(5).toString();
        l.unit = q.value(6).toString();
        l.unitCost = numberOrNone(q.value(7));
        l.unitPrice = numberOrNone(q.value(8));
        l.quantity = numberOrNone(q.value(9));
        l.remark = q.value(12).toString();
        lines.append(l);
    }
    return lines;
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
    s.plate = text("车牌号码");
    s.model = text("车型");
    s.colour = text("颜色");
    s.vin = text("VIN码");
    s.engineNo = text("发动机号");
    s.mileage = row->value(QStringLiteral("接车里程")).toInt();
    s.owner = text("托修单位");
    s.contact = text("联系人");
    s.phone = text("联系电话");
    s.mobile = text("联系手机");
    s.address = text("地址");
    s.postcode = text("邮编");
    s.fax = text("传真");
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
    s.plate = o.plate;
    s.model = o.model;
    s.colour = o.colour;
    s.vin = o.vin;
    s.engineNo = o.engineNo;
    s.mileage = o.mileage;
    s.owner = o.owner;
    s.contact = o.contact;
    s.phone = o.phone;
    s.mobile = o.mobile;
    s.address = o.address;
    s.postcode = o.postcode;
    s.fax = o.fax;
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
    if (s.plate.trimmed().isEmpty())
        throw WorkshopError(QStringLiteral("请输入车牌号码,以便以后进行查询与分析!"), QStringLiteral("车牌号码"));
    if (s.received.isValid() && s.completed.isValid() && s.completed < s.received)
        throw WorkshopError(QStringLiteral("完工时间不正确,接车时间不能大于完工时间"), QStringLiteral("完工时间"));
    if (std::all_of(s.lines.begin(), s.lines.end(), [](const NoteLine &l) { return l.isBlank(); }))
        throw WorkshopError(QStringLiteral("请双击表格选择维修项目和材料,再进行保存!"));
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
    result.linesStored = writeLines(db, s.number, s.lines);
    result.materialCost = writeCashBookRow(db, s, result.totals, department);
    writeConsumptionRow(db, s, result.totals, department);
    result.customerCreated = customers::createOrRefreshFromNote(db, vehicleOwnerOf(s), customers::NoteKind::Settlement,
                                                                department, options.today)
                             == customers::RecordWrite::Created;
    store::writeJournal(db, (options.mode == SaveMode::New ? QStringLiteral("新增结算单:") : QStringLiteral("修改结算单:"))
                                + s.number,
                        options.who.name);
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
