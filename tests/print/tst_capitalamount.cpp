#include "print/capitalamount.h"
#include "tests/support/testdb.h"

#include <QApplication>
#include <QTest>

using store::Money;

class CapitalAmountTest : public QObject {
    Q_OBJECT
private slots:
    void amounts_data()
    {
        QTest::addColumn<qint64>("units");   // ten-thousandths of a yuan
        QTest::addColumn<QString>("text");
        QTest::newRow("123.45") << 1234500LL << "壹佰贰拾叁元肆角伍分";
        QTest::newRow("100") << 1000000LL << "壹佰元整";
        QTest::newRow("10203") << 102030000LL << "壹万零贰佰零叁元整";
        QTest::newRow("zero") << 0LL << "零元整";
        QTest::newRow("0.05") << 500LL << "伍分";
        QTest::newRow("0.50") << 5000LL << "伍角整";
        QTest::newRow("0.55") << 5500LL << "伍角伍分";
        QTest::newRow("1.05") << 10500LL << "壹元零伍分";
        QTest::newRow("10.50") << 105000LL << "壹拾元伍角整";
        QTest::newRow("10") << 100000LL << "壹拾元整";
        QTest::newRow("1001") << 10010000LL << "壹仟零壹元整";
        QTest::newRow("1010") << 10100000LL << "壹仟零壹拾元整";
        QTest::newRow("1000000") << 10000000000LL << "壹佰万元整";
        QTest::newRow("1001000") << 10010000000LL << "壹佰万壹仟元整";
        QTest::newRow("1000100") << 10001000000LL << "壹佰万零壹佰元整";
        QTest::newRow("100000000") << 1000000000000LL << "壹亿元整";
        QTest::newRow("100000001") << 1000000010000LL << "壹亿零壹元整";
        QTest::newRow("100010000") << 1000100000000LL << "壹亿零壹万元整";
        QTest::newRow("110000000") << 1100000000000LL << "壹亿壹仟万元整";
        QTest::newRow("1234567890.12") << 12345678901200LL << "壹拾贰亿叁仟肆佰伍拾陆万柒仟捌佰玖拾元壹角贰分";
        QTest::newRow("one 万亿") << 10000000000000000LL << "壹万亿元整";
        QTest::newRow("-8.20") << -82000LL << "负捌元贰角整";
        QTest::newRow("-0.05") << -500LL << "负伍分";
        QTest::newRow("rounds up at the third decimal") << 26750LL << "贰元陆角捌分";        // 2.675
        QTest::newRow("rounds down at the third decimal") << 26749LL << "贰元陆角柒分";      // 2.6749
        QTest::newRow("rounds to a whole yuan") << 199950LL << "贰拾元整";                    // 19.995
        QTest::newRow("negative rounds away from zero") << -26750LL << "负贰元陆角捌分";
        QTest::newRow("rounds to zero") << 49LL << "零元整";                                    // 0.0049
        QTest::newRow("negative rounds to zero") << -40LL << "零元整";                          // -0.004
        QTest::newRow("half a cent") << 50LL << "壹分";                                         // 0.005
        QTest::newRow("largest") << qint64(INT64_MAX)
                                 << "玖佰贰拾贰万叁仟叁佰柒拾贰亿零叁佰陆拾捌万伍仟肆佰柒拾柒元伍角捌分";
        QTest::newRow("smallest") << qint64(INT64_MIN)
                                  << "负玖佰贰拾贰万叁仟叁佰柒拾贰亿零叁佰陆拾捌万伍仟肆佰柒拾柒元伍角捌分";
    }
    void amounts()
    {
        QFETCH(qint64, units);
        QFETCH(QString, text);
        QCOMPARE(print::capitalAmount(Money::fromUnits(units)), text);
    }
};

JC_TEST_MAIN(CapitalAmountTest)
#include "tst_capitalamount.moc"
