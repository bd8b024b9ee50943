#pragma once
// Stock-in notes (入库单主表 / 入库单子表): purchases from a supplier, transfers from
// another department's warehouse and returns to the supplier (negative quantities).
//
// A note is begun with its number (counter 最后入库单号 of the head office, reserved
// atomically) and an empty header row; each picked line is written at once; saving
// removes the note's zero-quantity lines, moves the stock through the stock rules
// (lines summed per goods, one ledger row per goods), fills the header and writes the
// journal entry, all in one transaction: a failure leaves stock, ledger, header and
// lines as they were, and the note can be saved again. Abandoning deletes header and
// lines; the number taken is not given back.

#include "stock/goodsservice.h"
#include "stock/stockquery.h"
#include "stock/stockrules.h"
#include "store/db.h"
#include "store/money.h"

#include <QDate>
#include <QList>
#include <QStringList>
#include <optional>

namespace stock {

inline const QString kPurchaseIn = QStringLiteral("外购入库");
inline const QString kTransferIn = QStringLiteral("调拨入库");
inline const QString kReturnOut = QStringLiteral("入库退出");
// The in-types in the order the entry form offers them; the first is the default.
QStringList stockInTypes();
inline bool isReturnType(const QString &inType) { return inType == kReturnOut; }

// Refusals, with the texts the user is shown.
inline const QString kWarehouseRequired = QStringLiteral("请选择收料仓库，该项不能为空！");
inline const QString kNoLines = QStringLiteral("你还没有输入入库物品,没有物品单据是无效的!");
inline const QString kGoodsAlreadyOnNote = QStringLiteral("该物品已经在本单中加入过,不应重复输入!请直接修改!");
inline const QString kNoTransferLines = QStringLiteral("该调拨出库单中设有物品信息,请输入其他的调拨出库单编号");
inline const QString kReturnNeedsNegative = QStringLiteral("物品入库退出,要录入负数进行冲减入库量!");
inline const QString kNoGoodsChosen = QStringLiteral("请先选择一种物品然后输入单价与数量，再进行保存！");
inline const QString kPriceEmpty = QStringLiteral("实际单价不能为空，请输入实际单价然后再保存！");
inline const QString kPriceZero = QStringLiteral("实际单价不能为0，请输入实际单价然后再保存！");
inline const QString kQuantityZero = QStringLiteral("物品数量不能为0，请输入物品数量然后再保存！");

struct StockInLine {
    qint64 id = 0;              // 入库单明细编号 (0 before it is stored)
    QString goodsCode;          // 物品编号
    QString category;           // 物品类型: the goods' category name
    QString name;               // 物品名称
    QString size;               // 物品规格
    QString unit;               // 物品单位
    double price = 0;           // 物品单价
    double quantity = 0;        // 物品数量; negative on a return note
    store::Money amount;        // 金额合计 = price × quantity to 4 decimals
};

// price × quantity rounded to 4 decimals: the line amount.
store::Money lineAmount(double price, double quantity);
// A line of the goods at its reference purchase price (amount left to the caller).
StockInLine lineForGoods(const Goods &goods, double price, double quantity);

struct StockInHeader {
    QString number;             // 入库单编号
    QDate date;                 // 入库日期; invalid: today
    QString supplier;           // 交货单位 (a department name for a transfer)
    QString warehouse;          // 收料仓库
    QString inType = kPurchaseIn;   // 入库类型
    QString actualNumber;       // 实际单号 (the stock-out note's number for a transfer)
    QString handler;            // 经办人
    QString remark;             // 摘要
    QString maker;              // 制单人 (filled by the save from the operator)
};

// Reserves the next number and writes the empty header row, in one transaction.
QString beginStockInNote(store::Db &db);
// Deletes the lines and the header of a note that is left unsaved.
void abandonStockInNote(store::Db &db, const QString &number);

// The note's lines for the entry form's grid, in line order (every column of 入库单子表).
store::ListQuery stockInLinesQuery(const QString &number);
QList<StockInLine> stockInLines(store::Db &db, const QString &number);
bool noteHasGoods(store::Db &db, const QString &number, const QString &goodsCode);
int lineCount(store::Db &db, const QString &number);

// Appends a line as the line picker does: refuses a goods already on the note
// (kGoodsAlreadyOnNote), a zero quantity and a positive quantity on a return note.
// The amount is computed from price and quantity.
void addPickedLine(store::Db &db, const QString &number, const QString &inType, StockInLine line);
// Overwrites a line of the note (F2 in the line picker); the amount is recomputed.
// Refuses a zero price or quantity, and a positive quantity on a return note (a changed
// line keeps to its note's sign like a new one).
void changeLine(store::Db &db, const QString &number, const QString &inType, qint64 lineId, StockInLine line);
void deleteLine(store::Db &db, const QString &number, qint64 lineId);
// Appends a line of quantity 1 (-1 on a return note) at the reference purchase price for
// the goods of this barcode, when exactly one goods carries it. Returns the line added.
// Lines of one goods are summed when the note is saved.
std::optional<StockInLine> addLineByBarcode(store::Db &db, const QString &number, const QString &inType,
                                            const QString &barcode);
// Replaces the note's lines by copies of the stock-out note's lines (same goods, prices,
// quantities and amounts), in one transaction. store::RuleError kNoTransferLines, nothing
// changed, when the stock-out note has no lines. Returns the number of lines copied.
int copyTransferLines(store::Db &db, const QString &number, const QString &stockOutNumber);

// The line picker's search: a trimmed text that is the barcode of exactly one goods picks
// that goods; otherwise the goods whose name, else whose size (物品规格) contains it.
struct PickerSearch {
    store::ListQuery list;                 // what the goods grid shows
    std::optional<Goods> picked;    // the one goods of the barcode
};
PickerSearch pickerSearch(store::Db &db, const QString &text);

// Saves the note: store::RuleError kWarehouseRequired or kNoLines (nothing written) first; then,
// in one transaction, deletes this note's zero-quantity lines, moves the stock of the
// remaining lines summed per goods, fills the header (制单人 = operatorName) and writes
// the journal entry "新增物品入库单 {number}". Throws store::RuleError or store::DbError, with
// nothing of the save kept, when a step fails.
std::vector<GoodsMovement> saveStockInNote(store::Db &db, const StockInHeader &header, const QString &operatorName);

// A whole note without any window (bench, imports): begins a note, writes the lines and
// saves it. Returns the note's number.
QString enterStockInNote(store::Db &db, StockInHeader header, const QList<StockInLine> &lines,
                         const QString &operatorName);

// The employee names offered as 经办人, in name order.
QStringList handlerNames(store::Db &db);

// A saved note for printing: its header row and lines by column name, and the total.
struct StockInPrintData {
    QVariantMap header;
    QList<QVariantMap> lines;
    store::Money total;
};
std::optional<StockInPrintData> stockInNoteForPrint(store::Db &db, const QString &number);

} // namespace stock
