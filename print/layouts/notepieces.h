#pragma once
// Pieces the printed notes share (托修单, 结算单, 派工单, 入库单 and the example note):
// the company's name over the title, the ruled rows of a repair order's vehicle and
// owner, the order's line table, the sums with the capital-numeral total, the remark
// box, the staff and department lines, the page numbers. Coordinates in millimetres.

#include "print/report.h"
#include "store/money.h"

#include <QVariantMap>

namespace print {

// "部门名称" (18 pt) centred over the title (14 pt), both bold, 18 mm high together.
void addCompanyTitle(Band &band, qreal width, const QString &title);
// "第 {page} 页  共 {pages} 页" centred in the page footer.
void addPageNumbers(Report &r);

// The repair order's ruled rows, each 7 mm high, at `y`:
void addOrderNumberRow(Band &band, qreal y);            // 托修单号, 车牌号码, 接车时间, 预计完工时间
void addCompactVehicleRow(Band &band, qreal y);         // 车型, VIN码 (wide), 发动机码, 接车里程
void addOwnerRow(Band &band, qreal y);                  // 车主, 联系人, 联系电话
void addAddressRow(Band &band, qreal y);                // 地址, 邮编, 传真
void addInspectionRow(Band &band, qreal y, qreal width); // 接车前检查

// The repair order's line table: 维修项目, 工时, 工时费, 材料名称, 单位, 单价, 数量, 材料金额.
void addOrderLineTable(Report &r);

// Puts the three sums the printed notes read into the values: "工时费合计" (L, the
// labour fees), "材料金额合计" (M + S, the materials with the surcharge) and
// "整单金额合计" (T, the grand total).
void putNoteTotals(QVariantMap &values, store::Money labour, store::Money materialWithSurcharge, store::Money total);

// Two ruled rows of the sums read from the values "工时费合计", "材料金额合计" and
// "整单金额合计" (the last also in capital numerals), at the top of the band.
void addNoteTotals(Band &summary, const QString &totalCaption);
// The ruled "备注" box, 12 mm high, wrapping.
void addRemarkBox(Band &band, qreal y, qreal width);
// 业务接待, 维修技师, 质检员 and a line for the customer's signature, at y.
void addOrderStaffLine(Band &band, qreal y, qreal width);
// A thin rule at y and the department's 地址, 电话, 传真 under it.
void addDepartmentLine(Band &band, qreal y, qreal width);

} // namespace print
