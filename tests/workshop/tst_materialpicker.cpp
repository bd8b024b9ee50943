#include "tests/support/testdb.h"
#include "tests/workshop/workshopfixture.h"
#include "workshop/materialpicker.h"

#include <QApplication>
#include <QTest>

using namespace workshop;
using namespace workshoptest;

namespace {
QStringList codes(const QList<CatalogueGoods> &goods)
{
    QStringList out;
    for (const CatalogueGoods &g : goods)
        out << g.code;
    return out;
}

// 机油: 1010001 美孚机油 (bar code 690001), 1010002 壳牌机油 (690002, spec 5W-30),
// 1010003 嘉实多 (690002, spec 100%合成); 滤清器: 1020001 机油滤清器.
void catalogue(store::Db &db)
{
    addGoodsCategory(db, QStringLiteral("102"), QStringLiteral("滤清器"));
    addGoodsCategory(db, QStringLiteral("101"), QStringLiteral("机油"));
    addGoods(db, QStringLiteral("1010002"), QStringLiteral("壳牌机油"), QStringLiteral("5W-30"), QStringLiteral("机油"),
             QStringLiteral("690002"));
    addGoods(db, QStringLiteral("1010001"), QStringLiteral("美孚机油"), QStringLiteral("5W-40"), QStringLiteral("机油"),
             QStringLiteral("690001"));
    addGoods(db, QStringLiteral("1010003"), QStringLiteral("嘉实多"), QStringLiteral("100%合成"), QStringLiteral("机油"),
             QStringLiteral("690002"));
    addGoods(db, QStringLiteral("1020001"), QStringLiteral("机油滤清器"), QStringLiteral("通用"), QStringLiteral("滤清器"));
}
} // namespace

class PickerTest : public QObject {
    Q_OBJECT
private slots:
    void categoriesAndTheirGoodsInCodeOrder()
    {
        testsupport::TestDatabase t;
        catalogue(t.db());
        QCOMPARE(goodsCategoryNames(t.db()), (QStringList{QStringLiteral("机油"), QStringLiteral("滤清器")}));
        QCOMPARE(codes(goodsInCategory(t.db(), QStringLiteral("机油"))),
                 (QStringList{QStringLiteral("1010001"), QStringLiteral("1010002"), QStringLiteral("1010003")}));
    }

    void search_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("tryBarcode");
        QTest::addColumn<QStringList>("found");
        QTest::addColumn<bool>("pickAtOnce");
        QTest::newRow("one bar code picks") << " 690001 " << true << QStringList{"1010001"} << true;
        QTest::newRow("two bar codes list both") << "690002" << true << QStringList{"1010002", "1010003"} << false;
        QTest::newRow("name") << "机油" << true << QStringList{"1010001", "1010002", "1020001"} << false;
        QTest::newRow("specs when no name") << "5W" << true << QStringList{"1010001", "1010002"} << false;
        QTest::newRow("button skips the bar code") << "690001" << false << QStringList{} << false;
        QTest::newRow("percent is a character") << "100%" << true << QStringList{"1010003"} << false;
        QTest::newRow("quote is a character") << "O'Neil" << true << QStringList{} << false;
        QTest::newRow("blank finds nothing") << "  " << true << QStringList{} << false;
    }
    void search()
    {
        QFETCH(QString, text);
        QFETCH(bool, tryBarcode);
        QFETCH(QStringList, found);
        QFETCH(bool, pickAtOnce);
        testsupport::TestDatabase t;
        catalogue(t.db());
        const GoodsSearch s = searchGoods(t.db(), text, tryBarcode);
        QCOMPARE(codes(s.found), found);
        QCOMPARE(s.pickAtOnce, pickAtOnce);
    }

    void costIsTheAverageWithAStockRowElseThePurchasePrice()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        catalogue(db);
        addStockRow(db, QStringLiteral("1010001"), kDept, 12.5, 38.123456);
        addStockRow(db, QStringLiteral("1010002"), QStringLiteral("一分店"), 3, 41);

        const PickedGoods stocked = pickGoods(db, QStringLiteral("1010001"), kDept);
        QVERIFY(stocked.hasStockRow);
        QCOMPARE(stocked.stock, 12.5);
        QCOMPARE(stocked.cost, 38.123456);
        QCOMPARE(stocked.goods.salePrice, store::Money::fromYuan(60));

        // A stock row of another warehouse is not the clerk's.
        const PickedGoods elsewhere = pickGoods(db, QStringLiteral("1010002"), kDept);
        QVERIFY(!elsewhere.hasStockRow);
        QCOMPARE(elsewhere.stock, 0.0);
        QCOMPARE(elsewhere.cost, 40.0);
    }

    void labourOnlyLineHasQuantityAndPriceZero()
    {
        const NoteLine l = lineFromPicker({QStringLiteral("四轮定位"), QStringLiteral("120"), QStringLiteral("客户自带"),
                                           {}, {}, {}, std::nullopt, QStringLiteral("60.00"), QString()});
        QCOMPARE(l.item, QStringLiteral("四轮定位"));
        QCOMPARE(l.labourFee, std::optional<double>(120));
        QCOMPARE(l.unitPrice, std::optional<double>(0));
        QCOMPARE(l.quantity, std::optional<double>(0));
        QVERIFY(!l.hours);
        QVERIFY(!l.unitCost);
        QCOMPARE(l.remark, QStringLiteral("客户自带"));
    }

    void materialLineTakesPriceQuantityAndCost()
    {
        // No check against the stock shown: any quantity is taken.
        const NoteLine l = lineFromPicker({{}, {}, {}, QStringLiteral("1010001"), QStringLiteral("美孚机油"),
                                           QStringLiteral("桶"), 38.5, QStringLiteral("60.00"), QStringLiteral("999")});
        QCOMPARE(l.quantity, std::optional<double>(999));
        QCOMPARE(l.unitPrice, std::optional<double>(60));
        QCOMPARE(l.unitCost, std::optional<double>(38.5));
        QCOMPARE(l.materialAmount(), 59940.0);
        QVERIFY(!l.labourFee);
        QCOMPARE(materialCharge(QStringLiteral("12.5"), QStringLiteral("3")), std::optional<double>(37.5));
        QVERIFY(!materialCharge(QString(), QStringLiteral("3")));
    }
};

JC_TEST_MAIN(PickerTest)
#include "tst_materialpicker.moc"
