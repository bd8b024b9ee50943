#include "customers/customerrecords.h"
#include "tests/support/testdb.h"
#include "tests/workshop/workshopfixture.h"
#include "workshop/repairorders.h"
#include "workshop/workshoperror.h"

#include <QApplication>
#include <QTest>

using namespace workshop;
using namespace workshoptest;
using store::Money;

class RepairOrdersTest : public QObject {
    Q_OBJECT
private slots:
    void newReservesTheNumberAndTheHeaderRow()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        const QString first = beginRepairOrder(db, kDept);
        QCOMPARE(first, QStringLiteral("000000000001"));
        QCOMPARE(lastRepairOrderNumber(db), QStringLiteral("00000001"));
        const auto header = loadRepairOrder(db, first);
        QVERIFY(header);
        QCOMPARE(header->department, kDept);
        QVERIFY(header->plate.isEmpty());
        QVERIFY_THROWS_EXCEPTION(WorkshopError, beginRepairOrder(db, QStringLiteral("没有的部门")));
        QCOMPARE(lastRepairOrderNumber(db), QStringLiteral("00000001"));
    }

    void leavingAnUnsavedOrderRemovesItButKeepsTheCounter()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        const QString no = beginRepairOrder(db, kDept);
        abandonRepairOrder(db, no);
        QCOMPARE(count(db, QStringLiteral("托修单主表")), 0);
        QCOMPARE(lastRepairOrderNumber(db), QStringLiteral("00000001"));
        QCOMPARE(beginRepairOrder(db, kDept), QStringLiteral("000000000002"));
    }

    void unknownPlateCreatesOneCustomerKnownPlateRefreshesIt()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        QVERIFY(!customers::findByPlate(db, QStringLiteral("粤A12345")));
        const QString no = beginRepairOrder(db, kDept);
        SaveOptions opt = orderNewMode();
        opt.nextServiceDate = QDate(2024, 8, 6);
        const SaveResult r = saveRepairOrder(db, sampleOrder(no), opt);
        QVERIFY(r.customerCreated);
        QCOMPARE(count(db, QStringLiteral("客户信息表")), 1);
        const auto row = db.one(QStringLiteral("SELECT 客户姓名, 单位, 建档部门, 建档时间, 换机油时间, 里程数, 车架码 "
                                               "FROM 客户信息表 WHERE 车牌号码 = ?"), {QStringLiteral("粤A12345")});
        QCOMPARE(row->value(0).toString(), QStringLiteral("顺达物流"));
        QCOMPARE(row->value(1).toString(), QStringLiteral("顺达物流"));
        QCOMPARE(row->value(2).toString(), kDept);
        QCOMPARE(store::toDate(row->value(3)), QDate(2024, 5, 6));
        QCOMPARE(store::toDate(row->value(4)), QDate(2024, 8, 6));
        QCOMPARE(row->value(5).toInt(), 86420);

        // The next order of the same car refreshes the record; the owner's name stays.
        db.execWrite(QStringLiteral("UPDATE 客户信息表 SET 客户姓名 = '陈大文' WHERE 车牌号码 = '粤A12345'"));
        RepairOrder again = sampleOrder(beginRepairOrder(db, kDept));
        again.owner = QStringLiteral("顺达物流二部");
        again.mileage = 90000;
        again.mobile = QStringLiteral("13900139000");
        QVERIFY(!saveRepairOrder(db, again, orderNewMode()).customerCreated);
        QCOMPARE(count(db, QStringLiteral("客户信息表")), 1);
        const auto v = customers::findByPlate(db, QStringLiteral("粤A12345"));
        QCOMPARE(v->owner, QStringLiteral("陈大文"));
        QCOMPARE(v->company, QStringLiteral("顺达物流二部"));
        QCOMPARE(v->mileage, 90000);
        QCOMPARE(v->mobile, QStringLiteral("13900139000"));
        // Without a next-service date the due date is left alone.
        QCOMPARE(store::toDate(db.scalar(QStringLiteral("SELECT 换机油时间 FROM 客户信息表"))), QDate(2024, 8, 6));
    }

    void saveChecks_data()
    {
        QTest::addColumn<QString>("plate");
        QTest::addColumn<int>("completionDays");
        QTest::addColumn<bool>("withLines");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("box");
        QTest::newRow("empty plate") << " " << 0 << true << "请输入车牌号码,以便以后进行查询与分析!" << "车牌号码";
        QTest::newRow("completion before reception") << "粤A1" << -1 << true << "完工时间不正确,接车时间不能大于完工时间"
                                                     << "预计完工时间";
        QTest::newRow("no lines") << "粤A1" << 3 << false << "请双击表格选择维修项目和材料,再进行保存!" << "";
        QTest::newRow("same day is fine") << "粤A1" << 0 << true << "" << "";
    }
    void saveChecks()
    {
        QFETCH(QString, plate);
        QFETCH(int, completionDays);
        QFETCH(bool, withLines);
        QFETCH(QString, message);
        QFETCH(QString, box);
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        RepairOrder o = sampleOrder(beginRepairOrder(db, kDept), plate);
        o.expectedCompletion = o.received.addDays(completionDays);
        if (!withLines)
            o.lines = {NoteLine{}};     // a blank line counts as none
        try {
            saveRepairOrder(db, o, orderNewMode());
            QVERIFY2(message.isEmpty(), "the order was saved");
            QCOMPARE(loadRepairOrder(db, o.number)->expectedCompletion, o.received.addDays(completionDays));
        } catch (const WorkshopError &e) {
            QCOMPARE(e.message(), message);
            QCOMPARE(e.box(), box);
            QVERIFY(loadRepairOrder(db, o.number)->plate.isEmpty());
            QVERIFY(journal(db).isEmpty());
        }
    }

    void linesOfEveryKindAreStoredBlankOnesDropped()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        RepairOrder o = sampleOrder(beginRepairOrder(db, kDept));
        NoteLine both = materialLine(QStringLiteral("刹车片"), 210, 1, 150);
        both.item = QStringLiteral("更换刹车片");
        both.hours = 1.5;
        both.labourFee = 80;
        both.remark = QStringLiteral("原厂");
        o.lines = {materialLine(QStringLiteral("机油滤清器"), 45, 1, 30), NoteLine{}, labourLine(QStringLiteral("四轮定位"), 120),
                   both};
        QCOMPARE(saveRepairOrder(db, o, orderNewMode()).linesStored, 3);
        const QList<NoteLine> lines = repairOrderLines(db, o.number);
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0].goodsName, QStringLiteral("机油滤清器"));
        QVERIFY(lines[0].item.isEmpty());
        QCOMPARE(lines[1].item, QStringLiteral("四轮定位"));
        QCOMPARE(lines[1].quantity, std::optional<double>(0));
        QCOMPARE(lines[2].hours, std::optional<double>(1.5));
        QCOMPARE(lines[2].unitCost, std::optional<double>(150));
        QCOMPARE(lines[2].remark, QStringLiteral("原厂"));
        const auto stored = db.one(QStringLiteral("SELECT 材料总成本, 材料金额合计 FROM 托修单子表 WHERE 维修项目 = ?"),
                                   {QStringLiteral("更换刹车片")});
        QCOMPARE(stored->value(0).toDouble(), 150.0);
        QCOMPARE(stored->value(1).toDouble(), 210.0);
    }

    void totalsWithASurcharge()
    {
        RepairOrder o;
        o.surchargeRate = 10;
        o.lines = {labourLine(QStringLiteral("保养"), 50), materialLine(QStringLiteral("机油"), 80, 2),
                   materialLine(QStringLiteral("机滤"), 40, 1)};
        const NoteTotals t = o.totals();
        QCOMPARE(t.labour.toString2(), QStringLiteral("50.00"));
        QCOMPARE(t.material.toString2(), QStringLiteral("200.00"));
        QCOMPARE(t.surcharge.toString2(), QStringLiteral("20.00"));
        QCOMPARE(t.total.toString2(), QStringLiteral("270.00"));
        QCOMPARE(t.materialWithSurcharge().toString2(), QStringLiteral("220.00"));
        QCOMPARE(parseRate(QString()), 0.0);
        bool ok = true;
        parseRate(QStringLiteral("1.2.3"), &ok);
        QVERIFY(!ok);
    }

    void modificationKeepsTheFlagsAndReplacesTheLines()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        RepairOrder o = sampleOrder(beginRepairOrder(db, kDept));
        saveRepairOrder(db, o, orderNewMode());
        const auto flags0 = db.one(QStringLiteral("SELECT 审核标志, 取车标志, 完成标志, 付款标志 FROM 托修单主表"));
        for (int i = 0; i < 4; ++i)
            QCOMPARE(flags0->value(i).toInt(), 0);
        db.execWrite(QStringLiteral("UPDATE 托修单主表 SET 完成标志 = 1, 付款标志 = 1"));

        RepairOrder loaded = *loadRepairOrder(db, o.number);
        QVERIFY(loaded.finished && loaded.paid && !loaded.audited);
        QVERIFY(!mayModify(loaded, clerk()));
        QVERIFY(mayModify(loaded, manager()));
        QCOMPARE(loaded.lines.size(), 2);
        loaded.lines = {labourLine(QStringLiteral("洗车"), 20)};
        loaded.status = QStringLiteral("维修完成");
        saveRepairOrder(db, loaded, orderModifyMode());

        const RepairOrder after = *loadRepairOrder(db, o.number);
        QVERIFY(after.finished && after.paid && !after.audited && !after.collected);
        QCOMPARE(after.status, QStringLiteral("维修完成"));
        QCOMPARE(after.clerk, manager().name);
        QCOMPARE(after.lines.size(), 1);
        QCOMPARE(after.lines[0].item, QStringLiteral("洗车"));
        QCOMPARE(count(db, QStringLiteral("托修单子表")), 1);
        QCOMPARE(journal(db), (QStringList{QStringLiteral("新增托修单:") + o.number, QStringLiteral("修改托修单:") + o.number}));
    }

    void headerRoundTrips()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        RepairOrder o = sampleOrder(beginRepairOrder(db, kDept));
        o.surchargeRate = 12.5;
        o.remark = QStringLiteral("旧件交客户");
        o.technician = QStringLiteral("王强");
        o.inspector = QStringLiteral("赵刚");
        o.customerSignature = QStringLiteral("陈");
        saveRepairOrder(db, o, orderNewMode());
        RepairOrder back = *loadRepairOrder(db, o.number);
        QCOMPARE(back.department, kDept);
        QCOMPARE(back.clerk, clerk().name);
        back.department.clear();
        back.clerk.clear();
        back.lines.clear();
        o.lines.clear();
        QCOMPARE(back.received, o.received);
        QCOMPARE(back.surchargeRate, 12.5);
        QCOMPARE(back.owner, o.owner);
        QCOMPARE(back.inspection, o.inspection);
        QCOMPARE(back.customerSignature, o.customerSignature);
        QCOMPARE(back.mileage, o.mileage);
        QCOMPARE(db.scalar(QStringLiteral("SELECT 实际单号 FROM 托修单主表")).toString(), o.number);
    }

    void aFailingSaveWritesNothing()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        RepairOrder o = sampleOrder(beginRepairOrder(db, kDept));
        o.lines.append(labourLine(QString(101, QLatin1Char('x')), 1));   // wider than 维修项目 holds
        QVERIFY_THROWS_EXCEPTION(store::DbError, saveRepairOrder(db, o, orderNewMode()));
        QCOMPARE(count(db, QStringLiteral("托修单子表")), 0);
        QCOMPARE(count(db, QStringLiteral("客户信息表")), 0);
        QVERIFY(journal(db).isEmpty());
        QVERIFY(loadRepairOrder(db, o.number)->plate.isEmpty());
        // The same order saves once the line is mended.
        o.lines.removeLast();
        QCOMPARE(saveRepairOrder(db, o, orderNewMode()).linesStored, 2);
    }

    void aSavedOrderKeepsItsNumberWhenItsReservedRowVanished()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        RepairOrder o = sampleOrder(beginRepairOrder(db, kDept));
        abandonRepairOrder(db, o.number);
        saveRepairOrder(db, o, orderNewMode());
        QCOMPARE(loadRepairOrder(db, o.number)->plate, o.plate);
        QVERIFY_THROWS_EXCEPTION(WorkshopError, saveRepairOrder(db, sampleOrder(QStringLiteral("000099999999")), orderModifyMode()));
    }
};

JC_TEST_MAIN(RepairOrdersTest)
#include "tst_repairorders.moc"
