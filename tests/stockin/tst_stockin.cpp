#include "print/layouts/stockin.h"
#include "stock/stockin/stockinservice.h"
#include "stock/warehouse/warehouseservice.h"
#include "store/ruleerror.h"
#include "tests/stockin/stockinfixture.h"
#include "tests/support/testdb.h"

#include <QApplication>
#include <QSet>
#include <QTest>
#include <QThread>

using namespace stock;
using namespace stockintest;
using store::Money;

namespace {

void expectRefusal(const std::function<void()> &action, const QString &message)
{
    try {
        action();
    } catch (const store::RuleError &e) {
        QCOMPARE(e.message(), message);
        return;
    }
    QFAIL(qPrintable(QStringLiteral("not refused: ") + message));
}

QSqlRecord lastLedgerRow(store::Db &db, const QString &code)
{
    const auto r = db.one(QStringLiteral("SELECT * FROM 业务流水 WHERE 物品编号 = ? ORDER BY 自动编号 DESC"), {code});
    return r ? *r : QSqlRecord();
}

// Makes every insert into the movement ledger fail, as a lost connection would midway.
void breakLedger(store::Db &db, bool broken)
{
    if (db.isSqlite()) {
        db.exec(broken ? QStringLiteral("CREATE TRIGGER ledger_fails BEFORE INSERT ON 业务流水 "
                                        "BEGIN SELECT RAISE(ABORT, 'forced ledger failure'); END")
                       : QStringLiteral("DROP TRIGGER ledger_fails"));
    } else if (broken) {
        db.exec(QStringLiteral("CREATE FUNCTION ledger_fails() RETURNS trigger AS $$ BEGIN "
                               "RAISE EXCEPTION 'forced ledger failure'; END $$ LANGUAGE plpgsql"));
        db.exec(QStringLiteral("CREATE TRIGGER ledger_fails BEFORE INSERT ON 业务流水 FOR EACH ROW EXECUTE FUNCTION ledger_fails()"));
    } else {
        db.exec(QStringLiteral("DROP TRIGGER ledger_fails ON 业务流水"));
        db.exec(QStringLiteral("DROP FUNCTION ledger_fails()"));
    }
}

} // namespace

