// Repair orders and settlements: saving each with 20 lines, and the two queries for one
// month with and without a plate condition.

#include "bench/cases.h"
#include "bench/floorsql.h"
#include "bench/rng.h"
#include "shell/common/operatorcontext.h"
#include "workshop/queries/notequeries.h"
#include "workshop/repairorders.h"
#include "workshop/settlements/settlements.h"

#include <memory>

namespace bench {

namespace {

constexpr int kLines = 20;

struct Vehicle {
    QString plate, model, colour, vin, engine, owner, contact, phone, mobile, address, postcode;
    int mileage = 0;
};

struct WorkshopState {
    std::vector<Vehicle> vehicles;
    std::vector<workshop::NoteLine> labour, materials;   // picker-like lines to draw from
    Rng rng{20241231};
    shell::OperatorContext who;
    QString technician, inspector;
    workshop::RepairOrder order;      // the order about to be saved
    workshop::Settlement settlement;  // the settlement about to be saved
};

QVariant orNull(const std::optional<double> &v) { return v ? QVariant(*v) : QVariant(QMetaType::fromType<double>()); }

void loadState(store::Db &db, const BenchEnv &env, WorkshopState &st)
{
    QSqlQuery v = db.exec(QStringLiteral("SELECT 车牌号码, 车型, 颜色, 车架码, 机头码, 客户姓名, 联系人, 联系电话, 手机号码, 地址, 邮编, 里程数 "
                                         "FROM 客户信息表 WHERE 建档部门 = ? ORDER BY 车牌号码 LIMIT 1000"),
                          {env.branchName});
    while (v.next())
        st.vehicles.push_back({v.value(0).toString(), v.value(1).toString(), v.value(2).toString(), v.value(3).toString(),
                               v.value(4).toString(), v.value(5).toString(), v.value(6).toString(), v.value(7).toString(),
                               v.value(8).toString(), v.value(9).toString(), v.value(10).toString(), v.value(11).toInt()});
    QSqlQuery s = db.exec(QStringLiteral("SELECT 服务项目名称, 服务收费金额 FROM 服务项目信息表"));
    while (s.next()) {
        workshop::NoteLine l;
        l.item = s.value(0).toString();
        l.hours = 2.0;
        l.labourFee = store::Money::fromVariant(s.value(1)).toDouble();
        st.labour.push_back(l);
    }
    QSqlQuery g = db.exec(QStringLiteral("SELECT 物品编号, 物品名称, 物品单位, 平均成本, 建议销售价 FROM 物品库存表 WHERE 仓库 = ? "
                                         "ORDER BY 物品编号 LIMIT 2000"),
                          {env.branchName});
    while (g.next()) {
        workshop::NoteLine l;
        l.goodsCode = g.value(0).toString();
        l.goodsName = g.value(1).toString();
        l.unit = g.value(2).toString();
        l.unitCost = g.value(3).toDouble();
        l.unitPrice = store::Money::fromVariant(g.value(4)).toDouble();
        st.materials.push_back(l);
    }
    if (st.vehicles.empty() || st.labour.empty() || st.materials.empty())
        throw store::DbError(QStringLiteral("the data set has no vehicles, repair items or stock of %1").arg(env.branchName));
    st.who = {env.operatorCode, env.operatorName, QStringLiteral("经理"), env.branchName, QStringLiteral("湘A")};
    st.technician = db.scalar(QStringLiteral("SELECT 员工姓名 FROM 员工信息表 WHERE 所在部门 = ? ORDER BY 员工编号"), {env.branchName}).toString();
    st.inspector = st.technician;
}

// A reserved repair order with 20 lines, filled as the entry form would (untimed).
void newOrder(store::Db &db, WorkshopState &st)
{
    const Vehicle &v = st.vehicles[size_t(st.rng.below(int(st.vehicles.size())))];
    workshop::RepairOrder o;
    o.number = workshop::beginRepairOrder(db, st.who.department);
    o.department = st.who.department;
    o.received = QDate::currentDate();
    o.expectedCompletion = o.received.addDays(3);
    o.plate = v.plate; o.model = v.model; o.colour = v.colour; o.vin = v.vin; o.engineNo = v.engine;
    o.mileage = v.mileage; o.owner = v.owner; o.contact = v.contact; o.phone = v.phone; o.mobile = v.mobile;
    o.address = v.address; o.postcode = v.postcode;
    o.inspection = QStringLiteral("外观完好");
    o.status = QStringLiteral("已接车");
    o.adviser = st.who.name;
    o.technician = st.technician;
    o.inspector = st.inspector;
    for (int i = 0; i < kLines; ++i) {
        workshop::NoteLine l = i % 2 == 0 ? st.labour[size_t(st.rng.below(int(st.labour.size())))]
                                          : st.materials[size_t(st.rng.below(int(st.materials.size())))];
        if (i % 2)
            l.quantity = st.rng.range(1, 4);
        o.lines.append(l);
    }
    st.order = o;
}

const QString kOrderLineColumns = QStringLiteral(
    "托修单编号,维修项目,工时,工时费,物品编号,物品名称,单位,物品成本价,物品单价,物品数量,材料总成本,材料金额合计,备注");
const QString kSettlementLineColumns = QStringLiteral(
    "结算单编号,维修项目,工时单价,工时,工时费,物品编号,物品名称,单位,物品成本价,物品单价,物品数量,材料总成本,材料金额合计,备注");

void floorCustomerRefresh(store::Db &db, const workshop::RepairOrder &o, bool settlement)
{
    QSqlQuery &q = db.prepared(settlement
        ? QStringLiteral("UPDATE 客户信息表 SET 联系人 = ?, 手机号码 = ?, 车型 = ?, 颜色 = ?, 里程数 = ?, 车架码 = ?, 机头码 = ?, 单位 = ?, "
                         "联系电话 = ?, 传真 = ?, 地址 = ?, 邮编 = ?, 客户姓名 = ? WHERE 车牌号码 = ?")
        : QStringLiteral("UPDATE 客户信息表 SET 联系人 = ?, 手机号码 = ?, 车型 = ?, 颜色 = ?, 里程数 = ?, 车架码 = ?, 机头码 = ?, 单位 = ?, "
                         "联系电话 = ?, 传真 = ?, 地址 = ?, 邮编 = ? WHERE 车牌号码 = ?"));
    QVariantList p{o.contact, o.mobile, o.model, o.colour, o.mileage, o.vin, o.engineNo, o.owner, o.phone, o.fax, o.address, o.postcode};
    if (settlement) p << o.owner;
    p << o.plate;
    db.run(q, p);
}

void floorSaveOrder(store::Db &db, const WorkshopState &st)
{
    const workshop::RepairOrder &o = st.order;
    store::Transaction tx(db);
    QSqlQuery &head = db.prepared(QStringLiteral(
        "UPDATE 托修单主表 SET 服务部门 = ?, 接车时间 = ?, 预计完工时间 = ?, 实际单号 = ?, 车牌号码 = ?, 车型 = ?, 颜色 = ?, VIN码 = ?, "
        "发动机号 = ?, 接车里程 = ?, 托修单位 = ?, 联系人 = ?, 联系电话 = ?, 联系手机 = ?, 地址 = ?, 邮编 = ?, 传真 = ?, 接车前检查 = ?, "
        "附加管理费 = ?, 车辆状态 = ?, 备注 = ?, 业务接待 = ?, 维修技师 = ?, 质检员 = ?, 客户名 = ?, 制单员 = ?, 审核标志 = 0, "
        "取车标志 = 0, 完成标志 = 0, 付款标志 = 0 WHERE 托修单编号 = ?"));
    db.run(head, {st.who.department, o.received, o.expectedCompletion, o.number, o.plate, o.model, o.colour, o.vin, o.engineNo,
                  o.mileage, o.owner, o.contact, o.phone, o.mobile, o.address, o.postcode, o.fax, o.inspection, o.surchargeRate,
                  o.status, o.remark, o.adviser, o.technician, o.inspector, o.customerSignature, st.who.name, o.number});
    QVariantList lines;
    for (const workshop::NoteLine &l : o.lines)
        lines << o.number << l.item << orNull(l.hours) << orNull(l.labourFee) << l.goodsCode << l.goodsName << l.unit
              << orNull(l.unitCost) << orNull(l.unitPrice) << orNull(l.quantity) << l.materialCost() << l.materialAmount() << l.remark;
    insertRows(db, QStringLiteral("托修单子表"), kOrderLineColumns.split(QLatin1Char(',')), lines);
    floorCustomerRefresh(db, o, false);
    floorJournal(db, QStringLiteral("新增托修单:") + o.number, st.who.name);
    tx.commit();
}

// A saved repair order and a reserved settlement filled from it (untimed).
void newSettlement(store::Db &db, WorkshopState &st)
{
    newOrder(db, st);
    workshop::saveRepairOrder(db, st.order, {workshop::SaveMode::New, st.who, std::nullopt});
    workshop::Settlement s;
    s.number = workshop::beginSettlement(db, st.who.department);
    s.department = st.who.department;
    workshop::fillFromRepairOrder(s, workshop::repairOrderToSettle(db, st.order.number, s.number));
    s.completed = s.due = QDate::currentDate();
    s.payment = workshop::PaymentKind::Cash;
    s.clerk = st.who.name;
    s.chiefInspector = st.inspector;
    st.settlement = s;
}

void floorSaveSettlement(store::Db &db, const WorkshopState &st)
{
    const workshop::Settlement &s = st.settlement;
    const workshop::RepairOrder &o = st.order;
    const workshop::NoteTotals t = s.totals();
    store::Money cost;
    for (const workshop::NoteLine &l : s.lines)
        cost += store::Money::fromDouble(l.materialCost());
    store::Transaction tx(db);
    QSqlQuery &finish = db.prepared(QStringLiteral("UPDATE 托修单主表 SET 完成标志 = ? WHERE 托修单编号 = ?"));
    db.run(finish, {1, s.repairOrder});
    QSqlQuery &head = db.prepared(QStringLiteral(
        "UPDATE 结算单主表 SET 托修单编号 = ?, 接车时间 = ?, 完工时间 = ?, 应结算时间 = ?, 实际单号 = ?, 车牌号码 = ?, 车型 = ?, "
        "颜色 = ?, VIN码 = ?, 发动机号 = ?, 接车里程 = ?, 托修单位 = ?, 联系人 = ?, 联系电话 = ?, 联系手机 = ?, 地址 = ?, 邮编 = ?, "
        "传真 = ?, 附加管理费 = ?, 整单金额合计 = ?, 车辆状态 = ?, 结算类型 = ?, 付款标志 = ?, 付款时间 = ?, 备注 = ?, 结算员 = ?, "
        "维修技师 = ?, 总质检员 = ?, 客户名 = ?, 制单员 = ?, 审核标志 = 0 WHERE 结算单编号 = ?"));
    db.run(head, {s.repairOrder, s.received, s.completed, s.due, s.number, s.plate, s.model, s.colour, s.vin, s.engineNo,
                  s.mileage, s.owner, s.contact, s.phone, s.mobile, s.address, s.postcode, s.fax, s.surchargeRate,
                  t.total.toVariant(), QStringLiteral("已结算"), QStringLiteral("现金"), 1, s.completed, s.remark, s.clerk,
                  s.technician, s.chiefInspector, s.customerSignature, st.who.name, s.number});
    QVariantList lines;
    for (const workshop::NoteLine &l : s.lines)
        lines << s.number << l.item << orNull(l.labourRate) << orNull(l.hours) << orNull(l.labourFee) << l.goodsCode << l.goodsName
              << l.unit << orNull(l.unitCost) << orNull(l.unitPrice) << orNull(l.quantity) << l.materialCost() << l.materialAmount()
              << l.remark;
    insertRows(db, QStringLiteral("结算单子表"), kSettlementLineColumns.split(QLatin1Char(',')), lines);
    QSqlQuery &cash = db.prepared(QStringLiteral(
        "INSERT INTO 现金帐表 (单据编号, 部门名称, 业务名称, 收费时间, 服务收费金额, 材料成本金额, 材料收费金额, 总收费金额, 收费人, "
        "收费标志, 收款时间, 收款方式) VALUES (?,?,?,?,?,?,?,?,?,?,?,?)"));
    db.run(cash, {s.number, st.who.department, QStringLiteral("汽车维修"), s.completed, t.labour.toVariant(), cost.toVariant(),
                  t.materialWithSurcharge().toVariant(), t.total.toVariant(), s.clerk, 1, s.completed, QStringLiteral("现金")});
    QSqlQuery &use = db.prepared(QStringLiteral(
        "INSERT INTO 客户消费表 (车牌号码, 客户姓名, 消费类型, 消费时间, 服务部门, 服务员工, 收费金额, 单据编号) VALUES (?,?,?,?,?,?,?,?)"));
    db.run(use, {s.plate, s.owner, QStringLiteral("汽车维修"), s.completed, st.who.department, s.technician, t.total.toVariant(), s.number});
    floorCustomerRefresh(db, o, true);
    floorJournal(db, QStringLiteral("新增结算单:") + s.number, st.who.name);
    tx.commit();
}

// The first screen of the query (the rows a grid shows at once) and its footer figures.
void floorQuery(store::Db &db, workshop::NoteTable table, const BenchEnv &env, bool withPlate)
{
    const bool orders = table == workshop::NoteTable::RepairOrders;
    const QString columns = orders
        ? QStringLiteral("托修单编号, 接车时间, 车牌号码, 托修单位, 业务接待, 车辆状态, 完成标志, 备注")
        : QStringLiteral("结算单编号, 托修单编号, 完工时间, 车牌号码, 托修单位, 车辆状态, 结算类型, 整单金额合计, 付款标志, 付款时间, 结算员, 备注");
    const QString from = orders ? QStringLiteral("托修单主表") : QStringLiteral("结算单主表");
    QString where = orders ? QStringLiteral("接车时间 >= ? AND 接车时间 <= ?") : QStringLiteral("完工时间 >= ? AND 完工时间 <= ?");
    QVariantList params{env.monthFirst, env.monthLast};
    if (withPlate) {
        where += QStringLiteral(" AND 车牌号码 %1 ?").arg(db.likeOperator());
        params << QStringLiteral("%") + env.plateInMonth + QStringLiteral("%");
    }
    QSqlQuery &rows = db.prepared(QStringLiteral("SELECT %1 FROM %2 WHERE %3 ORDER BY %4 LIMIT 255")
                                      .arg(columns, from, where, orders ? QStringLiteral("托修单编号") : QStringLiteral("结算单编号")));
    db.run(rows, params);
    readAll(rows);
    rows.finish();
    QSqlQuery &totals = db.prepared(QStringLiteral("SELECT COUNT(*)%1 FROM %2 WHERE %3")
                                        .arg(orders ? QString() : QStringLiteral(", SUM(整单金额合计)"), from, where));
    db.run(totals, params);
    readAll(totals);
    totals.finish();
}

Case queryCase(BenchEnv &env, workshop::NoteTable table, bool withPlate)
{
    const bool orders = table == workshop::NoteTable::RepairOrders;
    Case c;
    c.name = QStringLiteral("%1_month%2").arg(orders ? QStringLiteral("repair_order_query") : QStringLiteral("settlement_query"),
                                              withPlate ? QStringLiteral("_plate") : QString());
    c.label = QStringLiteral("%1 query, 1 month%2").arg(orders ? QStringLiteral("repair order") : QStringLiteral("settlement"),
                                                       withPlate ? QStringLiteral(" + plate") : QString());
    c.kind = CaseKind::Query;
    c.reps = env.reps;
    c.program.run = [&env, table, withPlate] {
        workshop::NoteFilter f{env.monthFirst, env.monthLast, QString(), QString()};
        if (withPlate) {
            f.column = QStringLiteral("车牌号码");
            f.condition = env.plateInMonth;
        }
        const workshop::QueryScreen screen = workshop::runNoteQuery(env.db, table, f);
        if (screen.rows == 0)
            throw store::DbError(QStringLiteral("the query found nothing"));
    };
    c.floor.run = [&env, table, withPlate] { floorQuery(env.db, table, env, withPlate); };
    c.note = withPlate ? QString() : QStringLiteral("timed: the first screen (255 rows) and the footer's count/sum, as the grid shows it");
    return c;
}

} // namespace

std::vector<Case> workshopCases(BenchEnv &env)
{
    store::Db &db = env.db;
    auto st = std::make_shared<WorkshopState>();
    loadState(db, env, *st);
    std::vector<Case> cases;
    {
        Case c;
        c.name = QStringLiteral("repair_order_save_20");
        c.label = QStringLiteral("save repair order, 20 lines");
        c.kind = CaseKind::Save;
        c.reps = env.reps;
        c.note = QStringLiteral("number reserved at 新增 (untimed); timed: header, lines, customer record, journal");
        c.program.prepare = [&db, st] { newOrder(db, *st); };
        c.program.run = [&db, st] { workshop::saveRepairOrder(db, st->order, {workshop::SaveMode::New, st->who, std::nullopt}); };
        c.floor.prepare = [&db, st] { newOrder(db, *st); };
        c.floor.run = [&db, st] { floorSaveOrder(db, *st); };
        cases.push_back(c);
    }
    {
        Case c;
        c.name = QStringLiteral("settlement_save_20");
        c.label = QStringLiteral("save settlement, 20 lines");
        c.kind = CaseKind::Save;
        c.reps = env.reps;
        c.note = QStringLiteral("repair order saved and loaded (untimed); timed: order flag, header, lines, cash book, consumption, "
                                "customer, journal");
        c.program.prepare = [&db, st] { newSettlement(db, *st); };
        c.program.run = [&db, st] {
            workshop::saveSettlement(db, st->settlement, {workshop::SaveMode::New, st->who, QDate::currentDate()});
        };
        c.floor.prepare = [&db, st] { newSettlement(db, *st); };
        c.floor.run = [&db, st] { floorSaveSettlement(db, *st); };
        cases.push_back(c);
    }
    if (env.plateInMonth.isEmpty())
        throw store::DbError(QStringLiteral("no vehicle with repair orders in the month queried"));
    cases.push_back(queryCase(env, workshop::NoteTable::RepairOrders, false));
    cases.push_back(queryCase(env, workshop::NoteTable::RepairOrders, true));
    cases.push_back(queryCase(env, workshop::NoteTable::Settlements, false));
    cases.push_back(queryCase(env, workshop::NoteTable::Settlements, true));
    return cases;
}

} // namespace bench
