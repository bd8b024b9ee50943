#include "workshop/forms/notelinegrid.h"
#include "shell/common/datagrid.h"

namespace workshop {

QList<shell::LineField> noteLineFields(bool withLabourRate)
{
    using shell::LineField;
    const auto number = [](const QVariantMap &l, const char *f) { return l.value(QString::fromUtf8(f)).toDouble(); };
    QList<LineField> fields{{QStringLiteral("维修项目"), LineField::Text, 100}};
    if (withLabourRate)
        fields.append({QStringLiteral("工时单价"), LineField::Number});
    fields.append({
        {QStringLiteral("工时"), LineField::Number},
        {QStringLiteral("工时费"), LineField::Number},
        {QStringLiteral("物品编号"), LineField::Text, 20},
        {QStringLiteral("物品名称"), LineField::Text, 100},
        {QStringLiteral("单位"), LineField::Text, 12},
        {QStringLiteral("物品成本价"), LineField::Number},
        {QStringLiteral("物品单价"), LineField::Number},
        {QStringLiteral("物品数量"), LineField::Number},
        {QStringLiteral("备注"), LineField::Text, 100},
        {QStringLiteral("材料金额合计"), LineField::Number, 0,
         [=](const QVariantMap &l) { return QVariant(number(l, "物品数量") * number(l, "物品单价")); }},
        {QStringLiteral("材料总成本"), LineField::Number, 0,
         [=](const QVariantMap &l) { return QVariant(number(l, "物品数量") * number(l, "物品成本价")); }},
    });
    return fields;
}

void setUpNoteLineGrid(shell::DataGrid *grid, bool withLabourRate)
{
    using shell::GridColumn;
    QList<GridColumn> columns{{QStringLiteral("维修项目"), QStringLiteral("维修项目"), {}, {}, false, false, 150}};
    if (withLabourRate)
        columns.append({QStringLiteral("工时单价"), QStringLiteral("工时单价"), QStringLiteral("##.##")});
    columns.append({
        {QStringLiteral("工时"), QStringLiteral("工时"), QStringLiteral("##.##")},
        {QStringLiteral("工时费"), QStringLiteral("工时费"), QStringLiteral("##.##")},
        {QStringLiteral("物品名称"), QStringLiteral("物品名称"), {}, {}, false, false, 150},
        {QStringLiteral("单位"), QStringLiteral("单位")},
        {QStringLiteral("物品单价"), QStringLiteral("单价"), QStringLiteral("##.##")},
        {QStringLiteral("物品数量"), QStringLiteral("数量"), QStringLiteral("##.###")},
        {QStringLiteral("材料金额合计"), QStringLiteral("金额合计"), QStringLiteral("##0.00"), {}, false, true},
        {QStringLiteral("备注"), QStringLiteral("备注"), {}, {}, false, false, 120},
    });
    grid->setColumns(columns);
    grid->setFooter(QStringLiteral("维修项目"), shell::FooterCell::label(QStringLiteral("合  计")));
    grid->setFooter(QStringLiteral("工时费"), shell::FooterCell::sum(QStringLiteral("##0.00")));
    grid->setFooter(QStringLiteral("材料金额合计"), shell::FooterCell::sum(QStringLiteral("##0.00")));
}

QList<NoteLine> noteLinesOf(const shell::LineModel &model)
{
    QList<NoteLine> lines;
    for (const QVariantMap &l : model.lines())
        lines.append(NoteLine::fromMap(l));
    return lines;
}

void setNoteLines(shell::LineModel &model, const QList<NoteLine> &lines)
{
    model.clear();
    for (const NoteLine &l : lines)
        model.appendLine(l.toMap());
}

} // namespace workshop
