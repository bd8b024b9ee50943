#pragma once
// What the printed repair order shows: the saved order, its lines, the department row of
// the operator's department and the sums L, M + S and T.

#include "workshop/repairorders.h"
#include "print/pagemodel.h"

namespace workshop {

// The layout's values: the order's header columns, the department's name, address,
// telephone and fax, and "工时费合计", "材料金额合计" (M + S), "整单金额合计" (T).
QVariantMap repairOrderPrintValues(store::Db &db, const RepairOrder &order, const QString &department);

// The pages of a saved order. Throws WorkshopError when the number is not saved.
print::PageModel repairOrderPages(store::Db &db, const QString &number, const QString &department);

} // namespace workshop
