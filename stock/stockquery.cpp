#include "stock/stockquery.h"
#include "store/likepattern.h"

namespace stock {

namespace {
const QString kGoods = QStringLiteral(
    "SELECT 物品编号, 物品名称, 物品规格, 物品类别, 物品单位, 品牌, 参考进货价, 参考销售价, 最低销售价, "
    "最高库存限额, 最低库存限额, 条形码 FROM 物品信息表");
} // namespace

store::ListQuery categoryListQuery()
{
    return {QStringLiteral("SELECT 物品类别编号, 物品类别, 最后编号 FROM 物品类别 ORDER BY 物品类别编号"), {}};
}

store::ListQuery goodsListQuery(const QString &categoryName)
{
    return {kGoods + QStringLiteral(" WHERE 物品类别 = ? ORDER BY 物品编号"), {categoryName}};
}

store::ListQuery goodsWithNameQuery(const QString &name)
{
    return {kGoods + QStringLiteral(" WHERE 物品名称 = ? ORDER BY 物品编号"), {name.trimmed()}};
}

store::ListQuery goodsWithBarcodeQuery(const QString &barcode)
{
    return {kGoods + QStringLiteral(" WHERE 条形码 = ? ORDER BY 物品编号"), {barcode.trimmed()}};
}

store::ListQuery goodsSearchQuery(store::Db &db, const QString &text, bool nameOrBarcode)
{
    const QString t = text.trimmed();
    const QString pattern = store::containsPattern(t);
    const QString byName = store::containsCondition(db, QStringLiteral("物品名称"));
    const store::ListQuery first = nameOrBarcode
        ? store::ListQuery{kGoods + QStringLiteral(" WHERE (%1 OR 条形码 = ?) ORDER BY 物品编号").arg(byName), {pattern, t}}
        : store::ListQuery{kGoods + QStringLiteral(" WHERE %1 ORDER BY 物品编号").arg(byName), {pattern}};
    if (db.exists(QStringLiteral("SELECT 1 FROM (%1) found").arg(first.sql), first.params))
        return first;
    return {kGoods + QStringLiteral(" WHERE %1 ORDER BY 物品编号").arg(store::containsCondition(db, QStringLiteral("物品规格"))),
            {pattern}};
}

store::ListQuery stockRowsQuery(store::Db &db, const QString &name, const QString &category)
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
        where << QStringLiteral("(%1 OR 条形码 = ?)").arg(store::containsCondition(db, QStringLiteral("物品名称")));
        params << store::containsPattern(n) << n;
    }
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "));
    return {sql + QStringLiteral(" ORDER BY 物品编号, 仓库"), params};
}

} // namespace stock
