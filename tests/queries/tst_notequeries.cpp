#include "tests/settlements/settlementfixture.h"
#include "tests/support/testdb.h"
#include "workshop/queries/notequeries.h"

#include <QApplication>
#include <QTest>

using namespace workshop;
using namespace settletest;
using store::Money;

namespace {

// A repair order received `daysAgo` days before today, and (when amount > 0) its cash
// settlement completed the same day.
QString receivedOrder(store::Db &db, const QString &plate, int daysAgo, double amount = 0)
{
    RepairOrder o = sampleOrder(beginRepairOrder(db, kDept), plate);
    o.received = o.expectedCompletion = QDate::currentDate().addDays(-daysAgo);
    o.lines = {labourLine(QStringLiteral("检查"), amount > 0 ? amount : 10)};
    saveRepairOrder(db, o, {SaveMode::New, clerk(), std::nullopt, o.received});
    if (amount > 0) {
        Settlement s = settlementOf(db, o.number);
        s.completed = s.due = o.received;
        saveSettlement(db, s, newMode());
    }
    return o.number;
}

QStringList numbers(store::Db &db, const QueryStatement &q)
{
    QStringList out;
    QSqlQuery r = db.exec(q.sql, q.params);
    while (r.next())
        out << r.value(0).toString();
    return out;
}

NoteFilter lastDays(int days, const QString &column = {}, const QString &condition = {})
{
    return {QDate::currentDate().addDays(-days), QDate::currentDate(), column, condition};
}

} // namespace

class NoteQueriesTest : public QObject {
    Q_OBJECT
private slots:
    void conditionListsFollowTheTables()
    {
        const QStringList orders = conditionColumns(NoteTable::RepairOrders);
        QCOMPARE(orders.mid(0, 4), QStringList({"托修单编号", "服务部门", "实际单号", "车牌号码"}));
        QCOMPARE(orders.at(defaultConditionIndex(NoteTable::RepairOrders)), QStringLiteral("车牌号码"));
        QVERIFY(orders.contains(QStringLiteral("托修单位")));
        QVERIFY(orders.contains(QStringLiteral("业务接待")));
        QVERIFY(!orders.contains(QStringLiteral("维修技师")));     // among the last eight columns
        QVERIFY(!orders.contains(QStringLiteral("接车时间")));     // not text
        const QStringList settlements = conditionColumns(NoteTable::Settlements);
        QCOMPARE(settlements.first(), QStringLiteral("结算单编号"));
        QVERIFY(settlements.contains(QStringLiteral("车牌号码")));
        QVERIFY(settlements.contains(QStringLiteral("车辆状态")));
        QVERIFY(!settlements.contains(QStringLiteral("结算类型")));  // among the last ten columns
        QVERIFY(!settlements.contains(QStringLiteral("整单金额合计")));
        QCOMPARE(defaultConditionIndex(NoteTable::Settlements), 5);
    }

    void dateRangeAndPlateCondition()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        const QString a = receivedOrder(db, QStringLiteral("粤A12345"), 0, 100);
        const QString b = receivedOrder(db, QStringLiteral("粤BA1299"), 5, 50);
        receivedOrder(db, QStringLiteral("粤A12777"), 6, 30);        // before the five days
        const QString d = receivedOrder(db, QStringLiteral("粤C99999"), 2);

        QCOMPARE(numbers(db, repairOrderQuery(db, lastDays(kQueryFromDays))), QStringList({a, b, d}));
        QCOMPARE(numbers(db, repairOrderQuery(db, lastDays(5, "车牌号码", "A12"))), QStringList({a, b}));
        QCOMPARE(numbers(db, repairOrderQuery(db, lastDays(5, "车牌号码", "a12"))), QStringList({a, b}));
        QCOMPARE(numbers(db, repairOrderQuery(db, lastDays(5, "托修单位", "顺达"))), QStringList({a, b, d}));

        const QStringList settled = numbers(db, settlementQuery(db, lastDays(5, "车牌号码", "A12")));
        QCOMPARE(settled.size(), 2);
        const QueryScreen screen = runNoteQuery(db, NoteTable::Settlements, lastDays(5));
        QCOMPARE(screen.rows, 2);
        QCOMPARE(screen.rowsShown, 2);
        QCOMPARE(screen.amount, Money::fromYuan(150));
        QCOMPARE(runNoteQuery(db, NoteTable::RepairOrders, lastDays(30, "车牌号码", "A12")).rows, 3);
    }

    void conditionIsTextAndColumnIsWhitelisted()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        receivedOrder(db, QStringLiteral("粤A1%2"), 0);
        const QString quote = receivedOrder(db, QStringLiteral("粤A'12"), 0);
        QCOMPARE(numbers(db, repairOrderQuery(db, lastDays(1, "车牌号码", "%"))).size(), 1);
        QCOMPARE(numbers(db, repairOrderQuery(db, lastDays(1, "车牌号码", "_"))).size(), 0);
        QCOMPARE(numbers(db, repairOrderQuery(db, lastDays(1, "车牌号码", "'"))), QStringList({quote}));
        for (const char *column : {"完成标志", "1=1 OR 车牌号码", "接车时间", ""})
            QVERIFY_THROWS_EXCEPTION(WorkshopError, repairOrderQuery(db, lastDays(1, QString::fromUtf8(column), "A")));
        // Without a condition the column is not used at all.
        QCOMPARE(numbers(db, repairOrderQuery(db, lastDays(1, "完成标志", ""))).size(), 2);
    }
};

JC_TEST_MAIN(NoteQueriesTest)
#include "tst_notequeries.moc"
