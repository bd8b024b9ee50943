#include "store/ruleerror.h"
#include "tests/stock/stockfixture.h"
#include "tests/support/testdb.h"

#include <QApplication>
#include <QTest>

using namespace stock;
using namespace stocktest;
using store::Money;

Q_DECLARE_METATYPE(stock::Movement)

namespace {
// Puts the stock row of a goods in the head-office warehouse at known values.
void setLevel(store::Db &db, const QString &code, double quantity, double total, double average)
{
    if (!stockLevel(db, code, kWarehouse))
        createStockRow(db, code, kWarehouse, {}, QStringLiteral("管理员"));
    db.execWrite(QStringLiteral("UPDATE 物品库存表 SET 物品数量 = ?, 总成本 = ?, 平均成本 = ? WHERE 物品编号 = ? AND 仓库 = ?"),
                 {quantity, Money::fromDouble(total).toVariant(), average, code, kWarehouse});
}

QSqlRecord ledgerRow(store::Db &db, const QString &code)
{
    const auto r = db.one(QStringLiteral("SELECT * FROM 业务流水 WHERE 物品编号 = ? ORDER BY 自动编号 DESC"), {code});
    return r ? *r : QSqlRecord();
}
} // namespace

class StockRulesTest : public QObject {
    Q_OBJECT
private slots:
    void firstStockInCreatesTheRowFromTheGoodsRecord()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        const QString code = addOilGoods(db);
        const auto moved = applyStockNote(db, note(Movement::In, kWarehouse, {line(code, 4, 10)}));
        QCOMPARE(moved.size(), size_t(1));
        QVERIFY(moved[0].rowCreated);

        const auto row = db.one(QStringLiteral("SELECT * FROM 物品库存表 WHERE 物品编号 = ? AND 仓库 = ?"), {code, kWarehouse});
        QVERIFY(row);
        QCOMPARE(row->value("物品数量").toDouble(), 4.0);
        QCOMPARE(Money::fromVariant(row->value("总成本")), Money::fromDouble(10));
        QCOMPARE(row->value("平均成本").toDouble(), 2.5);
        QCOMPARE(row->value("物品名称").toString(), QStringLiteral("美孚机油"));
        QCOMPARE(row->value("物品类型").toString(), QStringLiteral("机油"));
        QCOMPARE(Money::fromVariant(row->value("建议销售价")), Money::fromYuan(6));
        QCOMPARE(row->value("最高库存限额").toDouble(), 1000.0);
        QCOMPARE(row->value("最后修改人").toString(), QStringLiteral("管理员"));

