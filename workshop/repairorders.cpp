#include "workshop/repairorders.h"
#include "workshop/workshoperror.h"
#include "customers/customerrecords.h"
#include "store/journal.h"
#include "store/numbering.h"

#include <algorithm>

namespace workshop {

namespace {

const QString kLineColumns = QStringLiteral(
    "维修项目, 工时, 工时费, 物品编号, 物品名称, 单位, 物品成本价, 物品单价, 物品数量, 材料总成本, 材料金额合计, 备注");

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

customers::VehicleOwner vehicleOwnerOf(const RepairOrder &o)
{
    customers::VehicleOwner v;
    v.plate = o.plate;
    v.model = o.model;
    v.colour = o.colour;
    v.vin = o.vin;
    v.engineNo = o.engineNo;
    v.mileage = o.mileage;
    v.owner = o.owner;
    v.company = o.owner;
    v.contact = o.contact;
    v.phone = o.phone;
    v.mobile = o.mobile;
    v.address = o.address;
    v.postcode = o.postcode;
    v.fax = o.fax;
    return v;
}

void writeHeader(store::Db &db, const RepairOrder &o, const SaveOptions &opt)
{
    QString sql = QStringLiteral(
        "UPDATE 托修单主表 SET 服务部门 = ?, 接车时间 = ?, 预计完工时间 = ?, 实际单号 = ?, 车牌号码 = ?, 车型 = ?, "
        "颜色 = ?, VIN码 = ?, 发动机号 = ?, 接车里程 = ?, 托修单位 = ?, 联系人 = ?, 联系电话 = ?, 联系手机 = ?, "
        "地址 = ?, 邮编 = ?, 传真 = ?, 接车前检查 = ?, 附加管理费 = ?, 车辆状态 = ?, 备注 = ?, 业务接待 = ?, "
        "维修技师 = ?, 质检员 = ?, 客户名 = ?, 制单员 = ?");
    const QVariantList values{opt.who.department, dateOrNull(o.received), dateOrNull(o.expectedCompletion), o.number,
                              o.plate, o.model, o.colour, o.vin, o.engineNo, o.mileage, o.owner, o.contact, o.phone,
                              o.mobile, o.address, o.postcode, o.fax, o.inspection, o.surchargeRate, o.status,
                              o.remark, o.adviser, o.technician, o.inspector, o.customerSignature, opt.who.name};
    QVariantList params = values;
    if (opt.mode == SaveMode::New)
        sql += QStringLiteral(", 审核标志 = 0, 取车标志 = 0, 完成标志 = 0, 付款标志 = 0");
    sql += QStringLiteral(" WHERE 托修单编号 = ?");
    params << o.number;
    if (db.execWrite(sql, params) > 0)
        return;
    if (opt.mode == SaveMode::Modify)
        throw WorkshopError(QStringLiteral("没有找到托修单%1,该托修单可能已经被删除!").arg(o.number));
    // The reserved header row is gone (removed from elsewhere): the order is still saved
    // under its number rather than losing what the clerk entered.
    db.execWrite(QStringLiteral(
        "INSERT INTO 托修单主表 (服务部门, 接车时间, 预计完工时间, 实际单号, 车牌号码, 车型, 颜色, VIN码, 发动机号, "
        "接车里程, 托修单位, 联系人, 联系电话, 联系手机, 地址, 邮编, 传真, 接车前检查, 附加管理费, 车辆状态, 备注, "
        "业务接待, 维修技师, 质检员, 客户名, 制单员, 审核标志, 取车标志, 完成标志, 付款标志, 托修单编号) "
        "VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,0,0,0,0,?)"),
        params);
}

int writeLines(store::Db &db, const QString &number, const QList<NoteLine> &lines)
{
    db.execWrite(QStringLiteral("DELETE FROM 托修单子表 WHERE 托修单编号 = ?"), {number});
    QSqlQuery &insert = db.prepared(QStringLiteral("INSERT INTO 托修单子表 (托修单编号, %1) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?)")
                                        .arg(kLineColumns));
    int stored = 0;
    for (const NoteLine &l : lines) {
        if (l.isBlank())
            continue;
        db.run(insert, {number, l.item, orNull(l.hours), orNull(l.labourFee), l.goodsCode, l.goodsName, l.unit,
                        orNull(l.unitCost), orNull(l.unitPrice), orNull(l.quantity), l.materialCost(),
                        l.materialAmount(), l.remark});
        ++stored;
    }
    return stored;
}

} // namespace

QStringList vehicleStatusWords()
{
    return {QStringLiteral("已接车"), QStringLiteral("正在维修"), QStringLiteral("维修完成"), QStringLiteral("已取车")};
}

QStringList employeeNames(store::Db &db)
{
    QStringList names;
    QSqlQuery q = db.exec(QStringLiteral("SELECT 员工姓名 FROM 员工信息表 ORDER BY 员工姓名"));
    while (q.next())
        names << q.value(0).toString();
    return names;
}

QString beginRepairOrder(store::Db &db, const QString &department)
{
    const QString code = store::departmentCodeByName(db, department);
    if (code.isEmpty())
        throw WorkshopError(QStringLiteral("没有找到部门\"%1\",无法生成托修单号,请检查部门信息!").arg(department));
    store::Transaction tx(db);
    const store::ReservedNumber reserved = store::reserveNumber(db, store::CounterKind::RepairOrder, code);
    db.execWrite(QStringLiteral("INSERT INTO 托修单主表 (托修单编号, 服务部门) VALUES (?, ?)"), {reserved.number, department});
    tx.commit();
    return reserved.number;
}

void abandonRepairOrder(store::Db &db, const QString &number)
{
    if (number.isEmpty())
        return;
    store::Transaction tx(db);
    db.execWrite(QStringLiteral("DELETE FROM 托修单子表 WHERE 托修单编号 = ?"), {number});
    db.execWrite(QStringLiteral("DELETE FROM 托修单主表 WHERE 托修单编号 = ?"), {number});
    tx.commit();
}

QList<NoteLine> repairOrderLines(store::Db &db, const QString &number)
{
    QList<NoteLine> lines;
    QSqlQuery q = db.exec(QStringLiteral("SELECT %1 FROM 托修单子表 WHERE 托修单编号 = ? ORDER BY 托修单明细编号")
                              .arg(kLineColumns),
                          {number});
    while (q.next()) {
        NoteLine l;
        l.item = q.value(0).toString();
        l.hours = numberOrNone(q.value(1));
        l.labourFee = numberOrNone(q.value(2));
        l.goodsCode = q.value(3).toString();
        l.goodsName = q.value(4).toString();
        l.unit = q.value(5).toString();
        l.unitCost = numberOrNone(q.value(6));
        l.unitPrice = numberOrNone(q.value(7));
        l.quantity = numberOrNone(q.value(8));
        l.remark = q.value(11).toString();
        lines.append(l);
    }
    return lines;
}

std::optional<RepairOrder> loadRepairOrder(store::Db &db, const QString &number)
{
    const auto row = db.one(QStringLiteral("SELECT * FROM 托修单主表 WHERE 托修单编号 = ?"), {number});
    if (!row)
        return std::nullopt;
    const auto text = [&](const char *column) { return row->value(QString::fromUtf8(column)).toString(); };
    RepairOrder o;
    o.number = text("托修单编号");
    o.department = text("服务部门");
    o.received = store::toDate(row->value(QStringLiteral("接车时间")));
    o.expectedCompletion = store::toDate(row->value(QStringLiteral("预计完工时间")));
    o.plate = text("车牌号码");
    o.model = text("车型");
    o.colour = text("颜色");
    o.vin = text("VIN码");
    o.engineNo = text("发动机号");
    o.mileage = row->value(QStringLiteral("接车里程")).toInt();
    o.owner = text("托修单位");
    o.contact = text("联系人");
    o.phone = text("联系电话");
    o.mobile = text("联系手机");
    o.address = text("地址");
    o.postcode = text("邮编");
    o.fax = text("传真");
    o.inspection = text("接车前检查");
    o.surchargeRate = row->value(QStringLiteral("附加管理费")).toDouble();
    o.status = text("车辆状态");
    o.remark = text("备注");
    o.adviser = text("业务接待");
    o.technician = text("维修技师");
    o.inspector = text("质检员");
    o.customerSignature = text("客户名");
    o.clerk = text("制单员");
    o.audited = store::toBool(row->value(QStringLiteral("审核标志")));
    o.collected = store::toBool(row->value(QStringLiteral("取车标志")));
    o.finished = store::toBool(row->value(QStringLiteral("完成标志")));
    o.paid = store::toBool(row->value(QStringLiteral("付款标志")));
    o.lines = repairOrderLines(db, number);
    return o;
}

bool mayModify(const RepairOrder &order, const shell::OperatorContext &who)
{
    return !order.finished || who.canDeleteOrModifyCompleted();
}

void checkRepairOrder(const RepairOrder &o)
{
    if (o.plate.trimmed().isEmpty())
        throw WorkshopError(QStringLiteral("请输入车牌号码,以便以后进行查询与分析!"), QStringLiteral("车牌号码"));
    if (o.received.isValid() && o.expectedCompletion.isValid() && o.expectedCompletion < o.received)
        throw WorkshopError(QStringLiteral("完工时间不正确,接车时间不能大于完工时间"), QStringLiteral("预计完工时间"));
    if (std::all_of(o.lines.begin(), o.lines.end(), [](const NoteLine &l) { return l.isBlank(); }))
        throw WorkshopError(QStringLiteral("请双击表格选择维修项目和材料,再进行保存!"));
}

SaveResult saveRepairOrder(store::Db &db, const RepairOrder &order, const SaveOptions &options)
{
    checkRepairOrder(order);
    if (order.number.isEmpty())
        throw WorkshopError(QStringLiteral("请先新建一张托修单，填写完成项目后再保存!"));
    SaveResult result;
    result.totals = order.totals();
    store::Transaction tx(db);
    writeHeader(db, order, options);
    result.linesStored = writeLines(db, order.number, order.lines);
    const customers::RecordWrite write = customers::createOrRefreshFromNote(
        db, vehicleOwnerOf(order), customers::NoteKind::RepairOrder, options.who.department, options.today);
    result.customerCreated = write == customers::RecordWrite::Created;
    if (options.nextServiceDate && options.nextServiceDate->isValid())
        customers::setNextServiceDate(db, order.plate, *options.nextServiceDate);
    store::writeJournal(db, (options.mode == SaveMode::New ? QStringLiteral("新增托修单:") : QStringLiteral("修改托修单:"))
                                + order.number,
                        options.who.name);
    tx.commit();
    return result;
}

} // namespace workshop
