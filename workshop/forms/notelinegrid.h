#pragma once
// The line grid of the repair order and settlement entry forms: the fields of a note
// line in a shell::LineModel, the columns, masks and footers the grid shows, and the
// interface through which the item and material picker appends a line to its caller.

#include "workshop/notelines.h"
#include "shell/common/linemodel.h"

namespace shell { class DataGrid; }

namespace workshop {

// 维修项目, [工时单价,] 工时, 工时费, 物品编号, 物品名称, 单位, 物品成本价, 物品单价, 物品数量,
// 备注 and the computed 材料金额合计 and 材料总成本.
QList<shell::LineField> noteLineFields(bool withLabourRate);

// Columns "维修项目" (footer "合  计"), ["工时单价",] "工时", "工时费" (footer sum), "物品名称",
// "单位", "单价", "数量", "金额合计" (read-only, footer sum), "备注".
void setUpNoteLineGrid(shell::DataGrid *grid, bool withLabourRate);

QList<NoteLine> noteLinesOf(const shell::LineModel &model);
void setNoteLines(shell::LineModel &model, const QList<NoteLine> &lines);

// A form whose line grid the picker can append to.
class NoteLineReceiver {
public:
    virtual ~NoteLineReceiver() = default;
    virtual void receiveLine(const NoteLine &line) = 0;
};

} // namespace workshop
