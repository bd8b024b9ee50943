#pragma once
// What the item and material picker reads: goods categories, goods by category, by bar
// code, by name or specs, and the stock and cost of a goods in the clerk's
// warehouse; and how the picker's boxes make one line of a repair order or settlement.
// Picking writes nothing: lines reach the database when their note is saved.

#include "workshop/notelines.h"
#include "store/db.h"
#include "store/money.h"

#include <QList>
#include <QStringList>

namespace workshop {

struct CatalogueGoods {
    QString code;                   // 物品编号
    QString name;                   // 物品名称
    QString specs;          // 物品规格
    QString category;               // 物品类别
    QString unit;                   // 物品单位
    store::Money purchasePrice;     // 参考进货价
    store::Money salePrice;         // 参考销售价
    QString barcode;                // 条形码
};

// Goods category names in the order of their codes.
QStringList goodsCategoryNames(store::Db &db);
// The goods of a category in code order.
QList<CatalogueGoods> goodsInCategory(store::Db &db, const QString &category);

struct GoodsSearch {
    QList<CatalogueGoods> found;    // in code order
    bool pickAtOnce = false;        // exactly one goods carries the bar code: pick it
};
// The search box (text trimmed; a blank text finds nothing). With the bar code: the
// goods whose 条形码 is the text; one such goods is picked at once, several are listed.
// Without a bar-code match (or without the bar-code step, as the search button asks):
// the goods whose name contains the text, else those whose specs contains it.
GoodsSearch searchGoods(store::Db &db, const QString &text, bool tryBarcode);

struct PickedGoods {
    CatalogueGoods goods;
    double stock = 0;               // 库存数量 in the warehouse; 0 without a stock row
    double cost = 0;                // the line's 物品成本价
    bool hasStockRow = false;
};
// A goods as the picker shows it: its stock in the warehouse and its cost, the stock
// row's average cost (平均成本) when there is one, else the reference purchase price.
// Throws WorkshopError when the goods is no longer in the catalogue.
PickedGoods pickGoods(store::Db &db, const QString &goodsCode, const QString &warehouse);

// 材料收费 = 单价 × 数量, or nothing while either box is empty or holds no number.
std::optional<double> materialCharge(const QString &priceText, const QString &quantityText);

// The picker's boxes when "保存" appends a line.
struct PickerEntry {
    QString item;                   // 维修项目
    QString labourFee;              // 工时费 (text of the box)
    QString remark;                 // 备注
    QString goodsCode, goodsName, unit;
    std::optional<double> cost;     // of the goods picked for this line; none without goods
    QString price;                  // 材料单价 (text)
    QString quantity;               // 物品数量 (text)
};
// The line "保存" appends: an empty quantity makes a labour-only line with price and
// quantity 0; 工时 (and 工时单价) stay empty.
NoteLine lineFromPicker(const PickerEntry &entry);

} // namespace workshop
