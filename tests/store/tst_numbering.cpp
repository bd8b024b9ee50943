#include "store/numbering.h"
#include "tests/support/testdb.h"

#include <QApplication>
#include <QSet>
#include <QTest>
#include <QThread>
#include <atomic>

using namespace store;

namespace {
void addDepartment(Db &db, const QString &code, const QString &name)
{
    db.execWrite(QStringLiteral("INSERT INTO 部门信息 (部门编号, 部门名称, 最后入库单号, 最后出库单号, 最后美容单号, 最后装簧单号, "
                                "最后员工编号, 最后操作员号, 最后供应商号, 最后会员编号) VALUES (?,?,?,?,?,?,?,?,?,?)"),
                 {code, name, "00000000", "00000000", "00000000", "00000000", "0000", "0000", "0000", "0000"});
}
QString counter(Db &db, const QString &column, const QString &code)
{
    return db.scalar(QStringLiteral("SELECT %1 FROM 部门信息 WHERE 部门编号 = ?").arg(column), {code}).toString();
}
} // namespace

class NumberingTest : public QObject {
    Q_OBJECT
private slots:
    void sequenceRule_data()
    {
        QTest::addColumn<QString>("counter");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("next");
        QTest::newRow("empty note counter") << "" << 8 << "00000001";
        QTest::newRow("99 to 100") << "00000099" << 8 << "00000100";
        QTest::newRow("blank-padded") << " 00000007 " << 8 << "00000008";
        QTest::newRow("empty operator counter") << "" << 2 << "01";
        QTest::newRow("four-char operator counter") << "0000" << 2 << "01";
        QTest::newRow("98 to 99") << "98" << 2 << "99";
        QTest::newRow("99 is the last") << "99" << 2 << "";
        QTest::newRow("non-digits") << "12A" << 8 << "";
        QTest::newRow("last note number") << "99999999" << 8 << "";
    }
    void sequenceRule()
    {
        QFETCH(QString, counter);
        QFETCH(int, width);
        QFETCH(QString, next);
        QString error;
        QCOMPARE(nextSequence(counter, width, &error), next);
        QCOMPARE(error.isEmpty(), !next.isEmpty());
    }

    void notesCountPerKindAndDepartment()
    {
        testsupport::TestDatabase t;
        Db &db = t.db();
        addDepartment(db, QStringLiteral("0001"), QStringLiteral("一分店"));
        // Empty repair-order counter of a new department: first number ...00000001.
        QCOMPARE(reserveNumber(db, CounterKind::RepairOrder, QStringLiteral("0001")).number, QStringLiteral("000100000001"));
        QCOMPARE(counter(db, QStringLiteral("最后托修单号"), QStringLiteral("0001")), QStringLiteral("00000001"));
        // Stock notes always count in row '0000', whoever begins them.
        QCOMPARE(reserveNumber(db, CounterKind::StockOut, QStringLiteral("0001")).number, QStringLiteral("000000000001"));
        QCOMPARE(counter(db, QStringLiteral("最后出库单号"), QStringLiteral("0000")), QStringLiteral("00000001"));
        QCOMPARE(counter(db, QStringLiteral("最后出库单号"), QStringLiteral("0001")), QStringLiteral("00000000"));
        // An abandoned number is not reused: the next one follows it.
        QCOMPARE(reserveNumber(db, CounterKind::StockIn, QStringLiteral("0000")).number, QStringLiteral("000000000001"));
        QCOMPARE(reserveNumber(db, CounterKind::StockIn, QStringLiteral("0000")).number, QStringLiteral("000000000002"));
        db.execWrite(QStringLiteral("UPDATE 部门信息 SET 最后结算单号 = '00000099' WHERE 部门编号 = '0001'"));
        QCOMPARE(reserveNumber(db, CounterKind::Settlement, QStringLiteral("0001")).number, QStringLiteral("000100000100"));
    }

    void operatorAndEmployeeCodes()
    {
        testsupport::TestDatabase t;
        Db &db = t.db();
        addDepartment(db, QStringLiteral("0002"), QStringLiteral("二分店"));
        // The proposal does not advance the counter; the reservation at the save does.
        QCOMPARE(peekNumber(db, CounterKind::Operator, QStringLiteral("0002")).number, QStringLiteral("000201"));
        QCOMPARE(counter(db, QStringLiteral("最后操作员号"), QStringLiteral("0002")), QStringLiteral("0000"));
        const ReservedNumber r = reserveNumber(db, CounterKind::Operator, QStringLiteral("0002"));
        QCOMPARE(r.number, QStringLiteral("000201"));
        QCOMPARE(counter(db, QStringLiteral("最后操作员号"), QStringLiteral("0002")), QStringLiteral("01"));
        db.execWrite(QStringLiteral("UPDATE 部门信息 SET 最后员工编号 = '02' WHERE 部门编号 = '0002'"));
        QCOMPARE(reserveNumber(db, CounterKind::Employee, QStringLiteral("0002")).number, QStringLiteral("000203"));
    }

    void brokenCountersBeginNothing()
    {
        testsupport::TestDatabase t;
        Db &db = t.db();
        addDepartment(db, QStringLiteral("0003"), QStringLiteral("三分店"));
        db.execWrite(QStringLiteral("UPDATE 部门信息 SET 最后操作员号 = '99', 最后托修单号 = '12X' WHERE 部门编号 = '0003'"));
        QVERIFY_THROWS_EXCEPTION(DbError, reserveNumber(db, CounterKind::Operator, QStringLiteral("0003")));
        QVERIFY_THROWS_EXCEPTION(DbError, reserveNumber(db, CounterKind::RepairOrder, QStringLiteral("0003")));
        QVERIFY_THROWS_EXCEPTION(DbError, reserveNumber(db, CounterKind::RepairOrder, QStringLiteral("0404")));
        QCOMPARE(counter(db, QStringLiteral("最后操作员号"), QStringLiteral("0003")), QStringLiteral("99"));
        QCOMPARE(counter(db, QStringLiteral("最后托修单号"), QStringLiteral("0003")), QStringLiteral("12X"));
        QVERIFY(!db.inTransaction());
    }

    void workstationsReservingAtOnceGetDistinctNumbers()
    {
        testsupport::TestDatabase t;
        constexpr int workstations = 4, each = 200;
        QList<QStringList> got(workstations);
        std::atomic<int> failures{0};
        QList<QThread *> threads;
        for (int w = 0; w < workstations; ++w) {
            threads << QThread::create([&, w] {
                try {
                    auto db = t.connect();
                    for (int i = 0; i < each; ++i)
                        got[w] << reserveNumber(*db, CounterKind::StockIn, QStringLiteral("0000")).number;
                } catch (const DbError &e) {
                    qWarning() << e.message();
                    ++failures;
                }
            });
        }
        for (QThread *th : threads) th->start();
        for (QThread *th : threads) { th->wait(); delete th; }
        QCOMPARE(failures.load(), 0);
        QSet<QString> all;
        for (const QStringList &l : got) for (const QString &n : l) all.insert(n);
        QCOMPARE(all.size(), workstations * each);
        QCOMPARE(counter(t.db(), QStringLiteral("最后入库单号"), QStringLiteral("0000")), QStringLiteral("00000800"));
    }
};

JC_TEST_MAIN(NumberingTest)
#include "tst_numbering.moc"
