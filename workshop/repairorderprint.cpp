#include "workshop/repairorderprint.h"
#include "workshop/workshoperror.h"
#include "print/layouts/notepieces.h"
#include "print/layouts/repairorder.h"

namespace workshop {

QVariantMap repairOrderPrintValues(store::Db &db, const RepairOrder &o, const QString &department)
{
    QVariantMap v{
        {QStringLiteral("托修单编号"), o.number},
        {QStringLiteral("服务部门"), o.department},
        {QStringLiteral("接车时间"), o.received},
        {QStringLiteral("预计完工时间"), o.expectedCompletion},
        {QStringLiteral("车牌号码"), o.plate},
        {QStringLiteral("车型"), o.model},
        {QStringLiteral("颜色"), o.colour},
        {QStringLiteral("VIN码"), o.vin},
        {QStringLiteral("发动机号"), o.engineNo},
        {QStringLiteral("接车里程"), o.mileage},
        {QStringLiteral("托修单位"), o.owner},
        {QStringLiteral("联系人"), o.contact},
        {QStringLiteral("联系电话"), o.phone},
        {QStringLiteral("联系手机"), o.mobile},
        {QStringLiteral("地址"), o.address},
        {QStringLiteral("邮编"), o.postcode},
        {QStringLiteral("传真"), o.fax},
        {QStringLiteral("接车前检查"), o.inspection},
        {QStringLiteral("车辆状态"), o.status},
        {QStringLiteral("备注"), o.remark},
        {QStringLiteral("业务接待"), o.adviser},
        {QStringLiteral("维修技师"), o.technician},
        {QStringLiteral("质检员"), o.inspector},
        {QStringLiteral("客户名"), o.customerSignature},
        {QStringLiteral("制单员"), o.clerk},
    };
    const auto dept = db.one(QStringLiteral("SELECT 部门名称, 部门地址, 部门电话, 部门传真 FROM 部门信息 WHERE 部门名称 = ? "
                                            "ORDER BY 部门编号"),
                             {department});
    const QStringList deptColumns{QStringLiteral("部门名称"), QStringLiteral("部门地址"), QStringLiteral("部门电话"),
                                  QStringLiteral("部门传真")};
    for (int i = 0; i < deptColumns.size(); ++i)
        v.insert(deptColumns[i], dept ? dept->value(i).toString() : QString());
    const NoteTotals t = o.totals();
    print::putNoteTotals(v, t.labour, t.materialWithSurcharge(), t.total);
    return v;
}

print::PageModel repairOrderPages(store::Db &db, const QString &number, const QString &department)
{
    const std::optional<RepairOrder> order = loadRepairOrder(db, number);
    if (!order)
        throw WorkshopError(QStringLiteral("没有可以打印的托修单，请查清楚！"));
    QList<QVariantMap> lines;
    for (const NoteLine &l : order->lines)
        lines.append(l.toMap());
    return print::TPrintProduNoteForm::build(repairOrderPrintValues(db, *order, department), lines);
}

} // namespace workshop
