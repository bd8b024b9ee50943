#include "store/displayformat.h"
#include "store/money.h"
#include "tests/support/testdb.h"

#include <QApplication>
#include <QTest>

using store::Money;

class DisplayFormatTest : public QObject {
    Q_OBJECT
private slots:
    void numbers_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("text");
        // Money "##0.00"
        QTest::newRow("money zero") << 0.0 << "##0.00" << "0.00";
        QTest::newRow("money plain") << 123.4 << "##0.00" << "123.40";
        QTest::newRow("money negative") << -8.2 << "##0.00" << "-8.20";
        QTest::newRow("money half up") << 2.675 << "##0.00" << "2.68";
        QTest::newRow("money half away from zero") << -2.675 << "##0.00" << "-2.68";
        QTest::newRow("money below half") << 1.004999 << "##0.00" << "1.00";
        QTest::newRow("money negative to zero") << -0.004 << "##0.00" << "0.00";
        QTest::newRow("money large") << 123456789012.345 << "##0.00" << "123456789012.35";
        QTest::newRow("money under one") << 0.5 << "##0.00" << "0.50";
        QTest::newRow("money carry") << 9.995 << "##0.00" << "10.00";
        // Optional decimals
        QTest::newRow("##.## zero") << 0.0 << "##.##" << "0";
        QTest::newRow("##.## whole") << 3.0 << "##.##" << "3";
        QTest::newRow("##.## one place") << 2.5 << "##.##" << "2.5";
        QTest::newRow("##.## rounds") << 2.555 << "##.##" << "2.56";
        QTest::newRow("##.## under one") << 0.5 << "##.##" << "0.5";
        QTest::newRow("##.## negative") << -1.25 << "##.##" << "-1.25";
        QTest::newRow("##.## rounds to whole") << 1.999 << "##.##" << "2";
        QTest::newRow("##.### quantity") << 1.25 << "##.###" << "1.25";
        QTest::newRow("##.### rounds") << 0.0005 << "##.###" << "0.001";
        QTest::newRow("###.## rate") << 10.0 << "###.##" << "10";
        QTest::newRow("###.## large") << 12345.678 << "###.##" << "12345.68";
        QTest::newRow("#0.00") << 7.0 << "#0.00" << "7.00";
        QTest::newRow("#0.00 negative") << -0.125 << "#0.00" << "-0.13";
        // Fixed decimals
        QTest::newRow("##0.000 zero") << 0.0 << "##0.000" << "0.000";
        QTest::newRow("##0.000 quantity") << 12.5 << "##0.000" << "12.500";
        QTest::newRow("##0.000 negative") << -3.0005 << "##0.000" << "-3.001";
        QTest::newRow("##0.0000 price") << 1.23456 << "##0.0000" << "1.2346";
        QTest::newRow("##0.0000 zero") << 0.0 << "##0.0000" << "0.0000";
        QTest::newRow("##0.000000 cost") << 4.5 << "##0.000000" << "4.500000";
        QTest::newRow("##0.000000 third") << 1.0 / 3.0 << "##0.000000" << "0.333333";
        QTest::newRow("##0.000000 negative") << -2.0 / 3.0 << "##0.000000" << "-0.666667";
        // Grouping
        QTest::newRow("#,##0.00 zero") << 0.0 << "#,##0.00" << "0.00";
        QTest::newRow("#,##0.00 under thousand") << 999.994 << "#,##0.00" << "999.99";
        QTest::newRow("#,##0.00 carry to thousand") << 999.995 << "#,##0.00" << "1,000.00";
        QTest::newRow("#,##0.00 millions") << 1234567.891 << "#,##0.00" << "1,234,567.89";
        QTest::newRow("#,##0.00 negative") << -1234.5 << "#,##0.00" << "-1,234.50";
        QTest::newRow("#,##0.000 quantity") << 12345.6785 << "#,##0.000" << "12,345.679";
        QTest::newRow("#,##0.000 negative") << -1000.0 << "#,##0.000" << "-1,000.000";
        // Integers and literal text
        QTest::newRow("###### mileage") << 123456.4 << "######" << "123456";
        QTest::newRow("###### zero") << 0.0 << "######" << "0";
        QTest::newRow("yuan sign") << 12.5 << "￥##0.00" << "￥12.50";
        QTest::newRow("yuan sign negative") << -12.5 << "￥##0.00" << "￥-12.50";
        // Unknown mask: the plain value
        QTest::newRow("empty mask") << 12.5 << "" << "12.5";
        QTest::newRow("word mask") << 3.0 << "abc" << "3";
        QTest::newRow("two points") << 3.25 << "#.#.#" << "3.25";
    }
    void numbers()
    {
        QFETCH(double, value);
        QFETCH(QString, mask);
        QFETCH(QString, text);
        QCOMPARE(store::formatNumber(value, mask), text);
        QCOMPARE(store::formatValue(value, mask), text);
    }

    void values_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("text");
        QTest::newRow("null") << QVariant() << "##0.00" << "";
        QTest::newRow("null double") << QVariant(QMetaType::fromType<double>()) << "##0.00" << "";
        QTest::newRow("money exact") << Money::fromUnits(12345).toVariant() << "##0.00" << "1.23";
        QTest::newRow("money half cent") << Money::fromUnits(12350).toVariant() << "##0.00" << "1.24";
        QTest::newRow("money negative half cent") << Money::fromUnits(-12350).toVariant() << "##0.00" << "-1.24";
        QTest::newRow("money largest") << Money::fromUnits(INT64_MAX).toVariant() << "#,##0.00"
                                       << "922,337,203,685,477.58";
        QTest::newRow("money smallest") << Money::fromUnits(INT64_MIN).toVariant() << "##0.0000"
                                        << "-922337203685477.5808";
        QTest::newRow("money beyond doubles") << Money::fromUnits(900719925474099300).toVariant() << "##0.0000"
                                              << "90071992547409.9300";
        QTest::newRow("money optional places") << Money::fromUnits(25000).toVariant() << "##.##" << "2.5";
        QTest::newRow("money plain") << Money::fromUnits(-125000).toVariant() << "" << "-12.5";
        QTest::newRow("integer") << QVariant(qlonglong(1234567)) << "#,##0.00" << "1,234,567.00";
        QTest::newRow("decimal text") << QVariant(QStringLiteral("12.3450")) << "##0.00" << "12.35";
        QTest::newRow("decimal text negative") << QVariant(QStringLiteral("-0.005")) << "##0.00" << "-0.01";
        QTest::newRow("exponent text") << QVariant(QStringLiteral("1.5e3")) << "#,##0.00" << "1,500.00";
        QTest::newRow("words under number mask") << QVariant(QStringLiteral("散客")) << "##0.00" << "散客";
        QTest::newRow("text no mask") << QVariant(QStringLiteral("现金")) << "" << "现金";
        QTest::newRow("date") << QVariant(QDate(2024, 3, 5)) << "YYYY-MM-DD" << "2024-03-05";
        QTest::newRow("date lower-case mask") << QVariant(QDate(2024, 3, 5)) << "yyyy-mm-dd" << "2024-03-05";
        QTest::newRow("date-time") << QVariant(QDateTime(QDate(2024, 12, 31), QTime(23, 59, 1))) << "YYYY-MM-DD"
                                   << "2024-12-31";
        QTest::newRow("sqlite date text") << QVariant(QStringLiteral("2024-03-05")) << "YYYY-MM-DD" << "2024-03-05";
        QTest::newRow("sqlite date-time text") << QVariant(QStringLiteral("2024-03-05 08:30:00")) << "YYYY-MM-DD"
                                               << "2024-03-05";
        QTest::newRow("not a date") << QVariant(QStringLiteral("无")) << "YYYY-MM-DD" << "无";
        QTest::newRow("plain date") << QVariant(QDate(2024, 3, 5)) << "" << "2024-03-05";
        QTest::newRow("plain date-time") << QVariant(QDateTime(QDate(2024, 3, 5), QTime(8, 30))) << ""
                                         << "2024-03-05 08:30:00";
    }
    void values()
    {
        QFETCH(QVariant, value);
        QFETCH(QString, mask);
        QFETCH(QString, text);
        QCOMPARE(store::formatValue(value, mask), text);
    }

    void knownMasks()
    {
        for (const char *mask : {"##0.00", "##.##", "##.###", "##0.000", "##0.0000", "##0.000000", "#,##0.000",
                                 "#,##0.00", "###.##", "#0.00", "YYYY-MM-DD", "######", "￥##0.00"})
            QVERIFY2(store::isKnownMask(QString::fromUtf8(mask)), mask);
        for (const char *mask : {"", "abc", ",", ".", "#.#.#", "##.#,#"})
            QVERIFY2(!store::isKnownMask(QString::fromUtf8(mask)), mask);
    }
};

JC_TEST_MAIN(DisplayFormatTest)
#include "tst_displayformat.moc"
