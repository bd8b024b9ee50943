#pragma once
// What the printed work order (派工单) shows: the saved repair order, its lines, and the
// company's name (the first department row, the head office).

#include "print/pagemodel.h"
#include "store/db.h"

namespace workshop {

// Throws WorkshopError when the number is not saved.
print::PageModel workOrderPages(store::Db &db, const QString &number);

} // namespace workshop