class StockInTest : public QObject {
    Q_OBJECT
private slots:
    void firstWarehouseIsTheSmallestCode()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        db.execWrite(QStringLiteral("INSERT INTO 仓库信息表 (仓库编号, 仓库名称) VALUES ('0002', '城西分店')"));
        db.execWrite(QStringLiteral("INSERT INTO 仓库信息表 (仓库编号, 仓库名称) VALUES ('0001', '城东分店')"));
        QCOMPARE(firstWarehouse(db)->name, kHeadWarehouse);
        QCOMPARE(warehouses(db).size(), 3);
        QCOMPARE(warehouses(db).at(1).name, QStringLiteral("城东分店"));
        db.execWrite(QStringLiteral("DELETE FROM 仓库信息表 WHERE 仓库编号 = '0000'"));
        QCOMPARE(firstWarehouse(db)->name, QStringLiteral("城东分店"));
        db.execWrite(QStringLiteral("DELETE FROM 仓库信息表"));
        QVERIFY(!firstWarehouse(db));
    }

    // Picked once and scanned once: one stock update with the summed values, one ledger
    // row; the first receipt creates the stock row.
    void pickedAndScannedGoodsMoveOnce()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        const QString code = addGoods(db, QStringLiteral("美孚机油"), QStringLiteral("6901234"));
        const QString number = beginStockInNote(db);
        QCOMPARE(number, QStringLiteral("000000000001"));
        QCOMPARE(count(db, QStringLiteral("入库单主表"), QStringLiteral("入库单编号 = ?"), {number}), 1);

        addPickedLine(db, number, kPurchaseIn, picked(db, code, 4.5, 3));
        expectRefusal([&] { addPickedLine(db, number, kPurchaseIn, picked(db, code, 4.5, 1)); }, kGoodsAlreadyOnNote);
        const auto scanned = addLineByBarcode(db, number, kPurchaseIn, QStringLiteral(" 6901234 "));
        QVERIFY(scanned);
        QCOMPARE(scanned->quantity, 1.0);
        QVERIFY(!addLineByBarcode(db, number, kPurchaseIn, QStringLiteral("000")));
        QCOMPARE(stockInLines(db, number).size(), 2);
        QVERIFY(!level(db, code).exists);

        const auto moved = saveStockInNote(db, header(number), kOperator);
        QCOMPARE(moved.size(), size_t(1));
        QVERIFY(moved[0].rowCreated);
        const Level after = level(db, code);
        QCOMPARE(after.quantity, 4.0);
        QCOMPARE(after.total, Money::fromDouble(17.5));     // 3 × 4.50 + 1 × 4.00
        QCOMPARE(after.average, 4.375);

        QCOMPARE(count(db, QStringLiteral("业务流水"), QStringLiteral("单据编号 = ?"), {number}), 1);
        const QSqlRecord l = lastLedgerRow(db, code);
        QCOMPARE(l.value("入库数量").toDouble(), 4.0);
        QCOMPARE(Money::fromVariant(l.value("入库金额")), Money::fromDouble(17.5));
        QCOMPARE(l.value("统计标志").toString(), kPurchaseIn);
        QCOMPARE(l.value("经办人").toString(), QStringLiteral("张三"));
        QCOMPARE(l.value("部门名称").toString(), kHeadWarehouse);
        QCOMPARE(store::toDate(l.value("发生时间")), QDate(2024, 5, 20));

        const auto head = db.one(QStringLiteral("SELECT * FROM 入库单主表 WHERE 入库单编号 = ?"), {number});
        QCOMPARE(head->value("交货单位").toString(), QStringLiteral("华通配件"));
        QCOMPARE(head->value("实际单号").toString(), QStringLiteral("CG-001"));
        QCOMPARE(head->value("制单人").toString(), kOperator);
        QCOMPARE(head->value("入库类型").toString(), kPurchaseIn);
        QCOMPARE(store::toDate(head->value("入库日期")), QDate(2024, 5, 20));
        QCOMPARE(count(db, QStringLiteral("操作流水表"), QStringLiteral("业务内容 = ?"),
                       {QStringLiteral("新增物品入库单 000000000001")}), 1);
    }

    // 10 at 5.00 onto 10 valued 40.00, then a return of 2 at 5.00 and one scanned at 4.00.
    void averageCostOfReceiptsAndReturns()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        const QString code = addGoods(db, QStringLiteral("美孚机油"), QStringLiteral("6901234"));
        enterStockInNote(db, header({}), {picked(db, code, 4, 10)}, kOperator);
        QCOMPARE(level(db, code).total, Money::fromYuan(40));

        enterStockInNote(db, header({}), {picked(db, code, 5, 10)}, kOperator);
        Level l = level(db, code);
        QCOMPARE(l.quantity, 20.0);
        QCOMPARE(l.total, Money::fromYuan(90));
        QCOMPARE(l.average, 4.5);

        const QString ret = beginStockInNote(db);
        expectRefusal([&] { addPickedLine(db, ret, kReturnOut, picked(db, code, 5, 2)); }, kReturnNeedsNegative);
        addPickedLine(db, ret, kReturnOut, picked(db, code, 5, -2));
        const auto scanned = addLineByBarcode(db, ret, kReturnOut, QStringLiteral("6901234"));
        QCOMPARE(scanned->quantity, -1.0);
        QCOMPARE(scanned->amount, Money::fromYuan(-4));
        const QList<StockInLine> lines = stockInLines(db, ret);
        QCOMPARE(lines.at(0).amount, Money::fromYuan(-10));
        saveStockInNote(db, header(ret, kReturnOut), kOperator);
        l = level(db, code);
        QCOMPARE(l.quantity, 17.0);
        QCOMPARE(l.total, Money::fromYuan(76));
        QCOMPARE(l.average, 4.470588);
        const QSqlRecord ledger = lastLedgerRow(db, code);
        QCOMPARE(ledger.value("入库数量").toDouble(), -3.0);
        QCOMPARE(ledger.value("统计标志").toString(), kReturnOut);
    }

    void zeroQuantitiesNeverReachTheStock()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        const QString oil = addGoods(db, QStringLiteral("美孚机油"));
        const QString filter = addGoods(db, QStringLiteral("机油滤芯"));
        const QString number = beginStockInNote(db);
        expectRefusal([&] { addPickedLine(db, number, kPurchaseIn, picked(db, oil, 4, 0)); }, kQuantityZero);

        // A zero line can still arrive (a transfer copy of one, a line changed by hand).
        const QString other = beginStockInNote(db);
        db.execWrite(QStringLiteral("INSERT INTO 入库单子表 (入库单编号, 物品编号, 物品数量, 金额合计) VALUES (?, ?, 0, 0)"),
                     {number, filter});
        db.execWrite(QStringLiteral("INSERT INTO 入库单子表 (入库单编号, 物品编号, 物品数量, 金额合计) VALUES (?, ?, 0, 0)"),
                     {other, filter});
        expectRefusal([&] { saveStockInNote(db, header(number), kOperator); }, kNoLines);

        addPickedLine(db, number, kPurchaseIn, picked(db, oil, 4, 2));
        saveStockInNote(db, header(number), kOperator);
        QVERIFY(!level(db, filter).exists);
        QCOMPARE(count(db, QStringLiteral("业务流水"), QStringLiteral("物品编号 = ?"), {filter}), 0);
        QCOMPARE(lineCount(db, number), 1);
        // Another workstation's open note keeps its lines.
        QCOMPARE(lineCount(db, other), 1);
    }

    void savingChecksWarehouseAndLinesFirst()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        const QString code = addGoods(db, QStringLiteral("美孚机油"));
        const QString number = beginStockInNote(db);
        StockInHeader h = header(number);
        h.warehouse = QStringLiteral("  ");
        addPickedLine(db, number, kPurchaseIn, picked(db, code, 4, 1));
        expectRefusal([&] { saveStockInNote(db, h, kOperator); }, kWarehouseRequired);
        const QString empty = beginStockInNote(db);
        expectRefusal([&] { saveStockInNote(db, header(empty), kOperator); }, kNoLines);
        QCOMPARE(count(db, QStringLiteral("业务流水")), 0);
        QVERIFY(!level(db, code).exists);
    }

    void abandoningLeavesNothingAndTheNextNoteTakesTheNextNumber()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        const QString code = addGoods(db, QStringLiteral("美孚机油"));
        const QString first = beginStockInNote(db);
        addPickedLine(db, first, kPurchaseIn, picked(db, code, 4, 1));
        abandonStockInNote(db, first);
        QCOMPARE(count(db, QStringLiteral("入库单主表")), 0);
        QCOMPARE(count(db, QStringLiteral("入库单子表")), 0);
        QCOMPARE(beginStockInNote(db), QStringLiteral("000000000002"));
    }

    void changingAndDeletingLines()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        const QString code = addGoods(db, QStringLiteral("美孚机油"));
        const QString number = beginStockInNote(db);
        addPickedLine(db, number, kPurchaseIn, picked(db, code, 4, 1));
        const StockInLine line = stockInLines(db, number).first();
        expectRefusal([&] { changeLine(db, number, kPurchaseIn, line.id, picked(db, code, 0, 3)); }, kPriceZero);
        expectRefusal([&] { changeLine(db, number, kPurchaseIn, line.id, picked(db, code, 4, 0)); }, kQuantityZero);
        expectRefusal([&] { changeLine(db, number, kReturnOut, line.id, picked(db, code, 4, 3)); }, kReturnNeedsNegative);
        changeLine(db, number, kPurchaseIn, line.id, picked(db, code, 4.25, 3));
        const StockInLine changed = stockInLines(db, number).first();
        QCOMPARE(changed.quantity, 3.0);
        QCOMPARE(changed.amount, Money::fromDouble(12.75));
        deleteLine(db, number, changed.id);
        QCOMPARE(lineCount(db, number), 0);
    }

    // A transfer-in takes the stock-out note's lines at the prices they left with.
    void transferCopiesTheStockOutLines()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        const QString oil = addGoods(db, QStringLiteral("美孚机油"));
        const QString filter = addGoods(db, QStringLiteral("机油滤芯"));
        addStockOutLine(db, QStringLiteral("000000000007"), filter, 12.5, 2);
        addStockOutLine(db, QStringLiteral("000000000007"), oil, 4.123456, 3);
        addStockOutLine(db, QStringLiteral("000000000008"), oil, 9, 9);

        const QString number = beginStockInNote(db);
        addPickedLine(db, number, kTransferIn, picked(db, oil, 1, 1));
        expectRefusal([&] { copyTransferLines(db, number, QStringLiteral("000000000099")); }, kNoTransferLines);
        QCOMPARE(lineCount(db, number), 1);

        QCOMPARE(copyTransferLines(db, number, QStringLiteral(" 000000000007 ")), 2);
        const QList<StockInLine> lines = stockInLines(db, number);
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0].goodsCode, oil);      // in goods-code order
        QCOMPARE(lines[0].price, 4.123456);
        QCOMPARE(lines[0].quantity, 3.0);
        QCOMPARE(lines[0].amount, Money::fromDouble(12.3704));
        QCOMPARE(lines[1].goodsCode, filter);
        QCOMPARE(lines[1].price, 12.5);
        QCOMPARE(lines[1].amount, Money::fromYuan(25));
        QCOMPARE(lines[1].name, QStringLiteral("机油滤芯"));

        StockInHeader h = header(number, kTransferIn);
        h.supplier = QStringLiteral("城东分店");
        h.actualNumber = QStringLiteral("000000000007");
        saveStockInNote(db, h, kOperator);
        QCOMPARE(level(db, filter).average, 12.5);
        QCOMPARE(lastLedgerRow(db, filter).value("统计标志").toString(), kTransferIn);
    }

    // A save that fails at the ledger leaves stock, ledger, header and lines as they were,
    // and the same note saves once the fault is gone.
    void aFailedSaveChangesNothing()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        const QString oil = addGoods(db, QStringLiteral("美孚机油"));
        const QString filter = addGoods(db, QStringLiteral("机油滤芯"));
        enterStockInNote(db, header({}), {picked(db, oil, 4, 10)}, kOperator);
        const int ledgerBefore = count(db, QStringLiteral("业务流水"));

        const QString number = beginStockInNote(db);
        addPickedLine(db, number, kPurchaseIn, picked(db, oil, 5, 10));
        addPickedLine(db, number, kPurchaseIn, picked(db, filter, 12, 2));
        db.execWrite(QStringLiteral("INSERT INTO 入库单子表 (入库单编号, 物品编号, 物品数量, 金额合计) VALUES (?, ?, 0, 0)"),
                     {number, filter});
        breakLedger(db, true);
        try {
            saveStockInNote(db, header(number), kOperator);
            QFAIL("the save did not fail");
        } catch (const store::DbError &e) {
            QVERIFY2(e.message().contains(QStringLiteral("forced ledger failure")), qPrintable(e.message()));
        }
        breakLedger(db, false);
        QVERIFY(!db.inTransaction());

        const Level l = level(db, oil);
        QCOMPARE(l.quantity, 10.0);
        QCOMPARE(l.total, Money::fromYuan(40));
        QCOMPARE(l.average, 4.0);
        QVERIFY(!level(db, filter).exists);
        QCOMPARE(count(db, QStringLiteral("业务流水")), ledgerBefore);
        QCOMPARE(lineCount(db, number), 3);
        QVERIFY(db.scalar(QStringLiteral("SELECT 收料仓库 FROM 入库单主表 WHERE 入库单编号 = ?"), {number}).isNull());
        QCOMPARE(count(db, QStringLiteral("操作流水表"), QStringLiteral("业务内容 = ?"),
                       {QStringLiteral("新增物品入库单 ") + number}), 0);

        saveStockInNote(db, header(number), kOperator);
        QCOMPARE(level(db, oil).quantity, 20.0);
        QCOMPARE(level(db, filter).quantity, 2.0);
        QCOMPARE(lineCount(db, number), 2);
    }

    // Two workstations beginning notes at the same moment get numbers of their own.
    void concurrentBeginsGetTheirOwnNumbers()
    {
        testsupport::TestDatabase t;
        const store::ConnectionSettings settings = t.settings();
        QStringList numbers[2];
        QString failures[2];
        QThread *threads[2];
        for (int i = 0; i < 2; ++i) {
            threads[i] = QThread::create([&, i] {
                try {
                    store::Db db(settings);
                    for (int n = 0; n < 15; ++n)
                        numbers[i] << beginStockInNote(db);
                } catch (const std::exception &e) {
                    failures[i] = QString::fromUtf8(e.what());
                }
            });
            threads[i]->start();
        }
        for (QThread *thread : threads) {
            QVERIFY(thread->wait(120000));
            delete thread;
        }
        QCOMPARE(failures[0], QString());
        QCOMPARE(failures[1], QString());
        const QSet<QString> distinct(numbers[0].begin(), numbers[0].end());
        QSet<QString> all = distinct;
        all.unite(QSet<QString>(numbers[1].begin(), numbers[1].end()));
        QCOMPARE(all.size(), 30);
        QCOMPARE(count(t.db(), QStringLiteral("入库单主表")), 30);
    }

    // The bench's whole-note save: 50 lines of 25 goods, one ledger row per goods.
    void aFiftyLineNoteWithoutWindows()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        QList<StockInLine> lines;
        for (int g = 0; g < 25; ++g) {
            const QString code = addGoods(db, QStringLiteral("物品%1").arg(g));
            lines << picked(db, code, 2 + g, 1) << picked(db, code, 3 + g, 2);
        }
        const QString number = enterStockInNote(db, header({}), lines, kOperator);
        QCOMPARE(lineCount(db, number), 50);
        QCOMPARE(count(db, QStringLiteral("业务流水"), QStringLiteral("单据编号 = ?"), {number}), 25);
        QCOMPARE(count(db, QStringLiteral("物品库存表")), 25);
    }

    void pickerSearchOrder()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        const QString oil = addGoods(db, QStringLiteral("美孚机油"), QStringLiteral("6901234"));
        addGoods(db, QStringLiteral("壳牌机油"), QStringLiteral("6905678"));
        auto rows = [&](const store::ListQuery &q) {
            QSqlQuery r = db.exec(q.sql, q.params);
            QStringList names;
            while (r.next())
                names << r.value(QStringLiteral("物品名称")).toString();
            return names;
        };
        PickerSearch s = pickerSearch(db, QStringLiteral(" 6901234 "));
        QVERIFY(s.picked);
        QCOMPARE(s.picked->code, oil);
        s = pickerSearch(db, QStringLiteral("机油"));
        QVERIFY(!s.picked);
        QCOMPARE(rows(s.list).size(), 2);
        s = pickerSearch(db, QStringLiteral("4L"));     // no name holds it: the size (物品规格) does
        QCOMPARE(rows(s.list).size(), 2);
        s = pickerSearch(db, QStringLiteral("壳牌"));
        QCOMPARE(rows(s.list), QStringList{QStringLiteral("壳牌机油")});
    }

    // The printed note's page model: header fields, one detail row per line, the sums and
    // the capital-numeral total.
    void printedNotePageModel()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        const QString oil = addGoods(db, QStringLiteral("美孚机油"));
        const QString filter = addGoods(db, QStringLiteral("机油滤芯"));
        const QString number = enterStockInNote(db, header({}), {picked(db, oil, 5, 10), picked(db, filter, 12.3, 3),
                                                                  picked(db, oil, 4.5, 2)},
                                                kOperator);
        const auto data = stockInNoteForPrint(db, number);
        QVERIFY(data);
        QCOMPARE(data->total, Money::fromDouble(95.9));
        QVERIFY(!stockInNoteForPrint(db, QStringLiteral("999999999999")));

        const print::PageModel model = print::buildStockInNotePages(data->lines, data->header);
        QCOMPARE(model.pageCount(), 1);
        const print::Page &page = model.pages[0];
        const QStringList title = page.texts(print::BandKind::Title);
        for (const QString &text : {QStringLiteral("入库单"), QStringLiteral("编号："), number, QStringLiteral("交货单位："),
                                    QStringLiteral("华通配件"), QStringLiteral("入库日期："), QStringLiteral("2024-05-20"),
                                    QStringLiteral("入库仓库："), kHeadWarehouse, QStringLiteral("摘要："),
                                    QStringLiteral("五月进货"), QStringLiteral("入库类型："), kPurchaseIn})
            QVERIFY2(title.contains(text), qPrintable(text));
        QCOMPARE(page.texts(print::BandKind::ColumnHeader),
                 (QStringList{"物品编号", "物品名称", "物品规格", "单位", "单价(元)", "数量", "金额(元)"}));
        const QStringList detail = page.texts(print::BandKind::Detail);
        QCOMPARE(detail.mid(0, 7), (QStringList{oil, "美孚机油", "4L", "桶", "5.00", "10.000", "50.00"}));
        QCOMPARE(detail.mid(7, 7), (QStringList{filter, "机油滤芯", "4L", "桶", "12.30", "3.000", "36.90"}));
        QCOMPARE(detail.size(), 21);
        const QStringList summary = page.texts(print::BandKind::Summary);
        for (const QString &text : {QStringLiteral("合  计："), QStringLiteral("15.000"), QStringLiteral("95.90"),
                                    QStringLiteral("人民币(大写):"), QStringLiteral("玖拾伍元玖角整"), QStringLiteral("制单人："),
                                    kOperator, QStringLiteral("收货人:"), QStringLiteral("张三"), QStringLiteral("审核人：")})
            QVERIFY2(summary.contains(text), qPrintable(text));
    }
};

JC_TEST_MAIN(StockInTest)
#include "tst_stockin.moc"
