#pragma once
// The repair order and settlement queries: notes of a date range (托修单 by 接车时间,
// 结算单 by 完工时间, both indexed), optionally those whose chosen text column
// contains the condition. The column is taken only from the table's own list of
// condition columns (a whitelist built from the schema description); the condition
// and the dates are bound values. The grids fetch the rows lazily and take their
// footer sums from one aggregate statement over the same query.
//
//   const auto q = workshop::settlementQuery(db, {from, to, "车牌号码", "A12"});
//   grid->showQuery(db, q.sql, q.params);

#include "store/db.h"
#include "store/listquery.h"
#include "store/money.h"

#include <QDate>
#include <QStringList>
#include <QVariantList>

namespace workshop {

enum class NoteTable {
    RepairOrders,   // 托修单主表
    Settlements,    // 结算单主表
};

// The 条件类别 list: the header table's text columns in table order, leaving out the
// table's last eight (repair orders) or last ten (settlements) columns.
QStringList conditionColumns(NoteTable table);
// The entry preselected in that list: the fourth (repair orders) or the sixth
// (settlements).
int defaultConditionIndex(NoteTable table);

// The days before today the "开始时间" box starts at.
inline constexpr int kQueryFromDays = 5;

struct NoteFilter {
    QDate from;             // 开始时间
    QDate to;               // 结束时间
    QString column;         // 条件类别; used only with a condition
    QString condition;      // 查询条件: matched as typed text anywhere in the column
};

using QueryStatement = store::ListQuery;

// Throws WorkshopError for a condition on a column that is not in conditionColumns().
QueryStatement noteQuery(store::Db &db, NoteTable table, const NoteFilter &filter);
inline QueryStatement repairOrderQuery(store::Db &db, const NoteFilter &f) { return noteQuery(db, NoteTable::RepairOrders, f); }
inline QueryStatement settlementQuery(store::Db &db, const NoteFilter &f) { return noteQuery(db, NoteTable::Settlements, f); }

// What a query form shows at once, for timing without a window: the statement run the
// way the grid runs it, its first screen of rows fetched, and the footer figures (row
// count and, for settlements, the sum of 整单金额合计) from the aggregate statement.
struct QueryScreen {
    int rowsShown = 0;
    qint64 rows = 0;
    store::Money amount;    // settlements: 金额合计 footer
};
QueryScreen runNoteQuery(store::Db &db, NoteTable table, const NoteFilter &filter);

} // namespace workshop
