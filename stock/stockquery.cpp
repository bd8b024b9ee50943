#include "stock/stockquery.h"
#include "stock/goodsservice.h"

namespace stock {

namespace {
const QString kGoods = QStringLiteral(
    "SELECT 物品编号, 物品名称, 物品规格, 物品类别, 物品单位, 品牌, 参考进货价, 参考销售价, 最低销售价, "
    "最高库存限额, 最低库存限额, 条形码 FROM 物品信息表");
} // namespace

ListQuery categoryListQuery()
{
    return {QStringLiteral("SELECT 物品类别编号, 物品类别, 最后编号 FROM 物品类别 ORDER BY 物品类别编号"), {}};
}

ListQuery goodsListQuery(const QString &categoryName)
{
    return {kGoods + QStringLiteral(" WHERE 物品类别 = ? ORDER BY 物品编号"), {categoryName}};
}

ListQuery goodsWithNameQuery(const QString &name)
{
    return {kGoods + QStringLiteral(" WHERE 物品名称 = ? ORDER BY 物品编号"), {name.trimmed()}};
}

ListQuery goodsWithBarcodeQuery(const QString &barcode)
{
    return {kGoods + QStringLiteral(" WHERE 条形码 = ? ORDER BY 物品编号"), {barcode.trimmed()}};
}

ListQuery goodsSearchQuery(store::Db &db, const QString &text, bool nameOrBarcode)
{
    const QString t = text.trimmed();
    const QString like = db.likeOperator();
    const ListQuery first = nameOrBarcode
        ? ListQuery{kGoods + QStringLiteral(" WHERE (物品名称 %1 ? ESCAPE '\\' OR 条形码 = ?) ORDER BY 物品编号").arg(like),
                    {containsPattern(t), t}}
        : ListQuery{kGoods + QStringLiteral(" WHERE 物品名称 %1 ? ESCAPE '\\' ORDER BY 物品编号").arg(like), {containsPattern(t)}};
    if (db.exists(QStringLiteral("SELECT 1 FROM (%1) found").arg(first.sql), first.params))
        return first;
    return {kGoods + QStringLiteral(" WHERE 物品规格 %1 ? ESCAPE '\\' ORDER BY 物品编号").arg(like), {containsPattern(t)}};
}

ListQuery stockRowsQuery(store::Db &db, const QString &name, const QString &category)
{
    const QString n = name.trimmed(), c = category.trimmed();
    QString sql = QStringLiteral("SELECT * FROM 物品库存表");
    QVariantList params;
    QStringList where;
    if (!c.isEmpty()) {
        where << QStringLiteral("物品类型 = ?");
        params << c;
    }
    if (!n.isEmpty()) {
        where << QStringLiteral("(物品名称 %1 ? ESCAPE '\\' OR 条形码 = ?)").arg(db.likeOperator());
        params << containsPattern(n) << n;
    }
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "));
    return {sql + QStringLiteral(" ORDER BY 物品编号, 仓库"), params};
}

} // namespace stock
