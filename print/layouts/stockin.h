#pragma once
// The printed stock-in note "入库单" (TPrintForm1, A4 portrait): the note's header, one
// ruled row per line, the sums of quantity and amount, the amount in capital numerals
// and the signature lines of the maker, the receiver and the reviewer.
//
// Values: the 入库单主表 columns of the note (入库日期 as a date). Rows: its 入库单子表
// lines by column name, in line order.

#include "print/pagemodel.h"

#include <QList>
#include <QVariantMap>

namespace print {

Report stockInNoteLayout();
PageModel buildStockInNotePages(const QList<QVariantMap> &lines, const QVariantMap &values);

} // namespace print
