#pragma once
// The printed work order "派工单" (TPrintWorkNoteForm, A4 portrait): a repair order as the
// workshop receives it, with its jobs and materials but no prices; 工时 and 工时费 are
// left blank and there are spaces for the technician's, inspector's and customer's
// signatures.
//
// Values the layout reads: the 托修单主表 columns of the order and the 部门名称 of the
// company. Lines are maps keyed by the 托修单子表 columns.

#include "print/pagemodel.h"

#include <QList>
#include <QVariantMap>

class QWidget;

namespace print {

class TPrintWorkNoteForm {
public:
    static Report layout();
    static PageModel build(const QVariantMap &values, const QList<QVariantMap> &lines);
    // Shows the previewer (print, zoom, pages) and returns when it is closed.
    static void preview(const PageModel &pages, QWidget *parent);
};

} // namespace print
