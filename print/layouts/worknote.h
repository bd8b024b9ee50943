#pragma once
// The printed work order "派工单" (TPrintWorkNoteForm, A4 portrait): a repair order as the
// workshop receives it, with its jobs and materials but no prices; 工时 and 工时费 are
// left blank and there are spaces for the technician's, inspector's and customer's
// signatures.
//
// Values: the 托修单主表 columns of the order and the 部门名称 of the company. Rows: the
// order's lines by their column names.

#include "print/pagemodel.h"

#include <QList>
#include <QVariantMap>

namespace print {

Report workNoteLayout();
PageModel buildWorkNotePages(const QList<QVariantMap> &lines, const QVariantMap &values);

} // namespace print
