#include "workshop/queries/workorderprint.h"
#include "workshop/repairorderprint.h"
#include "workshop/workshoperror.h"
#include "print/layouts/worknote.h"

namespace workshop {

print::PageModel workOrderPages(store::Db &db, const QString &number)
{
    const std::optional<RepairOrder> order = loadRepairOrder(db, number);
    if (!order)
        throw WorkshopError(QStringLiteral("没有可以打印的托修单，请查清楚！"));
    // The work order names the company, not the operator's branch.
    const QString company =
        db.scalar(QStringLiteral("SELECT 部门名称 FROM 部门信息 ORDER BY 部门编号") + db.limitOne()).toString();
    QList<QVariantMap> lines;
    for (const NoteLine &l : order->lines)
        lines.append(l.toMap());
    return print::TPrintWorkNoteForm::build(repairOrderPrintValues(db, *order, company), lines);
}

} // namespace workshop
