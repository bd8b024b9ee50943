#include "workshop/repairorders.h"
#include "workshop/notetables.h"
#include "workshop/workshoperror.h"

namespace workshop {

namespace {

void writeHeader(store::Db &db, const RepairOrder &o, const SaveOptions &opt)
{
    HeaderWrite w;
    w.columns = QStringList{QStringLiteral("服务部门"), QStringLiteral("接车时间"), QStringLiteral("预计完工时间"),
                            QStringLiteral("实际单号")}
                + vehicleColumns()
                + QStringList{QStringLiteral("接车前检查"), QStringLiteral("附加管理费"), QStringLiteral("车辆状态"),
                              QStringLiteral("备注"), QStringLiteral("业务接待"), QStringLiteral("维修技师"),
                              QStringLiteral("质检员"), QStringLiteral("客户名"), QStringLiteral("制单员")};
    w.values = QVariantList{opt.who.department, dateOrNull(o.received), dateOrNull(o.expectedCompletion), o.number}
               + vehicleValues(o)
               + QVariantList{o.inspection, o.surchargeRate, o.status, o.remark, o.adviser, o.technician, o.inspector,
                              o.customerSignature, opt.who.name};
    // A new order starts with its four flags cleared; a modification keeps them.
    if (opt.mode == SaveMode::New)
        w.zeroFlags = {QStringLiteral("审核标志"), QStringLiteral("取车标志"), QStringLiteral("完成标志"),
                       QStringLiteral("付款标志")};
    writeNoteHeader(db, repairOrderTables(), o.number, opt.mode, w);
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
    return beginNote(db, repairOrderTables(), department);
}

void abandonRepairOrder(store::Db &db, const QString &number)
{
    abandonNote(db, repairOrderTables(), number);
}

QList<NoteLine> repairOrderLines(store::Db &db, const QString &number)
{
    return readNoteLines(db, repairOrderTables(), number);
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
    readVehicle(o, *row);
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
    checkNote(o, o.received, o.expectedCompletion, QStringLiteral("预计完工时间"), o.lines);
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
    result.linesStored = writeNoteLines(db, repairOrderTables(), order.number, order.lines);
    const customers::RecordWrite write = customers::createOrRefreshFromNote(
        db, vehicleOwnerOf(order), customers::NoteKind::RepairOrder, options.who.department, options.today);
    result.customerCreated = write == customers::RecordWrite::Created;
    if (options.nextServiceDate && options.nextServiceDate->isValid())
        customers::setNextServiceDate(db, order.plate, *options.nextServiceDate);
    writeNoteJournal(db, repairOrderTables(), options.mode, order.number, options.who.name);
    tx.commit();
    return result;
}

} // namespace workshop
