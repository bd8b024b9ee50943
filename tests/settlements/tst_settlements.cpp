#include "customers/customerrecords.h"
#include "print/layouts/settlement.h"
#include "tests/settlements/settlementfixture.h"
#include "tests/support/testdb.h"

#include <QApplication>
#include <QTest>

using namespace workshop;
using namespace settletest;
using store::Money;

class SettlementsTest : public QObject {
    Q_OBJECT
private slots:
    void newReservesTheNumberAndLeavingRemovesIt()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        const QString first = beginSettlement(db, kDept);
        QCOMPARE(first, QStringLiteral("000000000001"));
        QCOMPARE(loadSettlement(db, first)->department, kDept);
        abandonSettlement(db, first);
        QVERIFY(!loadSettlement(db, first));
        QCOMPARE(lastSettlementNumber(db), QStringLiteral("00000001"));
        QCOMPARE(beginSettlement(db, kDept), QStringLiteral("000000000002"));
        QVERIFY_THROWS_EXCEPTION(WorkshopError, beginSettlement(db, QStringLiteral("没有的部门")));
    }

    void loadingARepairOrderCopiesItAndItsLines()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        const QString order = savedOrder(db);
        Settlement s;
        s.number = beginSettlement(db, kDept);
        s.completed = QDate(2024, 6, 1);
        fillFromRepairOrder(s, repairOrderToSettle(db, order, s.number));
        QCOMPARE(s.repairOrder, order);
        QCOMPARE(s.plate, QStringLiteral("粤A12345"));
        QCOMPARE(s.owner, QStringLiteral("顺达物流"));
        QCOMPARE(s.technician, QStringLiteral("王强"));
        QCOMPARE(s.surchargeRate, 10.0);
        QCOMPARE(s.received, QDate(2024, 5, 6));
        QCOMPARE(s.completed, QDate(2024, 6, 1));      // kept
        QCOMPARE(s.lines.size(), 2);
        QCOMPARE(s.lines[0].labourFee, std::optional<double>(100));
        QVERIFY(!s.lines[0].labourRate);
    }

    void alreadySettledAndUnknownOrdersAreRefused()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        const QString order = savedOrder(db);
        Settlement first = settlementOf(db, order);
        saveSettlement(db, first, newMode());

        const QString second = beginSettlement(db, kDept);
        try {
            repairOrderToSettle(db, order, second);
            QFAIL("an order with a settlement was handed out again");
        } catch (const AlreadySettled &e) {
            QCOMPARE(e.settlement(), first.number);
            QCOMPARE(e.message(), QStringLiteral("该托修单号已经进行结算过。结算单编号： ") + first.number);
            QCOMPARE(AlreadySettled::caption(), QStringLiteral("提示信息"));
        }
        // Its own settlement may load it again.
        QCOMPARE(repairOrderToSettle(db, order, first.number).number, order);
        try {
            repairOrderToSettle(db, QStringLiteral("000000009999"), second);
            QFAIL("an unknown order was handed out");
        } catch (const WorkshopError &e) {
            QCOMPARE(e.message(), QStringLiteral("没有找到该编号的托修单，请查正后再录入。"));
            QCOMPARE(e.box(), QStringLiteral("对应托修单号"));
        }
    }

    void labourRateRule_data()
    {
        QTest::addColumn<double>("rate");
        QTest::addColumn<double>("hours");
        QTest::addColumn<double>("fee");
        QTest::newRow("2.5 x 3") << 2.5 << 3.0 << 7.50;
        QTest::newRow("half cent down to even") << 0.125 << 1.0 << 0.12;
        QTest::newRow("half cent up to even") << 0.135 << 1.0 << 0.14;
        QTest::newRow("2.675 as written") << 2.675 << 1.0 << 2.68;
        QTest::newRow("above a half") << 1.126 << 1.0 << 1.13;
        QTest::newRow("negative tie") << -0.125 << 1.0 << -0.12;
        QTest::newRow("large") << 123.45 << 6.5 << 802.42;   // 802.425 -> even
    }
    void labourRateRule()
    {
        QFETCH(double, rate);
        QFETCH(double, hours);
        QFETCH(double, fee);
        QCOMPARE(labourFeeFor(rate, hours), fee);
    }

    void handEnteredFeeStaysUntilRateOrHoursChange()
    {
        NoteLine l;
        l.labourFee = 50;
        l.hours = 3;
        applyLabourRate(l);                       // no rate: the fee stays
        QCOMPARE(*l.labourFee, 50.0);
        l.labourRate = 2.5;
        applyLabourRate(l);
        QCOMPARE(*l.labourFee, 7.5);
    }

    void cashSettlementWritesPaidRowsAndFinishesTheOrder()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        const QString order = savedOrder(db, 100, 50, 10);
        const Settlement s = settlementOf(db, order, PaymentKind::Cash);
        const SettlementSaveResult r = saveSettlement(db, s, newMode());
        QCOMPARE(r.totals.total, Money::fromYuan(155));
        QCOMPARE(r.materialCost, Money::fromYuan(30));

        const auto cash = cashBookRow(db, s.number);
        QVERIFY(cash);
        QCOMPARE(Money::fromVariant(cash->value("服务收费金额")), Money::fromYuan(100));
        QCOMPARE(Money::fromVariant(cash->value("材料成本金额")), Money::fromYuan(30));
        QCOMPARE(Money::fromVariant(cash->value("材料收费金额")), Money::fromYuan(55));
        QCOMPARE(Money::fromVariant(cash->value("总收费金额")), Money::fromYuan(155));
        QCOMPARE(store::toBool(cash->value("收费标志")), true);
        QCOMPARE(cash->value("收款方式").toString(), QStringLiteral("现金"));
        QCOMPARE(store::toDate(cash->value("收费时间")), QDate(2024, 5, 10));
        QCOMPARE(store::toDate(cash->value("收款时间")), QDate(2024, 5, 10));
        QCOMPARE(cash->value("收费人").toString(), QStringLiteral("小李"));
        QCOMPARE(cash->value("部门名称").toString(), kDept);
        QVERIFY(finished(db, order));

        const Settlement saved = *loadSettlement(db, s.number);
        QVERIFY(saved.paid);
        QCOMPARE(saved.settlementType, QStringLiteral("现金"));
        QCOMPARE(saved.paidOn, QDate(2024, 5, 10));
        QCOMPARE(saved.status, QStringLiteral("已结算"));
        QCOMPARE(saved.storedTotal, Money::fromYuan(155));
        QCOMPARE(saved.maker, clerk().name);
        QCOMPARE(saved.repairOrder, order);
        QCOMPARE(saved.lines.size(), 2);

        const auto consumption = db.one(QStringLiteral("SELECT * FROM 客户消费表 WHERE 单据编号 = ?"), {s.number});
        QVERIFY(consumption);
        QCOMPARE(consumption->value("消费类型").toString(), QStringLiteral("汽车维修"));
        QCOMPARE(consumption->value("客户姓名").toString(), QStringLiteral("顺达物流"));
        QCOMPARE(consumption->value("服务员工").toString(), QStringLiteral("王强"));
        QCOMPARE(Money::fromVariant(consumption->value("收费金额")), Money::fromYuan(155));
        QCOMPARE(journal(db).last(), QStringLiteral("新增结算单:") + s.number);
    }

    void onAccountSettlementLeavesEverythingOpen()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        const QString order = savedOrder(db);
        db.execWrite(QStringLiteral("UPDATE 托修单主表 SET 完成标志 = 1 WHERE 托修单编号 = ?"), {order});
        const Settlement s = settlementOf(db, order, PaymentKind::OnAccount);
        saveSettlement(db, s, newMode());
        const auto cash = cashBookRow(db, s.number);
        QCOMPARE(store::toBool(cash->value("收费标志")), false);
        QCOMPARE(cash->value("收款方式").toString(), QStringLiteral("记帐"));
        QVERIFY(cash->value("收款时间").isNull());
        const Settlement saved = *loadSettlement(db, s.number);
        QVERIFY(!saved.paid);
        QCOMPARE(saved.settlementType, QStringLiteral("记帐"));
        QCOMPARE(saved.payment, PaymentKind::OnAccount);
        QVERIFY(!saved.paidOn.isValid());
        QVERIFY(!finished(db, order));
    }

    void savingTwiceInModificationLeavesOneRowOfEach()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        const QString order = savedOrder(db);
        Settlement s = settlementOf(db, order);
        saveSettlement(db, s, newMode());
        for (int round = 0; round < 2; ++round) {
            Settlement again = *loadSettlement(db, s.number);
            again.lines.append(labourLine(QStringLiteral("洗车"), 20));
            again.payment = round == 0 ? PaymentKind::OnAccount : PaymentKind::Cash;
            saveSettlement(db, again, modifyMode());
        }
        QCOMPARE(count(db, QStringLiteral("现金帐表"), QStringLiteral("单据编号 = ?"), {s.number}), 1);
        QCOMPARE(count(db, QStringLiteral("客户消费表"), QStringLiteral("单据编号 = ?"), {s.number}), 1);
        QCOMPARE(count(db, QStringLiteral("结算单子表"), QStringLiteral("结算单编号 = ?"), {s.number}), 4);
        QCOMPARE(Money::fromVariant(cashBookRow(db, s.number)->value("总收费金额")), Money::fromYuan(195));
        QVERIFY(finished(db, order));
        QCOMPARE(journal(db).last(), QStringLiteral("修改结算单:") + s.number);
    }

    void paidSettlementsAreModifiedByManagersOnly()
    {
        Settlement s;
        QVERIFY(mayModify(s, clerk()));
        s.paid = true;
        QVERIFY(!mayModify(s, clerk()));
        QVERIFY(mayModify(s, manager()));
        shell::OperatorContext admin = clerk();
        admin.category = QStringLiteral("管理员");
        QVERIFY(mayModify(s, admin));
    }

    void zeroMaterialCostGivesZero()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        const QString order = savedOrder(db, 100, 50, 0, QStringLiteral("粤A12345"), 0);
        Settlement s = settlementOf(db, order);
        s.lines.append(labourLine(QStringLiteral("洗车"), 20));     // no cost at all
        saveSettlement(db, s, newMode());
        const QVariant cost = cashBookRow(db, s.number)->value("材料成本金额");
        QVERIFY(!cost.isNull());
        QCOMPARE(Money::fromVariant(cost), Money());
    }

    void checksAtTheSave_data()
    {
        QTest::addColumn<QString>("plate");
        QTest::addColumn<int>("completionDays");
        QTest::addColumn<bool>("withLines");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("box");
        QTest::newRow("empty plate") << " " << 4 << true << "请输入车牌号码,以便以后进行查询与分析!" << "车牌号码";
        QTest::newRow("completion before reception") << "粤A1" << -1 << true
                                                     << "完工时间不正确,接车时间不能大于完工时间" << "完工时间";
        QTest::newRow("no lines") << "粤A1" << 4 << false << "请双击表格选择维修项目和材料,再进行保存!" << "";
    }
    void checksAtTheSave()
    {
        QFETCH(QString, plate);
        QFETCH(int, completionDays);
        QFETCH(bool, withLines);
        QFETCH(QString, message);
        QFETCH(QString, box);
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        Settlement s = settlementOf(db, savedOrder(db));
        s.plate = plate;
        s.completed = s.received.addDays(completionDays);
        if (!withLines)
            s.lines = {NoteLine{}};
        try {
            saveSettlement(db, s, newMode());
            QFAIL("the settlement was saved");
        } catch (const WorkshopError &e) {
            QCOMPARE(e.message(), message);
            QCOMPARE(e.box(), box);
        }
        QVERIFY(!cashBookRow(db, s.number));
    }

    // A repair order number typed without Enter is checked at the save as well: it
    // can neither settle an order twice nor bill one that does not exist.
    void orderNumberTypedWithoutEnterIsCheckedAtTheSave()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        const QString order = savedOrder(db);
        const Settlement first = settlementOf(db, order, PaymentKind::OnAccount);
        saveSettlement(db, first, newMode());

        Settlement twice = settlementOf(db, savedOrder(db, 10, 10, 0, QStringLiteral("粤B1")));
        twice.repairOrder = order;                   // retyped after the load, no Enter
        QVERIFY_THROWS_EXCEPTION(AlreadySettled, saveSettlement(db, twice, newMode()));
        Settlement unknown = twice;
        unknown.repairOrder = QStringLiteral("000000009999");
        QVERIFY_THROWS_EXCEPTION(WorkshopError, saveSettlement(db, unknown, newMode()));
        unknown.repairOrder.clear();
        QVERIFY_THROWS_EXCEPTION(WorkshopError, saveSettlement(db, unknown, newMode()));

        QVERIFY(!finished(db, order));               // the refused cash save left it alone
        QVERIFY(!cashBookRow(db, twice.number));
        QCOMPARE(count(db, QStringLiteral("结算单子表"), QStringLiteral("结算单编号 = ?"), {twice.number}), 0);
        QCOMPARE(count(db, QStringLiteral("结算单主表"), QStringLiteral("托修单编号 = ?"), {order}), 1);
    }

    void aFailureHalfwayWritesNothing()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        const QString order = savedOrder(db);
        Settlement s = settlementOf(db, order);
        s.clerk = QStringLiteral("一个名字长得放不进收费人一栏的结算员");   // fits 结算员, not 收费人
        QVERIFY_THROWS_EXCEPTION(store::DbError, saveSettlement(db, s, newMode()));
        QVERIFY(!finished(db, order));
        QVERIFY(!cashBookRow(db, s.number));
        QCOMPARE(count(db, QStringLiteral("结算单子表")), 0);
        QCOMPARE(count(db, QStringLiteral("客户消费表")), 0);
        QVERIFY(loadSettlement(db, s.number)->plate.isEmpty());
        QVERIFY(!journal(db).last().startsWith(QStringLiteral("新增结算单")));
        // Once the fault is put right the same save goes through.
        s.clerk = QStringLiteral("小李");
        saveSettlement(db, s, newMode());
        QVERIFY(cashBookRow(db, s.number));
    }

    void customerRecordIsCreatedOrRefreshedWithItsName()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        Settlement s = settlementOf(db, savedOrder(db));
        db.execWrite(QStringLiteral("DELETE FROM 客户信息表"));
        s.owner = QStringLiteral("陈大文");
        QVERIFY(saveSettlement(db, s, newMode()).customerCreated);
        QCOMPARE(customers::findByPlate(db, s.plate)->owner, QStringLiteral("陈大文"));
        s.owner = QStringLiteral("陈小文");
        s.mileage = 91000;
        QVERIFY(!saveSettlement(db, s, modifyMode()).customerCreated);
        const auto v = customers::findByPlate(db, s.plate);
        QCOMPARE(v->owner, QStringLiteral("陈小文"));   // unlike a repair order, the name too
        QCOMPARE(v->mileage, 91000);
        QCOMPARE(count(db, QStringLiteral("客户信息表")), 1);
    }

    // The header's total is the cash book's total to the ten-thousandth, so the receipt
    // of an on-account settlement finds its cash-book row by amount.
    void headerTotalIsTheCashBookTotal()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        Settlement s = settlementOf(db, savedOrder(db, 10, 33.33, 10), PaymentKind::OnAccount);
        saveSettlement(db, s, newMode());
        const Money total = Money::fromVariant(cashBookRow(db, s.number)->value("总收费金额"));
        QCOMPARE(total, Money::parse(QStringLiteral("46.663")));
        QCOMPARE(loadSettlement(db, s.number)->storedTotal, total);
    }

    void printDataCarriesHeaderDepartmentLinesAndTotals()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        db.execWrite(QStringLiteral("UPDATE 部门信息 SET 部门电话 = '020-1234' WHERE 部门编号 = '0000'"));
        Settlement s = settlementOf(db, savedOrder(db, 100, 50, 10));
        saveSettlement(db, s, newMode());
        const SettlementPrintData d = settlementPrintData(db, s.number, kDept);
        QVERIFY(d.found);
        QCOMPARE(d.values.value("结算单编号").toString(), s.number);
        QCOMPARE(d.values.value("部门名称").toString(), kDept);
        QCOMPARE(d.values.value("部门电话").toString(), QStringLiteral("020-1234"));
        QCOMPARE(Money::fromVariant(d.values.value("材料金额合计")), Money::fromYuan(55));
        QCOMPARE(d.lines.size(), 2);
        QVERIFY(!settlementPrintData(db, QStringLiteral("nothing"), kDept).found);
    }
};

JC_TEST_MAIN(SettlementsTest)
#include "tst_settlements.moc"
