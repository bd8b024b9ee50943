#pragma once
// The printed settlement "材料及工时费结算明细表" (A4 portrait, one ruled row per line) in
// its two variants, chosen by the check box "打印工时单价": TPrintPayNote1Form with the
// labour-rate column "工时单价", TPrintPayNoteForm without it. They differ only by
// that column.
//
// Values the layouts read (QVariantMap): every 结算单主表 column of the settlement, the
// department row's 部门名称, 部门地址, 部门电话, 部门传真, and the computed sums, as
// store::Money, under the names the printed repair order uses:
//   "工时费合计"   L, the labour fees
//   "材料金额合计" M + S, the materials with the surcharge
//   "整单金额合计" T, the grand total (printed also in capital numerals)
// (putNoteTotals in notepieces.h). Lines are maps keyed by the 结算单子表 columns.

#include "print/layouts/notepieces.h"
#include "print/layouts/printednote.h"

namespace print {

class TPrintPayNoteForm : public PrintedNote<TPrintPayNoteForm> {
public:
    static Report layout();
};

class TPrintPayNote1Form : public PrintedNote<TPrintPayNote1Form> {
public:
    static Report layout();
};

} // namespace print
