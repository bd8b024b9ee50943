#pragma once
// The statements behind the goods lists and the goods stock query, for the forms'
// grids (values bound, never pasted into the text).

#include "store/db.h"
#include "store/listquery.h"

namespace stock {

// Every category in code order (物品类别编号, 物品类别, 最后编号).
store::ListQuery categoryListQuery();
// The goods of a category in code order, columns of 物品信息表 in table order.
store::ListQuery goodsListQuery(const QString &categoryName);
// The goods that hold this name, or this barcode: what a refused entry clashed with.
store::ListQuery goodsWithNameQuery(const QString &name);
store::ListQuery goodsWithBarcodeQuery(const QString &barcode);
// The goods chooser's searches (see searchGoodsByName / searchGoodsByNameOrBarcode):
// the statement of the first search that finds something, else of the last one tried.
store::ListQuery goodsSearchQuery(store::Db &db, const QString &text, bool nameOrBarcode);

// The goods stock query: stock rows whose name contains the text or whose barcode
// equals it, of the category when given; all rows when both are empty. Code order.
store::ListQuery stockRowsQuery(store::Db &db, const QString &name, const QString &category);

} // namespace stock
