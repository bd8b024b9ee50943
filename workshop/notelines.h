#pragma once
// The lines of a repair order or settlement and the note's totals. A line may carry a
// labour item, a material or both; its figures are floats, as the line tables hold them.
// Totals are exact money: L = sum of 工时费, M = sum of 材料金额合计 (数量 × 单价),
// S = M × rate ÷ 100 (rate: 附加管理费 in percent), T = M + L + S.
//
// Lines travel as maps keyed by the line tables' column names (the forms' line grid,
// the printed notes), converted with toMap()/fromMap().

#include "store/money.h"

#include <QList>
#include <QString>
#include <QVariantMap>
#include <optional>

namespace workshop {

struct NoteLine {
    QString item;                       // 维修项目
    std::optional<double> labourRate;   // 工时单价 (settlement lines only)
    std::optional<double> hours;        // 工时
    std::optional<double> labourFee;    // 工时费
    QString goodsCode;                  // 物品编号
    QString goodsName;                  // 物品名称
    QString unit;                       // 单位
    std::optional<double> unitCost;     // 物品成本价
    std::optional<double> unitPrice;    // 物品单价
    std::optional<double> quantity;     // 物品数量
    QString remark;                     // 备注

    double materialAmount() const;      // 材料金额合计 = 数量 × 单价
    double materialCost() const;        // 材料总成本 = 数量 × 成本价
    // Neither a labour item nor a material: such a line is never stored.
    bool isBlank() const;

    QVariantMap toMap() const;          // computed fields included
    static NoteLine fromMap(const QVariantMap &map);
};

struct NoteTotals {
    store::Money labour;      // L
    store::Money material;    // M
    store::Money surcharge;   // S
    store::Money total;       // T
    store::Money materialWithSurcharge() const { return material + surcharge; }
};

NoteTotals noteTotals(const QList<NoteLine> &lines, double ratePercent);

// The rate box's text as a number: empty is 0; false in *ok for text that is no number.
double parseRate(const QString &text, bool *ok = nullptr);

} // namespace workshop
