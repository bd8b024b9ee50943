#include "store/db.h"
#include "store/journal.h"
#include "store/money.h"
#include "tests/support/testdb.h"

#include <QApplication>
#include <QTest>

using namespace store;

class DbTest : public QObject {
    Q_OBJECT
private slots:
    void awkwardTextRoundTripsThroughEveryHelper()
    {
        testsupport::TestDatabase t;
        Db &db = t.db();
        const QStringList values = {QStringLiteral("O'Brien \"引号\""), QStringLiteral("100% -- 注释 /* */"),
                                    QStringLiteral("'); DROP TABLE 部门信息; --"), QStringLiteral("湘A·12345")};
        int n = 0;
        for (const QString &v : values) {
            const QString code = QStringLiteral("9%1").arg(++n, 5, 10, QLatin1Char('0'));
            db.execWrite(QStringLiteral("INSERT INTO 员工信息表 (员工编号, 员工姓名, 所在部门) VALUES (?, ?, ?)"),
                         {code, v.left(10), v});
            QCOMPARE(db.scalar(QStringLiteral("SELECT 所在部门 FROM 员工信息表 WHERE 员工编号 = ?"), {code}).toString(), v);
            QVERIFY(db.exists(QStringLiteral("SELECT 1 FROM 员工信息表 WHERE 所在部门 = ?"), {v}));
            auto row = db.one(QStringLiteral("SELECT * FROM 员工信息表 WHERE 员工姓名 = ?"), {v.left(10)});
            QVERIFY(row);
            QCOMPARE(row->value(QStringLiteral("所在部门")).toString(), v);
            QSqlQuery &p = db.prepared(QStringLiteral("SELECT COUNT(*) FROM 员工信息表 WHERE 所在部门 = ?"));
            db.run(p, {v});
            QVERIFY(p.next());
            QCOMPARE(p.value(0).toInt(), 1);
        }
        QCOMPARE(db.scalar(QStringLiteral("SELECT COUNT(*) FROM 部门信息")).toInt(), 1);
    }

    void moneyDatesAndFlagsRoundTrip()
    {
        testsupport::TestDatabase t;
        Db &db = t.db();
        const Money amount = Money::parse(QStringLiteral("-12345678.9012"));
        const QDate day(2026, 2, 28);
        db.execWrite(QStringLiteral("INSERT INTO 现金帐表 (单据编号, 收费时间, 总收费金额, 收费标志) VALUES (?, ?, ?, ?)"),
                     {QStringLiteral("000100000001"), day, QVariant::fromValue(amount), true});
        auto row = db.one(QStringLiteral("SELECT 收费时间, 总收费金额, 收费标志 FROM 现金帐表 WHERE 收费时间 = ?"), {day});
        QVERIFY(row);
        QCOMPARE(toDate(row->value(0)), day);
        QCOMPARE(Money::fromVariant(row->value(1)), amount);
        QVERIFY(toBool(row->value(2)));
        // Journal rows carry a date-time and the operator's name; over-long texts are cut, not refused.
        writeJournal(db, QStringLiteral("新增部门:") + QString(80, QChar(0x4E2D)), QStringLiteral("张三"));
        auto j = db.one(QStringLiteral("SELECT 发生时间, 业务内容, 操作员 FROM 操作流水表"));
        QVERIFY(j);
        QVERIFY(qAbs(toDateTime(j->value(0)).secsTo(QDateTime::currentDateTime())) < 5);
        QCOMPARE(gbkWidth(j->value(1).toString()), 99);   // a two-byte character never half fits
        QCOMPARE(j->value(2).toString(), QStringLiteral("张三"));
    }

    void failedSaveLeavesNothingBehind()
    {
        testsupport::TestDatabase t;
        Db &db = t.db();
        bool thrown = false;
        try {
            Transaction tx(db);
            db.execWrite(QStringLiteral("INSERT INTO 服务项目类别信息表 (服务项目类别) VALUES (?)"), {QStringLiteral("保养")});
            db.execWrite(QStringLiteral("INSERT INTO 服务项目信息表 (服务项目类别, 服务项目名称) VALUES (?, ?)"),
                         {QStringLiteral("保养"), QStringLiteral("换机油")});
            // The same key again: the server refuses the third statement.
            db.execWrite(QStringLiteral("INSERT INTO 服务项目类别信息表 (服务项目类别) VALUES (?)"), {QStringLiteral("保养")});
            tx.commit();
        } catch (const DbError &e) {
            thrown = true;
            QVERIFY(!e.message().isEmpty());
        }
        QVERIFY(thrown);
        QVERIFY(!db.inTransaction());
        QCOMPARE(db.scalar(QStringLiteral("SELECT COUNT(*) FROM 服务项目类别信息表")).toInt(), 0);
        QCOMPARE(db.scalar(QStringLiteral("SELECT COUNT(*) FROM 服务项目信息表")).toInt(), 0);
        // The connection is usable again afterwards.
        db.execWrite(QStringLiteral("INSERT INTO 服务项目类别信息表 (服务项目类别) VALUES (?)"), {QStringLiteral("保养")});
        QCOMPARE(db.scalar(QStringLiteral("SELECT COUNT(*) FROM 服务项目类别信息表")).toInt(), 1);
    }

    void overlongTextIsRefusedOnEveryBackend()
    {
        testsupport::TestDatabase t;
        QVERIFY_THROWS_EXCEPTION(DbError, t.db().execWrite(
            QStringLiteral("INSERT INTO 会员类别信息表 (会员类别) VALUES (?)"), {QString(25, QLatin1Char('x'))}));
    }

    void moneyArithmeticIsExact_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("decimal");
        QTest::addColumn<QString>("cents");
        QTest::newRow("plain") << "123.45" << "123.4500" << "123.45";
        QTest::newRow("round up 5th") << "0.00005" << "0.0001" << "0.00";
        QTest::newRow("negative") << "-8.205" << "-8.2050" << "-8.21";
        QTest::newRow("grouped") << "1,234,567.8" << "1234567.8000" << "1234567.80";
        QTest::newRow("zero") << "0" << "0.0000" << "0.00";
    }
    void moneyArithmeticIsExact()
    {
        QFETCH(QString, text);
        QFETCH(QString, decimal);
        QFETCH(QString, cents);
        bool ok = false;
        const Money m = Money::parse(text, &ok);
        QVERIFY(ok);
        QCOMPARE(m.toDecimalString(), decimal);
        QCOMPARE(m.toString2(), cents);
        QCOMPARE(Money::fromDouble(0.1) + Money::fromDouble(0.2), Money::parse(QStringLiteral("0.3")));
        QCOMPARE(Money::fromDouble(2.675).roundedToCents().toString2(), QStringLiteral("2.68"));
        QVERIFY(Money::fromUnits(INT64_MAX).roundedToCents() > Money());
        QVERIFY(Money::fromUnits(INT64_MIN).roundedToCents() < Money());
    }
};

JC_TEST_MAIN(DbTest)
#include "tst_db.moc"
