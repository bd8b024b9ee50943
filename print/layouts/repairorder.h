#pragma once
// The printed repair order (TPrintProduNoteForm): A4 portrait, the department's name and
// the title over a ruled box of the vehicle and owner, one ruled line per order line,
// then the sums, the capital-numeral total, the staff and the department's address.
//
// Values the layout reads (QVariantMap): the 托修单主表 columns of the order
// (托修单编号, 车牌号码, 接车时间, ..., 业务接待, 维修技师, 质检员), the department row's
// 部门名称, 部门地址, 部门电话, 部门传真, and the computed sums
//   "工时费合计"   L, the labour fees
//   "材料金额合计" M + S, the materials with the surcharge
//   "整单金额合计" T, the grand total (printed also in capital numerals)
// as store::Money. Lines are maps keyed by the 托修单子表 columns.

#include "print/layouts/printednote.h"

namespace print {

class TPrintProduNoteForm : public PrintedNote<TPrintProduNoteForm> {
public:
    static Report layout();
};

} // namespace print
