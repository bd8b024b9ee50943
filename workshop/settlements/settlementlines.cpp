#include "workshop/settlements/settlementlines.h"
#include "workshop/forms/notelinegrid.h"
#include "workshop/settlements/settlements.h"

namespace workshop {

SettlementLineModel::SettlementLineModel(QObject *parent) : shell::LineModel(noteLineFields(true), parent) {}

bool SettlementLineModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!shell::LineModel::setData(index, value, role))
        return false;
    const QString field = fields().value(index.column()).name;
    if (field != QStringLiteral("工时单价") && field != QStringLiteral("工时"))
        return true;
    NoteLine line = NoteLine::fromMap(this->line(index.row()));
    if (line.labourRate && line.hours) {
        applyLabourRate(line);
        shell::LineModel::setData(this->index(index.row(), fieldIndex(QStringLiteral("工时费"))), *line.labourFee, role);
    }
    return true;
}

} // namespace workshop
