#pragma once
// The printed work order "派工单" (TPrintWorkNoteForm, A4 portrait): a repair order as the
// workshop receives it, with its jobs and materials but no prices; 工时 and 工时费 are
// left blank and there are spaces for the technician's, inspector's and customer's
// signatures.
//
// Values the layout reads: the 托修单主表 columns of the order and the 部门名称 of the
// company. Lines are maps keyed by the 托修单子表 columns.

#include "print/layouts/printednote.h"

namespace print {

class TPrintWorkNoteForm : public PrintedNote<TPrintWorkNoteForm> {
public:
    static Report layout();
};

} // namespace print
