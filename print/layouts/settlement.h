#pragma once
// The printed settlement "材料及工时费结算明细表" (A4 portrait, one ruled row per line),
// in its two variants: with the labour-rate column "工时单价" (TPrintPayNote1Form, what
// "打印工时单价" asks for) and without it (TPrintPayNoteForm).
//
// Values: every 结算单主表 column of the settlement, the department's 部门名称, 部门地址,
// 部门电话 and 部门传真, and the note's totals put in with putNoteTotals(). Rows: the
// settlement's lines by their column names.

#include "print/pagemodel.h"
#include "store/money.h"

#include <QList>
#include <QVariantMap>

namespace print {

enum class SettlementVariant {
    WithoutLabourRate,  // TPrintPayNoteForm
    WithLabourRate,     // TPrintPayNote1Form
};

// The totals a printed note shows below its lines: 工时费合计 (L), 材料金额合计 (M + S,
// the materials with their surcharge) and the grand total T (in figures and capitals).
inline const QString kLabourTotalValue = QStringLiteral("合计工时费");
inline const QString kMaterialTotalValue = QStringLiteral("合计材料金额");
inline const QString kGrandTotalValue = QStringLiteral("合计总金额");
void putNoteTotals(QVariantMap &values, store::Money labour, store::Money materialWithSurcharge, store::Money total);

Report settlementLayout(SettlementVariant variant);
PageModel buildSettlementPages(SettlementVariant variant, const QList<QVariantMap> &lines, const QVariantMap &values);

} // namespace print
