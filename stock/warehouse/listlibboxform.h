#pragma once
// "仓库列表": the warehouse chooser. "选择" or a double-click hands the picked 仓库名称 to
// the opener's box (object name) that the caller tag names, and closes:
//
//   caller tag      opener                                   box             then
//   "物品入库"      stock-in note TEnterInLibNoteForm        warehouseBox    focus to its line grid (next in its Enter chain)
//   "物品出库"      stock-out note TEnterOutNoteForm         warehouseBox    focus to its line grid (next in its Enter chain)
//   "盘点单录入"    gain/loss note                           warehouseBox
//   "仓库盘点"      stock count sheet                        warehouseBox
//   "入库查询"      stock-in query criterion box             conditionBox
//   "出库查询"      stock-out query criterion box            conditionBox
//   "盘点查询"      gain/loss query criterion box            conditionBox
//   "仓库资料导入"  goods import                             warehouseBox
//
// A new note takes the first warehouse (smallest 仓库编号) through preselectFirst(), which
// picks it exactly as "选择" would, without showing the chooser.

#include "shell/common/chooser.h"

namespace stock {

inline const QString kWarehouseBoxName = QStringLiteral("warehouseBox");
inline const QString kConditionBoxName = QStringLiteral("conditionBox");

class TListLibBoxForm : public shell::ChooserForm {
    Q_OBJECT
public:
    explicit TListLibBoxForm(QWidget *opener);
    static const QList<shell::ChooserTarget> &targets();

    // Hands the first warehouse to the opener as the tag says, without showing the
    // chooser. False when there is no warehouse or the tag is unknown.
    static bool preselectFirst(QWidget *opener, const QString &callerTag);
};

} // namespace stock
