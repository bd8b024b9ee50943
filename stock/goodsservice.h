#pragma once
// The goods catalogue (物品信息表). A goods code is its category's code followed by the
// category's next 4-digit sequence; names and barcodes are unique in the catalogue.
// Saving a goods record also keeps 最后编号 of its category, the copies on its stock
// rows and the names on its ledger rows in step; each save is one transaction with its
// journal entry.

#include "shell/common/operatorcontext.h"
#include "store/db.h"
#include "store/money.h"

#include <QList>
#include <optional>

namespace stock {

struct Goods {
    QString code;               // 物品编号
    QString name;               // 物品名称 (full name)
    QString specs;              // 物品规格
    QString category;           // 物品类别: the category's name
    QString unit;               // 物品单位
    QString brand;              // 品牌
    store::Money purchasePrice; // 参考进货价
    store::Money salePrice;     // 参考销售价
    store::Money lowestPrice;   // 最低销售价
    std::optional<double> upperLimit;   // 最高库存限额; empty is stored as 1000
    std::optional<double> lowerLimit;   // 最低库存限额; empty is stored as 1
    QString barcode;            // 条形码
};

inline constexpr double kDefaultUpperLimit = 1000;
inline constexpr double kDefaultLowerLimit = 1;

// The code the next goods of a category gets, and the sequence that goes back into
// 最后编号 when it is saved. store::RuleError when the category does not exist
// ("没有找到您所输入的物品类别,请重新选择再进行新建!") or its sequence is used up.
struct GoodsCode {
    QString code;
    QString sequence;
};
GoodsCode nextGoodsCode(store::Db &db, const QString &categoryName);

// The goods of a category in code order (the goods setup list and its export).
QList<Goods> goodsOfCategory(store::Db &db, const QString &categoryName);
std::optional<Goods> goodsByCode(store::Db &db, const QString &code);
// The goods holding this name or barcode, other than the one being modified.
std::optional<Goods> goodsWithName(store::Db &db, const QString &name, const QString &exceptCode = {});
std::optional<Goods> goodsWithBarcode(store::Db &db, const QString &barcode, const QString &exceptCode = {});

enum class GoodsMode { Adding, Modifying };

// The save checks in the order the entry dialog makes them; store::RuleError names the
// failing box by its label ("物品全称", "物品单位", "参考进货价", ...).
void checkGoods(const Goods &goods, GoodsMode mode);
// Whether both limits are given and the upper one is below the lower one.
bool limitsReversed(std::optional<double> upper, std::optional<double> lower);

// Adds the goods under the next code of its category (taken at the moment of saving),
// advances the category's 最后编号 and writes the journal entry. With an opening
// quantity (0 included) it also appends the stock row of the first warehouse, valued
// at the reference purchase price; no ledger row. Returns the code given.
QString addGoods(store::Db &db, const Goods &goods, std::optional<double> openingQuantity,
                 const QString &operatorName);

// Saves a modification: the goods record, the copies on its stock rows in every
// warehouse (not the average cost), the name, specs and unit of its ledger
// rows, and the journal entry. Note lines keep the names they were saved with.
void updateGoods(store::Db &db, const Goods &goods, const QString &operatorName);

// Deletes the goods and the stock rows that carry its name, with the journal entry.
// Refuses operators who may not delete.
void deleteGoods(store::Db &db, const QString &code, const shell::OperatorContext &who);

// The goods chooser's searches. Button: name contains the text, else specs
// contains it. Enter: name contains it or the barcode equals it, else the
// specs search. A blank text finds nothing.
QList<Goods> searchGoodsByName(store::Db &db, const QString &text);
QList<Goods> searchGoodsByNameOrBarcode(store::Db &db, const QString &text);

} // namespace stock
