#include "stock/stockin/stockinservice.h"
#include "store/ruleerror.h"

#include "store/journal.h"
#include "store/numbering.h"

namespace stock {

using store::Db;
using store::Money;

namespace {

const QString kHeadOffice = QStringLiteral("0000");

QString cut(const QString &text, int bytes)
{
    return store::gbkTruncate(text, bytes);
}

StockInLine lineFromRecord(const QSqlRecord &r)
{
    StockInLine l;
    l.id = r.value(QStringLiteral("入库单明细编号")).toLongLong();
    l.goodsCode = r.value(QStringLiteral("物品编号")).toString().trimmed();
    l.category = r.value(QStringLiteral("物品类型")).toString();
    l.name = r.value(QStringLiteral("物品名称")).toString();
    l.size = r.value(QStringLiteral("物品规格")).toString();
    l.unit = r.value(QStringLiteral("物品单位")).toString();
    l.price = r.value(QStringLiteral("物品单价")).toDouble();
    l.quantity = r.value(QStringLiteral("物品数量")).toDouble();
    l.amount = Money::fromVariant(r.value(QStringLiteral("金额合计")));
    return l;
}

QVariantList lineValues(const StockInLine &l)
{
    return {cut(l.goodsCode.trimmed(), 12), cut(l.category, 24), cut(l.name, 50), cut(l.size, 50),
            cut(l.unit, 12), l.price, l.quantity, l.amount.toVariant()};
}

void insertLine(Db &db, const QString &number, const StockInLine &l)
{
    QVariantList values{number};
    values << lineValues(l);
    db.execWrite(QStringLiteral("INSERT INTO 入库单子表 (入库单编号, 物品编号, 物品类型, 物品名称, 物品规格, 物品单位, "
                                "物品单价, 物品数量, 金额合计) VALUES (?,?,?,?,?,?,?,?,?)"),
                 values);
}

void checkQuantity(const QString &inType, double quantity)
{
    if (quantity == 0)
        throw store::RuleError(kQuantityZero, QStringLiteral("物品数量"));
    if (isReturnType(inType) && quantity > 0)
        throw store::RuleError(kReturnNeedsNegative, QStringLiteral("物品数量"));
}

} // namespace

QStringList stockInTypes()
{
    return {kPurchaseIn, kTransferIn, kReturnOut};
}

Money lineAmount(double price, double quantity)
{
    return Money::fromDouble(price * quantity);
}

StockInLine lineForGoods(const Goods &goods, double price, double quantity)
{
    StockInLine l;
    l.goodsCode = goods.code;
    l.category = goods.category;
    l.name = goods.name;
    l.size = goods.specs;
    l.unit = goods.unit;
    l.price = price;
    l.quantity = quantity;
    l.amount = lineAmount(price, quantity);
    return l;
}

QString beginStockInNote(Db &db)
{
    store::Transaction tx(db);
    const QString number = store::reserveNumber(db, store::CounterKind::StockIn, kHeadOffice).number;
    db.execWrite(QStringLiteral("INSERT INTO 入库单主表 (入库单编号) VALUES (?)"), {number});
    tx.commit();
    return number;
}

void abandonStockInNote(Db &db, const QString &number)
{
    store::Transaction tx(db);
    db.execWrite(QStringLiteral("DELETE FROM 入库单子表 WHERE 入库单编号 = ?"), {number});
    db.execWrite(QStringLiteral("DELETE FROM 入库单主表 WHERE 入库单编号 = ?"), {number});
    tx.commit();
}

store::ListQuery stockInLinesQuery(const QString &number)
{
    return {QStringLiteral("SELECT 入库单明细编号, 入库单编号, 物品编号, 物品类型, 物品名称, 物品规格, 物品单位, 物品单价, "
                           "物品数量, 金额合计 FROM 入库单子表 WHERE 入库单编号 = ? ORDER BY 入库单明细编号"),
            {number}};
}

QList<StockInLine> stockInLines(Db &db, const QString &number)
{
    const store::ListQuery q = stockInLinesQuery(number);
    QSqlQuery rows = db.exec(q.sql, q.params);
    QList<StockInLine> lines;
    while (rows.next())
        lines << lineFromRecord(rows.record());
    return lines;
}

bool noteHasGoods(Db &db, const QString &number, const QString &goodsCode)
{
    return db.exists(QStringLiteral("SELECT 1 FROM 入库单子表 WHERE 物品编号 = ? AND 入库单编号 = ?"),
                     {goodsCode.trimmed(), number});
}

int lineCount(Db &db, const QString &number)
{
    return db.scalar(QStringLiteral("SELECT COUNT(*) FROM 入库单子表 WHERE 入库单编号 = ?"), {number}).toInt();
}

void addPickedLine(Db &db, const QString &number, const QString &inType, StockInLine line)
{
    if (line.goodsCode.trimmed().isEmpty())
        throw store::RuleError(kNoGoodsChosen);
    checkQuantity(inType, line.quantity);
    line.amount = lineAmount(line.price, line.quantity);
    store::Transaction tx(db);
    if (noteHasGoods(db, number, line.goodsCode))
        throw store::RuleError(kGoodsAlreadyOnNote);
    insertLine(db, number, line);
    tx.commit();
}

void changeLine(Db &db, const QString &number, const QString &inType, qint64 lineId, StockInLine line)
{
    if (line.goodsCode.trimmed().isEmpty())
        throw store::RuleError(kNoGoodsChosen);
    if (line.price == 0)
        throw store::RuleError(kPriceZero, QStringLiteral("实际单价"));
    checkQuantity(inType, line.quantity);
    line.amount = lineAmount(line.price, line.quantity);
    QVariantList values = lineValues(line);
    values << number << lineId;
    db.execWrite(QStringLiteral("UPDATE 入库单子表 SET 物品编号 = ?, 物品类型 = ?, 物品名称 = ?, 物品规格 = ?, 物品单位 = ?, "
                                "物品单价 = ?, 物品数量 = ?, 金额合计 = ? WHERE 入库单编号 = ? AND 入库单明细编号 = ?"),
                 values);
}

void deleteLine(Db &db, const QString &number, qint64 lineId)
{
    db.execWrite(QStringLiteral("DELETE FROM 入库单子表 WHERE 入库单编号 = ? AND 入库单明细编号 = ?"), {number, lineId});
}

std::optional<StockInLine> addLineByBarcode(Db &db, const QString &number, const QString &inType, const QString &barcode)
{
    const QString code = barcode.trimmed();
    if (code.isEmpty())
        return std::nullopt;
    const store::ListQuery q = goodsWithBarcodeQuery(code);
    QSqlQuery rows = db.exec(q.sql, q.params);
    QString goodsCode;
    int found = 0;
    while (rows.next() && found < 2) {
        goodsCode = rows.value(0).toString();
        ++found;
    }
    if (found != 1)
        return std::nullopt;
    const std::optional<Goods> goods = goodsByCode(db, goodsCode);
    if (!goods)
        return std::nullopt;
    StockInLine line = lineForGoods(*goods, goods->purchasePrice.toDouble(), isReturnType(inType) ? -1 : 1);
    line.amount = isReturnType(inType) ? -goods->purchasePrice : goods->purchasePrice;
    insertLine(db, number, line);
    return line;
}

int copyTransferLines(Db &db, const QString &number, const QString &stockOutNumber)
{
    QSqlQuery rows = db.exec(QStringLiteral("SELECT 物品编号, 物品类型, 物品名称, 物品规格, 物品单位, 物品单价, 物品数量, 金额合计 "
                                            "FROM 出库单子表 WHERE 出库单编号 = ? ORDER BY 物品编号, 出库单明细编号"),
                             {stockOutNumber.trimmed()});
    QList<StockInLine> copies;
    while (rows.next()) {
        StockInLine l;
        l.goodsCode = rows.value(0).toString().trimmed();
        l.category = rows.value(1).toString();
        l.name = rows.value(2).toString();
        l.size = rows.value(3).toString();
        l.unit = rows.value(4).toString();
        l.price = rows.value(5).toDouble();
        l.quantity = rows.value(6).toDouble();
        l.amount = Money::fromVariant(rows.value(7));
        copies << l;
    }
    if (copies.isEmpty())
        throw store::RuleError(kNoTransferLines, QStringLiteral("实际单号"));
    store::Transaction tx(db);
    db.execWrite(QStringLiteral("DELETE FROM 入库单子表 WHERE 入库单编号 = ?"), {number});
    for (const StockInLine &l : copies)
        insertLine(db, number, l);
    tx.commit();
    return int(copies.size());
}

PickerSearch pickerSearch(Db &db, const QString &text)
{
    const QString t = text.trimmed();
    PickerSearch result;
    if (!t.isEmpty()) {
        const store::ListQuery byBarcode = goodsWithBarcodeQuery(t);
        QSqlQuery rows = db.exec(byBarcode.sql, byBarcode.params);
        QStringList codes;
        while (rows.next() && codes.size() < 2)
            codes << rows.value(0).toString();
        if (codes.size() == 1) {
            result.list = byBarcode;
            result.picked = goodsByCode(db, codes.first());
            return result;
        }
    }
    result.list = goodsSearchQuery(db, t, false);
    return result;
}

std::vector<GoodsMovement> saveStockInNote(Db &db, const StockInHeader &header, const QString &operatorName)
{
    const QString warehouse = header.warehouse.trimmed();
    if (warehouse.isEmpty())
        throw store::RuleError(kWarehouseRequired, QStringLiteral("入库仓库"));

    store::Transaction tx(db);
    const QList<StockInLine> lines = stockInLines(db, header.number);
    StockNote note;
    note.movement = Movement::In;
    note.number = header.number;
    note.date = header.date.isValid() ? header.date : QDate::currentDate();
    note.warehouse = warehouse;
    note.statisticsFlag = header.inType;
    note.handler = header.handler.trimmed();
    note.operatorName = operatorName;
    for (const StockInLine &l : lines) {
        if (l.quantity == 0)
            continue;
        // A return note only takes goods back out.
        if (isReturnType(header.inType) && l.quantity > 0)
            throw store::RuleError(kReturnNeedsNegative, QStringLiteral("物品数量"));
        note.lines.push_back({l.goodsCode, l.quantity, l.amount, l.name, l.size});
    }
    if (note.lines.empty())
        throw store::RuleError(kNoLines);

    // Zero-quantity lines of this note only; other workstations' open notes are theirs.
    db.execWrite(QStringLiteral("DELETE FROM 入库单子表 WHERE 入库单编号 = ? AND 物品数量 = 0"), {header.number});
    std::vector<GoodsMovement> moved = applyStockNote(db, note);

    const int updated = db.execWrite(
        QStringLiteral("UPDATE 入库单主表 SET 入库日期 = ?, 交货单位 = ?, 收料仓库 = ?, 入库类型 = ?, 实际单号 = ?, "
                       "制单人 = ?, 经办人 = ?, 摘要 = ? WHERE 入库单编号 = ?"),
        {note.date, cut(header.supplier.trimmed(), 50), cut(warehouse, 50), cut(header.inType, 24),
         cut(header.actualNumber.trimmed(), 12), cut(operatorName, 12), cut(note.handler, 12),
         cut(header.remark, 100), header.number});
    if (updated == 0)   // the header row went missing: write it whole
        db.execWrite(QStringLiteral("INSERT INTO 入库单主表 (入库单编号, 入库日期, 交货单位, 收料仓库, 入库类型, 实际单号, "
                                    "制单人, 经办人, 摘要) VALUES (?,?,?,?,?,?,?,?,?)"),
                     {header.number, note.date, cut(header.supplier.trimmed(), 50), cut(warehouse, 50),
                      cut(header.inType, 24), cut(header.actualNumber.trimmed(), 12), cut(operatorName, 12),
                      cut(note.handler, 12), cut(header.remark, 100)});
    store::writeJournal(db, QStringLiteral("新增物品入库单 %1").arg(header.number), operatorName);
    tx.commit();
    return moved;
}

QString enterStockInNote(Db &db, StockInHeader header, const QList<StockInLine> &lines, const QString &operatorName)
{
    store::Transaction tx(db);
    header.number = beginStockInNote(db);
    for (StockInLine l : lines) {
        if (l.amount.isZero())
            l.amount = lineAmount(l.price, l.quantity);
        insertLine(db, header.number, l);
    }
    saveStockInNote(db, header, operatorName);
    tx.commit();
    return header.number;
}

QStringList handlerNames(Db &db)
{
    QSqlQuery rows = db.exec(QStringLiteral("SELECT 员工姓名 FROM 员工信息表 ORDER BY 员工姓名"));
    QStringList names;
    while (rows.next())
        names << rows.value(0).toString();
    return names;
}

std::optional<StockInPrintData> stockInNoteForPrint(Db &db, const QString &number)
{
    const auto head = db.one(QStringLiteral("SELECT * FROM 入库单主表 WHERE 入库单编号 = ?"), {number});
    if (!head)
        return std::nullopt;
    StockInPrintData data;
    for (int i = 0; i < head->count(); ++i)
        data.header.insert(head->fieldName(i), head->value(i));
    data.header.insert(QStringLiteral("入库日期"), store::toDate(head->value(QStringLiteral("入库日期"))));
    const store::ListQuery q = stockInLinesQuery(number);
    QSqlQuery rows = db.exec(q.sql, q.params);
    while (rows.next()) {
        QVariantMap line;
        const QSqlRecord r = rows.record();
        for (int i = 0; i < r.count(); ++i)
            line.insert(r.fieldName(i), r.value(i));
        const Money amount = Money::fromVariant(r.value(QStringLiteral("金额合计")));
        line.insert(QStringLiteral("金额合计"), amount.toVariant());
        data.total += amount;
        data.lines << line;
    }
    return data;
}

} // namespace stock