        const QSqlRecord l = ledgerRow(db, code);
        QCOMPARE(l.value("单据编号").toString(), QStringLiteral("000000000001"));
        QCOMPARE(l.value("业务名称").toString(), QStringLiteral("物品入库"));
        QCOMPARE(l.value("统计标志").toString(), QStringLiteral("外购入库"));
        QCOMPARE(store::toDate(l.value("发生时间")), QDate(2024, 3, 15));
        QCOMPARE(l.value("部门名称").toString(), kWarehouse);
        QCOMPARE(l.value("物品单位").toString(), QStringLiteral("桶"));
        QCOMPARE(l.value("入库数量").toDouble(), 4.0);
        QCOMPARE(Money::fromVariant(l.value("入库金额")), Money::fromDouble(10));
        QCOMPARE(l.value("出库数量").toDouble(), 0.0);
        QCOMPARE(l.value("当时库存").toDouble(), 4.0);
        QCOMPARE(Money::fromVariant(l.value("单价")), Money::fromDouble(2.5));
        QCOMPARE(l.value("经办人").toString(), QStringLiteral("张三"));
    }

    // One goods, a stock row of known values, one movement.
    void movementsOnAStockRow_data()
    {
        QTest::addColumn<Movement>("movement");
        QTest::addColumn<double>("quantity");
        QTest::addColumn<double>("total");
        QTest::addColumn<double>("average");
        QTest::addColumn<double>("moveQuantity");
        QTest::addColumn<double>("moveAmount");
        QTest::addColumn<double>("afterQuantity");
        QTest::addColumn<double>("afterTotal");
        QTest::addColumn<double>("afterAverage");
        QTest::addColumn<double>("ledgerAmount");
        QTest::newRow("in 10 at 5.00 onto 10 valued 40") << Movement::In << 10.0 << 40.0 << 4.0 << 10.0 << 50.0
                                                         << 20.0 << 90.0 << 4.5 << 50.0;
        QTest::newRow("gain 2 at 4.00 onto 10 valued 45") << Movement::Gain << 10.0 << 45.0 << 4.5 << 2.0 << 8.0
                                                          << 12.0 << 53.0 << 4.416667 << 8.0;
        QTest::newRow("return of everything keeps the average") << Movement::In << 10.0 << 45.0 << 4.5 << -10.0 << -40.0
                                                                << 0.0 << 5.0 << 4.5 << -40.0;
        QTest::newRow("loss emptying the row keeps the average") << Movement::Loss << 10.0 << 45.0 << 4.5 << 10.0 << 40.0
                                                                 << 0.0 << 5.0 << 4.5 << 40.0;
        QTest::newRow("loss at the note's amount") << Movement::Loss << 10.0 << 45.0 << 4.5 << 4.0 << 20.0
                                                   << 6.0 << 25.0 << 4.166667 << 20.0;
        QTest::newRow("out at average cost, average unchanged") << Movement::Out << 20.0 << 90.0 << 4.5 << 5.0 << 99.0
                                                                << 15.0 << 67.5 << 4.5 << 22.5;
        QTest::newRow("out below zero is allowed") << Movement::Out << 2.0 << 9.0 << 4.5 << 3.0 << 0.0
                                                   << -1.0 << -4.5 << 4.5 << 13.5;
    }
    void movementsOnAStockRow()
    {
        QFETCH(Movement, movement);
        QFETCH(double, quantity);
        QFETCH(double, total);
        QFETCH(double, average);
        QFETCH(double, moveQuantity);
        QFETCH(double, moveAmount);
        QFETCH(double, afterQuantity);
        QFETCH(double, afterTotal);
        QFETCH(double, afterAverage);
        QFETCH(double, ledgerAmount);
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        const QString code = addOilGoods(db);
        setLevel(db, code, quantity, total, average);

        const auto moved = applyStockNote(db, note(movement, kWarehouse, {line(code, moveQuantity, moveAmount)}));
        const auto level = stockLevel(db, code, kWarehouse);
        QVERIFY(level);
        QCOMPARE(level->quantity, afterQuantity);
        QCOMPARE(level->totalCost, Money::fromDouble(afterTotal));
        QCOMPARE(level->averageCost, afterAverage);
        QCOMPARE(moved[0].after.averageCost, afterAverage);

        const QSqlRecord l = ledgerRow(db, code);
        const bool in = movement == Movement::In || movement == Movement::Gain;
        QCOMPARE(l.value(in ? "入库数量" : "出库数量").toDouble(), moveQuantity);
        QCOMPARE(Money::fromVariant(l.value(in ? "入库金额" : "出库金额")), Money::fromDouble(ledgerAmount));
        QCOMPARE(l.value(in ? "出库数量" : "入库数量").toDouble(), 0.0);
        QCOMPARE(l.value("当时库存").toDouble(), afterQuantity);
        QCOMPARE(Money::fromVariant(l.value("当时库存金额")), Money::fromDouble(afterTotal));
        QCOMPARE(l.value("业务名称").toString(), businessName(movement));
    }

    void twoWarehousesKeepTheirOwnAverages()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        const QString code = addOilGoods(db);
        addWarehouse(db, QStringLiteral("0001"), kBranch);
        applyStockNote(db, note(Movement::In, kWarehouse, {line(code, 10, 40)}));
        applyStockNote(db, note(Movement::In, kBranch, {line(code, 10, 60)}));
        applyStockNote(db, note(Movement::In, kBranch, {line(code, 10, 80)}));
        QCOMPARE(stockLevel(db, code, kWarehouse)->averageCost, 4.0);
        QCOMPARE(stockLevel(db, code, kBranch)->averageCost, 7.0);
        QCOMPARE(stockLevel(db, code, kBranch)->quantity, 20.0);
        QCOMPARE(count(db, QStringLiteral("物品库存表"), QStringLiteral("物品编号 = ?"), {code}), 2);
    }

    void linesOfOneGoodsAreSummedIntoOneLedgerRow()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        const QString code = addOilGoods(db);
        const QString other = addOilGoods(db, QStringLiteral("壳牌机油"));
        const auto moved = applyStockNote(db, note(Movement::In, kWarehouse,
                                                   {line(code, 2, 10), line(other, 1, 3), line(code, 3, 20),
                                                    line(code, 0, 0)}));
        QCOMPARE(moved.size(), size_t(2));
        QCOMPARE(moved[0].goodsCode, code);
        QCOMPARE(count(db, QStringLiteral("业务流水"), QStringLiteral("物品编号 = ?"), {code}), 1);
        const QSqlRecord l = ledgerRow(db, code);
        QCOMPARE(l.value("入库数量").toDouble(), 5.0);
        QCOMPARE(Money::fromVariant(l.value("入库金额")), Money::fromYuan(30));
        QCOMPARE(stockLevel(db, code, kWarehouse)->averageCost, 6.0);
    }

    void aFailureInsideANoteLeavesEveryStockRowAsItWas_data()
    {
        QTest::addColumn<Movement>("movement");
        QTest::newRow("stock-in of a goods not in the catalogue") << Movement::In;
        QTest::newRow("gain of a goods without stock row") << Movement::Gain;
    }
    void aFailureInsideANoteLeavesEveryStockRowAsItWas()
    {
        QFETCH(Movement, movement);
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        const QString code = addOilGoods(db);
        const QString second = addOilGoods(db, QStringLiteral("壳牌机油"));
        setLevel(db, code, 10, 40, 4);
        const QString failing = movement == Movement::In ? QStringLiteral("9999999") : second;
        QVERIFY_THROWS_EXCEPTION(store::RuleError,
                                 applyStockNote(db, note(movement, kWarehouse, {line(code, 5, 25), line(failing, 1, 1)})));
        const auto level = stockLevel(db, code, kWarehouse);
        QCOMPARE(level->quantity, 10.0);
        QCOMPARE(level->totalCost, Money::fromYuan(40));
        QCOMPARE(count(db, QStringLiteral("业务流水")), 0);
        QVERIFY(!stockLevel(db, failing, kWarehouse));
        QVERIFY(!db.inTransaction());
    }

    void aNewRowWithZeroSummedQuantityTakesTheReferencePurchasePrice()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        const QString code = addOilGoods(db);   // 参考进货价 4.00
        applyStockNote(db, note(Movement::In, kWarehouse, {line(code, 2, 12), line(code, -2, -10)}));
        const auto level = stockLevel(db, code, kWarehouse);
        QVERIFY(level);
        QCOMPARE(level->quantity, 0.0);
        QCOMPARE(level->totalCost, Money::fromYuan(2));
        QCOMPARE(level->averageCost, 4.0);
    }

    void outAndLossWithoutStockRowMoveNothingButAreRecorded()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        const QString code = addOilGoods(db);
        const auto out = applyStockNote(db, note(Movement::Out, kWarehouse, {line(code, 1, 6)}, QStringLiteral("销售出库")));
        QVERIFY(out[0].rowMissing);
        const auto loss = applyStockNote(db, note(Movement::Loss, kWarehouse, {line(code, 1, 4)}));
        QVERIFY(loss[0].rowMissing);
        QVERIFY(!stockLevel(db, code, kWarehouse));
        QCOMPARE(count(db, QStringLiteral("业务流水"), QStringLiteral("物品编号 = ?"), {code}), 2);
        QCOMPARE(ledgerRow(db, code).value("物品单位").toString(), QStringLiteral("桶"));
        QCOMPARE(ledgerRow(db, code).value("统计标志").toString(), QStringLiteral("盘损出库"));
    }

    void aNoteInTheCallersTransactionRollsBackWithIt()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        const QString code = addOilGoods(db);
        {
            store::Transaction tx(db);
            applyStockNote(db, note(Movement::In, kWarehouse, {line(code, 1, 4)}));
            // the caller's save fails after the movement: no commit
        }
        QVERIFY(!stockLevel(db, code, kWarehouse));
        QCOMPARE(count(db, QStringLiteral("业务流水")), 0);
    }
};

JC_TEST_MAIN(StockRulesTest)
#include "tst_stockrules.moc"
