#include "workshop/materialpicker.h"
#include "workshop/workshoperror.h"
#include "store/likepattern.h"

namespace workshop {

namespace {

const QString kGoodsColumns = QStringLiteral(
    "SELECT 物品编号, 物品名称, 物品规格, 物品类别, 物品单位, 参考进货价, 参考销售价, 条形码 FROM 物品信息表 ");

QList<CatalogueGoods> goodsWhere(store::Db &db, const QString &where, const QVariantList &params)
{
    QList<CatalogueGoods> list;
    QSqlQuery q = db.exec(kGoodsColumns + QStringLiteral("WHERE ") + where + QStringLiteral(" ORDER BY 物品编号"), params);
    while (q.next()) {
        list.append({q.value(0).toString(), q.value(1).toString(), q.value(2).toString(), q.value(3).toString(),
                     q.value(4).toString(), store::Money::fromVariant(q.value(5)),
                     store::Money::fromVariant(q.value(6)), q.value(7).toString()});
    }
    return list;
}

std::optional<double> numberIn(const QString &text)
{
    bool ok = false;
    const double d = text.trimmed().toDouble(&ok);
    return ok ? std::optional<double>(d) : std::nullopt;
}

} // namespace

QStringList goodsCategoryNames(store::Db &db)
{
    QStringList names;
    QSqlQuery q = db.exec(QStringLiteral("SELECT 物品类别 FROM 物品类别 ORDER BY 物品类别编号"));
    while (q.next())
        names << q.value(0).toString();
    return names;
}

QList<CatalogueGoods> goodsInCategory(store::Db &db, const QString &category)
{
    return goodsWhere(db, QStringLiteral("物品类别 = ?"), {category});
}

GoodsSearch searchGoods(store::Db &db, const QString &text, bool tryBarcode)
{
    GoodsSearch result;
    const QString t = text.trimmed();
    if (t.isEmpty())
        return result;
    if (tryBarcode) {
        result.found = goodsWhere(db, QStringLiteral("条形码 = ?"), {t});
        // Several goods on one bar code are listed for the clerk to choose from.
        if (!result.found.isEmpty()) {
            result.pickAtOnce = result.found.size() == 1;
            return result;
        }
    }
    const QString pattern = store::containsPattern(t);
    result.found = goodsWhere(db, store::containsCondition(db, QStringLiteral("物品名称")), {pattern});
    if (result.found.isEmpty())
        result.found = goodsWhere(db, store::containsCondition(db, QStringLiteral("物品规格")), {pattern});
    return result;
}

PickedGoods pickGoods(store::Db &db, const QString &goodsCode, const QString &warehouse)
{
    const QList<CatalogueGoods> goods = goodsWhere(db, QStringLiteral("物品编号 = ?"), {goodsCode});
    if (goods.isEmpty())
        throw WorkshopError(QStringLiteral("没有找到编号为%1的物品,该物品可能已经被删除!").arg(goodsCode));
    PickedGoods picked;
    picked.goods = goods.first();
    picked.cost = picked.goods.purchasePrice.toDouble();
    const auto row = db.one(QStringLiteral("SELECT 物品数量, 平均成本 FROM 物品库存表 WHERE 物品编号 = ? AND 仓库 = ?"),
                            {goodsCode, warehouse});
    if (row) {
        picked.hasStockRow = true;
        picked.stock = row->value(0).toDouble();
        picked.cost = row->value(1).toDouble();
    }
    return picked;
}

std::optional<double> materialCharge(const QString &priceText, const QString &quantityText)
{
    const auto price = numberIn(priceText);
    const auto quantity = numberIn(quantityText);
    if (!price || !quantity)
        return std::nullopt;
    return *price * *quantity;
}

NoteLine lineFromPicker(const PickerEntry &e)
{
    NoteLine line;
    line.item = e.item;
    line.labourFee = numberIn(e.labourFee);
    line.remark = e.remark;
    line.goodsCode = e.goodsCode;
    line.goodsName = e.goodsName;
    line.unit = e.unit;
    line.unitCost = e.cost;
    if (e.quantity.trimmed().isEmpty()) {
        line.unitPrice = 0;
        line.quantity = 0;
    } else {
        line.unitPrice = numberIn(e.price).value_or(0);
        line.quantity = numberIn(e.quantity).value_or(0);
    }
    return line;
}

} // namespace workshop
