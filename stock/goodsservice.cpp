#include "stock/goodsservice.h"
#include "stock/categoryservice.h"
#include "stock/stockquery.h"
#include "stock/stockrules.h"
#include "store/journal.h"
#include "store/ruleerror.h"

using store::Db;
using store::Money;

namespace stock {

namespace {

const QString kColumns = QStringLiteral(
    "物品编号, 物品名称, 物品规格, 物品类别, 物品单位, 品牌, 参考进货价, 参考销售价, 最低销售价, "
    "最高库存限额, 最低库存限额, 条形码");

std::optional<double> optionalDouble(const QVariant &v)
{
    if (!v.isValid() || v.isNull())
        return std::nullopt;
    return v.toDouble();
}

Goods fromRecord(const QSqlRecord &r)
{
    Goods g;
    g.code = r.value(0).toString();
    g.name = r.value(1).toString();
    g.specs = r.value(2).toString();
    g.category = r.value(3).toString();
    g.unit = r.value(4).toString();
    g.brand = r.value(5).toString();
    g.purchasePrice = Money::fromVariant(r.value(6));
    g.salePrice = Money::fromVariant(r.value(7));
    g.lowestPrice = Money::fromVariant(r.value(8));
    g.upperLimit = optionalDouble(r.value(9));
    g.lowerLimit = optionalDouble(r.value(10));
    g.barcode = r.value(11).toString();
    return g;
}

QList<Goods> listOf(Db &db, const QString &where, const QVariantList &params)
{
    QList<Goods> list;
    QSqlQuery q = db.exec(QStringLiteral("SELECT %1 FROM 物品信息表 WHERE %2 ORDER BY 物品编号").arg(kColumns, where), params);
    while (q.next())
        list.append(fromRecord(q.record()));
    return list;
}

std::optional<Goods> firstOf(Db &db, const QString &where, const QVariantList &params)
{
    const auto r = db.one(QStringLiteral("SELECT %1 FROM 物品信息表 WHERE %2 ORDER BY 物品编号").arg(kColumns, where), params);
    return r ? std::optional<Goods>(fromRecord(*r)) : std::nullopt;
}

Goods trimmed(Goods g)
{
    for (QString *s : {&g.code, &g.name, &g.specs, &g.category, &g.unit, &g.brand, &g.barcode})
        *s = s->trimmed();
    if (!g.upperLimit) g.upperLimit = kDefaultUpperLimit;
    if (!g.lowerLimit) g.lowerLimit = kDefaultLowerLimit;
    return g;
}

// Refuses a name or barcode another goods already holds.
void checkUnique(Db &db, const Goods &g)
{
    if (goodsWithName(db, g.name, g.code))
        throw store::RuleError(QStringLiteral("资料表内已存在该相同名称的物品，不能再新增!"), QStringLiteral("物品全称"));
    if (!g.barcode.isEmpty() && goodsWithBarcode(db, g.barcode, g.code))
        throw store::RuleError(QStringLiteral("资料表内已存在该相同条形码或编码的物品，条形码或编码不能重复!"), QStringLiteral("条形码"));
}

// The next sequence of a category after `last`, skipping codes already in the catalogue
// (goods imported or entered elsewhere may have used them).
GoodsCode nextFreeCode(Db &db, const Category &category)
{
    const QString last = category.lastSequence.trimmed();
    bool ok = last.isEmpty();
    int sequence = last.isEmpty() ? 0 : last.toInt(&ok);
    if (!ok)
        throw store::RuleError(QStringLiteral("物品类别\"%1\"的最后编号\"%2\"不是数字,无法生成物品编号!").arg(category.name, last));
    for (;;) {
        ++sequence;
        if (sequence > 9999)
            throw store::RuleError(QStringLiteral("物品类别\"%1\"的物品编号已用完(最多9999个),不能再新增物品!").arg(category.name));
        const QString seq = QStringLiteral("%1").arg(sequence, 4, 10, QLatin1Char('0'));
        const QString code = category.code.trimmed() + seq;
        if (!db.exists(QStringLiteral("SELECT 1 FROM 物品信息表 WHERE 物品编号 = ?"), {code}))
            return {code, seq};
    }
}

Category categoryForCode(Db &db, const QString &categoryName, bool lock)
{
    const auto r = db.one(QStringLiteral("SELECT 物品类别编号, 物品类别, 最后编号 FROM 物品类别 WHERE 物品类别 = ? "
                                         "ORDER BY 物品类别编号%1").arg(lock ? db.forUpdate() : QString()),
                          {categoryName.trimmed()});
    if (!r || categoryName.trimmed().isEmpty())
        throw store::RuleError(QStringLiteral("没有找到您所输入的物品类别,请重新选择再进行新建!"), QStringLiteral("物品类别"));
    return {r->value(0).toString(), r->value(1).toString(), r->value(2).toString()};
}

} // namespace

GoodsCode nextGoodsCode(Db &db, const QString &categoryName)
{
    return nextFreeCode(db, categoryForCode(db, categoryName, false));
}

QList<Goods> goodsOfCategory(Db &db, const QString &categoryName)
{
    return listOf(db, QStringLiteral("物品类别 = ?"), {categoryName});
}

std::optional<Goods> goodsByCode(Db &db, const QString &code)
{
    return firstOf(db, QStringLiteral("物品编号 = ?"), {code.trimmed()});
}

// A bound empty text: a null QString would bind as NULL, and "<> NULL" matches nothing.
static QVariant textValue(const QString &text)
{
    return text.isNull() ? QVariant(QStringLiteral("")) : QVariant(text);
}

std::optional<Goods> goodsWithName(Db &db, const QString &name, const QString &exceptCode)
{
    return firstOf(db, QStringLiteral("物品名称 = ? AND 物品编号 <> ?"), {name.trimmed(), textValue(exceptCode.trimmed())});
}

std::optional<Goods> goodsWithBarcode(Db &db, const QString &barcode, const QString &exceptCode)
{
    return firstOf(db, QStringLiteral("条形码 = ? AND 物品编号 <> ?"), {barcode.trimmed(), textValue(exceptCode.trimmed())});
}

bool limitsReversed(std::optional<double> upper, std::optional<double> lower)
{
    return upper && lower && *upper < *lower;
}

void checkGoods(const Goods &goods, GoodsMode mode)
{
    const Goods g = trimmed(goods);
    const bool adding = mode == GoodsMode::Adding;
    if (g.name.isEmpty())
        throw store::RuleError(QStringLiteral("请输入物品名称,物品名称不能为空!"), QStringLiteral("物品全称"));
    if (g.unit.isEmpty())
        throw store::RuleError(QStringLiteral("请输入物品单位,物品单位不能空!"), QStringLiteral("物品单位"));
    if (g.purchasePrice.isZero())
        throw store::RuleError(adding ? QStringLiteral("请输入参考进货价,这个是必填项目!系统需要调用!")
                                : QStringLiteral("请输入参考进货价,这个属必填项目!系统需要调用!"), QStringLiteral("参考进货价"));
    if (g.salePrice.isZero())
        throw store::RuleError(adding ? QStringLiteral("请输入参考销售价,这个是必填项目!系统需要调用!")
                                : QStringLiteral("请输入参考销售价,这个属必填项!系统需要调用!"), QStringLiteral("参考销售价"));
    if (g.lowestPrice.isZero())
        throw store::RuleError(adding ? QStringLiteral("请输入最低销售价,这个是必填项目!系统需要调用!")
                                : QStringLiteral("请输入最低销售价,这个属必填项!系统需要调用!"), QStringLiteral("最低销售价"));
    if (limitsReversed(goods.upperLimit, goods.lowerLimit))
        throw store::RuleError(QStringLiteral("最低库存限额大于最高库存限额这是不正确,请重新输入!"), QStringLiteral("最高库存限额"));
    store::requireGbkWidth(g.name, 50, QStringLiteral("物品全称"));
    store::requireGbkWidth(g.barcode, 24, QStringLiteral("条形码"));
    store::requireGbkWidth(g.specs, 50, QStringLiteral("物品规格"));
    store::requireGbkWidth(g.brand, 24, QStringLiteral("品牌"));
    store::requireGbkWidth(g.unit, 12, QStringLiteral("物品单位"));
}

QString addGoods(Db &db, const Goods &goods, std::optional<double> openingQuantity, const QString &operatorName)
{
    checkGoods(goods, GoodsMode::Adding);
    Goods g = trimmed(goods);
    store::Transaction tx(db);
    const Category category = categoryForCode(db, g.category, true);
    g.category = category.name;
    g.code = QString();
    checkUnique(db, g);
    const GoodsCode code = nextFreeCode(db, category);
    g.code = code.code;
    db.execWrite(QStringLiteral("INSERT INTO 物品信息表 (%1) VALUES (?,?,?,?,?,?,?,?,?,?,?,?)").arg(kColumns),
                 {g.code, g.name, g.specs, g.category, g.unit, g.brand, g.purchasePrice.toVariant(),
                  g.salePrice.toVariant(), g.lowestPrice.toVariant(), *g.upperLimit, *g.lowerLimit, g.barcode});
    db.execWrite(QStringLiteral("UPDATE 物品类别 SET 最后编号 = ? WHERE 物品类别编号 = ?"), {code.sequence, category.code});
    store::writeJournal(db, QStringLiteral("新增物品信息:") + g.name, operatorName);
    if (openingQuantity) {
        const QString warehouse = db.scalar(QStringLiteral("SELECT 仓库名称 FROM 仓库信息表 ORDER BY 仓库编号")).toString();
        if (warehouse.isEmpty())
            throw store::RuleError(QStringLiteral("仓库信息表中没有仓库,无法保存期初数量!"), QStringLiteral("期初数量"));
        createStockRow(db, g.code, warehouse,
                       {*openingQuantity, g.purchasePrice.times(*openingQuantity), g.purchasePrice.toDouble()},
                       operatorName);
    }
    tx.commit();
    return g.code;
}

void updateGoods(Db &db, const Goods &goods, const QString &operatorName)
{
    checkGoods(goods, GoodsMode::Modifying);
    const Goods g = trimmed(goods);
    store::Transaction tx(db);
    if (!goodsByCode(db, g.code))
        throw store::RuleError(QStringLiteral("没有找到您所选择的物品编号的信息!"));
    checkUnique(db, g);
    db.execWrite(QStringLiteral("UPDATE 物品信息表 SET 物品名称 = ?, 物品规格 = ?, 品牌 = ?, 物品单位 = ?, 参考进货价 = ?, "
                                "参考销售价 = ?, 最低销售价 = ?, 最高库存限额 = ?, 最低库存限额 = ?, 条形码 = ? WHERE 物品编号 = ?"),
                 {g.name, g.specs, g.brand, g.unit, g.purchasePrice.toVariant(), g.salePrice.toVariant(),
                  g.lowestPrice.toVariant(), *g.upperLimit, *g.lowerLimit, g.barcode, g.code});
    db.execWrite(QStringLiteral("UPDATE 物品库存表 SET 物品名称 = ?, 物品规格 = ?, 品牌 = ?, 物品单位 = ?, 条形码 = ?, "
                                "建议销售价 = ?, 最低销售价 = ?, 最高库存限额 = ?, 最低库存限额 = ?, 最后修改人 = ? WHERE 物品编号 = ?"),
                 {g.name, g.specs, g.brand, g.unit, g.barcode, g.salePrice.toVariant(), g.lowestPrice.toVariant(),
                  *g.upperLimit, *g.lowerLimit, store::gbkTruncate(operatorName, 12), g.code});
    db.execWrite(QStringLiteral("UPDATE 业务流水 SET 物品名称 = ?, 物品规格 = ?, 物品单位 = ? WHERE 物品编号 = ?"),
                 {g.name, g.specs, g.unit, g.code});
    store::writeJournal(db, QStringLiteral("修改物品信息:") + g.name, operatorName);
    tx.commit();
}

void deleteGoods(Db &db, const QString &code, const shell::OperatorContext &who)
{
    if (!who.canDeleteOrModifyCompleted())
        throw store::RuleError(QStringLiteral("只有经理或管理员才能删除物品信息!"));
    store::Transaction tx(db);
    const auto goods = goodsByCode(db, code);
    if (!goods)
        throw store::RuleError(QStringLiteral("没有找到您所选择的物品编号的信息!"));
    // Stock rows go by name: an imported goods of the same name loses its rows too.
    db.execWrite(QStringLiteral("DELETE FROM 物品库存表 WHERE 物品名称 = ?"), {goods->name});
    store::writeJournal(db, QStringLiteral("删除物品信息:") + goods->name, who.name);
    db.execWrite(QStringLiteral("DELETE FROM 物品信息表 WHERE 物品编号 = ?"), {goods->code});
    tx.commit();
}

namespace {
QList<Goods> searched(Db &db, const QString &text, bool nameOrBarcode)
{
    if (text.trimmed().isEmpty())
        return {};
    const store::ListQuery query = goodsSearchQuery(db, text, nameOrBarcode);
    QList<Goods> list;
    QSqlQuery q = db.exec(query.sql, query.params);
    while (q.next())
        list.append(fromRecord(q.record()));
    return list;
}
} // namespace

QList<Goods> searchGoodsByName(Db &db, const QString &text)
{
    return searched(db, text, false);
}

QList<Goods> searchGoodsByNameOrBarcode(Db &db, const QString &text)
{
    return searched(db, text, true);
}

} // namespace stock
