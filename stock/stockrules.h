#pragma once
// The rules every stock movement keeps on the stock rows (物品库存表) and the movement
// ledger (业务流水). The stock-in, stock-out, gain/loss, opening-stock and import
// forms move stock only through here.
//
// A note's movement is one transaction (nested in the caller's when one is open): all
// its goods move and get their ledger rows, or nothing changes at all.
//
// Per goods code of a note (lines with quantity 0 are skipped; the others are summed
// per goods code first, in order of first appearance):
//   In    adds quantity and amount; a missing stock row is created from the goods
//         record. The average becomes total ÷ quantity rounded to 6 decimals whenever
//         the new quantity is not 0; at exactly 0 the previous average stays.
//         A NEW row whose summed quantity is 0 (lines of opposite sign on one note)
//         takes the goods record's reference purchase price as its average, the same
//         value opening stock starts a row with, instead of dividing by zero.
//   Out   takes quantity × current average off the total; the average is unchanged.
//         Without a stock row nothing moves; the ledger row is still written.
//   Gain  like In on an existing row; a goods without a stock row refuses the note.
//   Loss  subtracts quantity and the note's amount, average as for In. Without a
//         stock row nothing moves; the ledger row is still written.
// Each goods then gets one ledger row with the stock row's values after the movement.

#include "store/db.h"
#include "store/money.h"

#include <QDate>
#include <optional>
#include <vector>

namespace stock {

enum class Movement { In, Out, Gain, Loss };

// "物品入库", "物品出库", "盘盈入库", "盘损出库": the ledger's 业务名称.
QString businessName(Movement movement);

struct MovementLine {
    QString goodsCode;
    double quantity = 0;
    store::Money amount;        // the line amount; an Out line leaves at average cost instead
    QString goodsName;          // the ledger shows the note's name and specs;
    QString specs;              // when empty, the stock row's (or goods record's) are used
};

struct StockNote {
    Movement movement = Movement::In;
    QString number;             // 单据编号
    QDate date;                 // the ledger's 发生时间
    QString warehouse;          // warehouse name
    QString statisticsFlag;     // in-type or out-type; gain and loss use their business name
    QString handler;            // 经办人
    QString operatorName;       // 最后修改人 of the rows an In, Gain or Loss changes
    std::vector<MovementLine> lines;
};

struct StockLevel {
    double quantity = 0;
    store::Money totalCost;
    double averageCost = 0;
};

struct GoodsMovement {
    QString goodsCode;
    double quantity = 0;        // summed over the note's lines
    store::Money amount;        // In/Gain/Loss: summed line amounts; Out: the value at average cost
    double averageBefore = 0;   // the stock row's average before the movement (Out: the cost it left at)
    StockLevel after;           // the stock row after the movement (zeros when there is none)
    bool rowCreated = false;
    bool rowMissing = false;    // Out or Loss of a goods without a stock row: nothing moved
};

// Moves the stock of one note and appends its ledger rows. Throws store::RuleError (nothing
// written) on a note without warehouse or lines, an In of a goods code missing from
// the catalogue, or a Gain without stock row; DbError when a statement fails.
std::vector<GoodsMovement> applyStockNote(store::Db &db, const StockNote &note);

// Total ÷ quantity rounded to 6 decimals ("##0.000000"); the caller makes sure the
// quantity is not 0.
double averageCost(store::Money total, double quantity);

// Appends the stock row of a goods in a warehouse, its copied columns taken from the
// goods record (物品类型 = its category, 建议销售价 = its 参考销售价). Throws store::RuleError
// when the goods code is not in the catalogue. The caller makes sure no row exists.
void createStockRow(store::Db &db, const QString &goodsCode, const QString &warehouse,
                    const StockLevel &level, const QString &operatorName);

// The stock row of a goods in a warehouse, if any.
std::optional<StockLevel> stockLevel(store::Db &db, const QString &goodsCode, const QString &warehouse);

} // namespace stock
