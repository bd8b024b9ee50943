#include "workshop/queries/notequeries.h"
#include "workshop/workshoperror.h"
#include "shell/common/querymodel.h"
#include "store/likepattern.h"
#include "store/schema.h"

namespace workshop {

namespace {

struct TableQuery {
    const char *table;
    const char *dateColumn;     // the indexed date the range applies to
    const char *orderColumn;
    const char *columns;        // what the query grid shows (and the 修改 path reads)
    int leftOut;                // trailing columns the condition list leaves out
    int defaultIndex;
};

const TableQuery &tableQuery(NoteTable table)
{
    static const TableQuery repairOrders{
        "托修单主表", "接车时间", "托修单编号",
        "托修单编号, 接车时间, 车牌号码, 托修单位, 业务接待, 车辆状态, 完成标志, 备注", 8, 3};
    static const TableQuery settlements{
        "结算单主表", "完工时间", "结算单编号",
        "结算单编号, 托修单编号, 完工时间, 车牌号码, 托修单位, 车辆状态, 结算类型, 整单金额合计, 付款标志, 付款时间, "
        "结算员, 备注",
        10, 5};
    return table == NoteTable::RepairOrders ? repairOrders : settlements;
}

} // namespace

QStringList conditionColumns(NoteTable table)
{
    const TableQuery &q = tableQuery(table);
    const store::Table *t = store::Schema::instance().table(QString::fromUtf8(q.table));
    Q_ASSERT(t);
    QStringList names;
    const int listed = int(t->columns.size()) - q.leftOut;
    for (int i = 0; i < listed; ++i)
        if (t->columns[i].type == store::ColumnType::Text)
            names << t->columns[i].name;
    return names;
}

int defaultConditionIndex(NoteTable table)
{
    return tableQuery(table).defaultIndex;
}

QueryStatement noteQuery(store::Db &db, NoteTable table, const NoteFilter &filter)
{
    const TableQuery &q = tableQuery(table);
    const QString date = QString::fromUtf8(q.dateColumn);
    QueryStatement s;
    s.sql = QStringLiteral("SELECT %1 FROM %2 WHERE %3 >= ? AND %3 <= ?")
                .arg(QString::fromUtf8(q.columns), QString::fromUtf8(q.table), date);
    s.params = {filter.from, filter.to};
    if (!filter.condition.isEmpty()) {
        // The column becomes part of the statement, so it must be one of the list's.
        if (!conditionColumns(table).contains(filter.column))
            throw WorkshopError(QStringLiteral("不能按\"%1\"查询,请从条件类别中选择!").arg(filter.column),
                                QStringLiteral("条件类别"));
        s.sql += QStringLiteral(" AND ") + store::containsCondition(db, filter.column);
        s.params << store::containsPattern(filter.condition);
    }
    s.sql += QStringLiteral(" ORDER BY %1").arg(QString::fromUtf8(q.orderColumn));
    return s;
}

QueryScreen runNoteQuery(store::Db &db, NoteTable table, const NoteFilter &filter)
{
    const QueryStatement s = noteQuery(db, table, filter);
    shell::QueryModel model(db);
    model.run(s.sql, s.params);
    QueryScreen screen;
    screen.rowsShown = model.rowCount();
    const bool settlements = table == NoteTable::Settlements;
    const auto totals = model.totals(settlements ? QStringList{QStringLiteral("整单金额合计")} : QStringList{});
    screen.rows = totals.rows;
    if (settlements && !totals.sums.isEmpty())
        screen.amount = store::Money::fromVariant(totals.sums.first());
    return screen;
}

} // namespace workshop
