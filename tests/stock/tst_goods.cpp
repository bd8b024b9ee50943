#include "store/ruleerror.h"
#include "tests/stock/stockfixture.h"
#include "tests/support/testdb.h"

#include <QApplication>
#include <QTest>

using namespace stock;
using namespace stocktest;
using store::Money;
using testsupport::journalText;

namespace {
QString lastSequence(store::Db &db, const QString &category)
{
    return db.scalar(QStringLiteral("SELECT 最后编号 FROM 物品类别 WHERE 物品类别 = ?"), {category}).toString();
}
} // namespace

class GoodsTest : public QObject {
    Q_OBJECT
private slots:
    void categoriesAreNumberedFrom101()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        QCOMPARE(nextCategoryCode(db), QStringLiteral("101"));
        QCOMPARE(addCategory(db, QStringLiteral("机油"), QStringLiteral("管理员")).code, QStringLiteral("101"));
        QCOMPARE(addCategory(db, QStringLiteral("轮胎"), QStringLiteral("管理员")).code, QStringLiteral("102"));
        QCOMPARE(lastSequence(db, QStringLiteral("轮胎")), QStringLiteral("0000"));
        QCOMPARE(journalText(db), QStringLiteral("新增物品类别信息:轮胎"));
        try {
            addCategory(db, QStringLiteral("机油"), QStringLiteral("管理员"));
            QFAIL("a duplicate category was accepted");
        } catch (const store::RuleError &e) {
            QCOMPARE(e.message(), QStringLiteral("该物品类别已经存在，无需重复设置！"));
        }
        QVERIFY_THROWS_EXCEPTION(store::RuleError, addCategory(db, QStringLiteral("  "), QStringLiteral("管理员")));
        QCOMPARE(categories(db).size(), 2);
    }

    void goodsCodesFollowTheCategorySequence()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        addCategory(db, QStringLiteral("机油"), QStringLiteral("管理员"));
        QCOMPARE(nextGoodsCode(db, QStringLiteral("机油")).code, QStringLiteral("1010001"));
        const QString first = addGoods(db, goods(QStringLiteral("美孚机油")), std::nullopt, QStringLiteral("管理员"));
        QCOMPARE(first, QStringLiteral("1010001"));
        QCOMPARE(lastSequence(db, QStringLiteral("机油")), QStringLiteral("0001"));
        QCOMPARE(journalText(db), QStringLiteral("新增物品信息:美孚机油"));
        // A code already taken (by an import, say) is passed over.
        db.execWrite(QStringLiteral("INSERT INTO 物品信息表 (物品编号, 物品名称, 物品类别) VALUES ('1010002', '导入的', '机油')"));
        QCOMPARE(addGoods(db, goods(QStringLiteral("壳牌机油")), std::nullopt, QStringLiteral("管理员")), QStringLiteral("1010003"));
        QCOMPARE(lastSequence(db, QStringLiteral("机油")), QStringLiteral("0003"));
        QVERIFY_THROWS_EXCEPTION(store::RuleError, nextGoodsCode(db, QStringLiteral("没有的类别")));
    }

    void savedRecordsAreTrimmedAndEmptyLimitsDefault()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        addCategory(db, QStringLiteral("机油"), QStringLiteral("管理员"));
        Goods g = goods(QStringLiteral("  美孚机油 "));
        g.barcode = QStringLiteral(" 6901234 ");
        const QString code = addGoods(db, g, std::nullopt, QStringLiteral("管理员"));
        const auto saved = goodsByCode(db, code);
        QCOMPARE(saved->name, QStringLiteral("美孚机油"));
        QCOMPARE(saved->barcode, QStringLiteral("6901234"));
        QCOMPARE(saved->upperLimit, std::optional<double>(1000));
        QCOMPARE(saved->lowerLimit, std::optional<double>(1));
        QCOMPARE(saved->purchasePrice, Money::fromYuan(4));
    }

    void saveChecksComeInTheirOrder_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<bool>("adding");
        QTest::addColumn<QString>("message");
        QTest::newRow("name") << "name" << true << "请输入物品名称,物品名称不能为空!";
        QTest::newRow("unit") << "unit" << true << "请输入物品单位,物品单位不能空!";
        QTest::newRow("purchase, adding") << "purchase" << true << "请输入参考进货价,这个是必填项目!系统需要调用!";
        QTest::newRow("purchase, modifying") << "purchase" << false << "请输入参考进货价,这个属必填项目!系统需要调用!";
        QTest::newRow("sale, modifying") << "sale" << false << "请输入参考销售价,这个属必填项!系统需要调用!";
        QTest::newRow("lowest, adding") << "lowest" << true << "请输入最低销售价,这个是必填项目!系统需要调用!";
        QTest::newRow("limits reversed") << "limits" << true << "最低库存限额大于最高库存限额这是不正确,请重新输入!";
        QTest::newRow("name too long") << "long" << true << "物品全称最长50个字节(25个汉字),请重新输入!";
    }
    void saveChecksComeInTheirOrder()
    {
        QFETCH(QString, field);
        QFETCH(bool, adding);
        QFETCH(QString, message);
        Goods g = goods(QStringLiteral("美孚机油"));
        // Everything after the failing check is wrong too: the first failing check speaks.
        if (field == "name") g.name = QStringLiteral("  ");
        if (field == "name" || field == "unit") g.unit.clear();
        if (field != "sale" && field != "lowest" && field != "limits" && field != "long") g.purchasePrice = {};
        if (field != "lowest" && field != "limits" && field != "long") g.salePrice = {};
        if (field != "limits" && field != "long") g.lowestPrice = {};
        if (field == "limits") { g.upperLimit = 5; g.lowerLimit = 10; }
        if (field == "long") g.name = QString(26, QChar(0x6CB9));
        try {
            checkGoods(g, adding ? GoodsMode::Adding : GoodsMode::Modifying);
            QFAIL("the check passed");
        } catch (const store::RuleError &e) {
            QCOMPARE(e.message(), message);
        }
    }

    void openingQuantityCreatesTheFirstWarehousesRow()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        addCategory(db, QStringLiteral("机油"), QStringLiteral("管理员"));
        addWarehouse(db, QStringLiteral("0001"), kBranch);
        const QString none = addGoods(db, goods(QStringLiteral("甲")), std::nullopt, QStringLiteral("管理员"));
        const QString zero = addGoods(db, goods(QStringLiteral("乙")), 0.0, QStringLiteral("管理员"));
        const QString three = addGoods(db, goods(QStringLiteral("丙")), 3.0, QStringLiteral("管理员"));
        QVERIFY(!stockLevel(db, none, kWarehouse));
        QCOMPARE(stockLevel(db, zero, kWarehouse)->quantity, 0.0);
        QCOMPARE(stockLevel(db, zero, kWarehouse)->averageCost, 4.0);
        const auto level = stockLevel(db, three, kWarehouse);
        QCOMPARE(level->quantity, 3.0);
        QCOMPARE(level->totalCost, Money::fromYuan(12));
        QCOMPARE(level->averageCost, 4.0);
        QVERIFY(!stockLevel(db, three, kBranch));
        QCOMPARE(count(db, QStringLiteral("业务流水")), 0);
    }

    void duplicateNamesAndBarcodesAreRefused()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        addCategory(db, QStringLiteral("机油"), QStringLiteral("管理员"));
        const QString first = addGoods(db, goods(QStringLiteral("美孚机油"), QStringLiteral("机油"), QStringLiteral("690")),
                                       std::nullopt, QStringLiteral("管理员"));
        const QString second = addGoods(db, goods(QStringLiteral("壳牌机油")), std::nullopt, QStringLiteral("管理员"));
        // What the dialog shows behind itself when the name or barcode box is left.
        QCOMPARE(goodsWithName(db, QStringLiteral(" 美孚机油 "))->code, first);
        QCOMPARE(goodsWithBarcode(db, QStringLiteral("690"))->code, first);
        QVERIFY(!goodsWithName(db, QStringLiteral("美孚机油"), first));

        struct Case { Goods goods; bool modify; QString message; };
        Goods renamed = *goodsByCode(db, second);
        renamed.name = QStringLiteral("美孚机油");
        Goods recoded = *goodsByCode(db, second);
        recoded.barcode = QStringLiteral("690");
        const QString nameClash = QStringLiteral("资料表内已存在该相同名称的物品，不能再新增!");
        const QString codeClash = QStringLiteral("资料表内已存在该相同条形码或编码的物品，条形码或编码不能重复!");
        const std::vector<Case> cases = {
            {goods(QStringLiteral("美孚机油")), false, nameClash},
            {goods(QStringLiteral("新的"), QStringLiteral("机油"), QStringLiteral("690")), false, codeClash},
            {renamed, true, nameClash},
            {recoded, true, codeClash},
        };
        for (const Case &c : cases) {
            try {
                if (c.modify) updateGoods(db, c.goods, QStringLiteral("管理员"));
                else addGoods(db, c.goods, std::nullopt, QStringLiteral("管理员"));
                QFAIL("a clash was accepted");
            } catch (const store::RuleError &e) {
                QCOMPARE(e.message(), c.message);
            }
        }
        QCOMPARE(count(db, QStringLiteral("物品信息表")), 2);
        // Saving a goods under its own name and barcode is no clash.
        updateGoods(db, *goodsByCode(db, first), QStringLiteral("管理员"));
    }

    void aModificationRenamesStockAndLedgerRowsButNotNoteLines()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        const QString code = addOilGoods(db);
        addWarehouse(db, QStringLiteral("0001"), kBranch);
        db.execWrite(QStringLiteral("INSERT INTO 入库单子表 (入库单编号, 物品编号, 物品名称, 物品规格, 物品单位, 物品数量) "
                                    "VALUES ('000000000001', ?, '美孚机油', '4L', '桶', 10)"), {code});
        applyStockNote(db, note(Movement::In, kWarehouse, {line(code, 10, 40)}));
        applyStockNote(db, note(Movement::In, kBranch, {line(code, 10, 60)}));

        Goods g = *goodsByCode(db, code);
        g.name = QStringLiteral("美孚一号");
        g.specs = QStringLiteral("1L");
        g.unit = QStringLiteral("瓶");
        g.salePrice = Money::fromYuan(9);
        g.purchasePrice = Money::fromYuan(1);
        g.upperLimit.reset();
        updateGoods(db, g, QStringLiteral("王经理"));

        QCOMPARE(count(db, QStringLiteral("物品库存表"), QStringLiteral("物品名称 = '美孚一号' AND 物品单位 = '瓶' AND "
                                                                   "最后修改人 = '王经理' AND 最高库存限额 = 1000")), 2);
        QCOMPARE(Money::fromVariant(db.scalar(QStringLiteral("SELECT 建议销售价 FROM 物品库存表 WHERE 仓库 = ?"), {kBranch})),
                 Money::fromYuan(9));
        QCOMPARE(stockLevel(db, code, kBranch)->averageCost, 6.0);   // the purchase price does not reach the rows
        QCOMPARE(count(db, QStringLiteral("业务流水"), QStringLiteral("物品名称 = '美孚一号' AND 物品规格 = '1L' AND 物品单位 = '瓶'")), 2);
        QCOMPARE(db.scalar(QStringLiteral("SELECT 物品名称 FROM 入库单子表")).toString(), QStringLiteral("美孚机油"));
        QCOMPARE(journalText(db), QStringLiteral("修改物品信息:美孚一号"));

        g.code = QStringLiteral("1019999");
        QVERIFY_THROWS_EXCEPTION(store::RuleError, updateGoods(db, g, QStringLiteral("王经理")));
    }

    void deletingGoodsRemovesTheStockRowsOfItsName()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        const QString code = addOilGoods(db);
        const QString other = addOilGoods(db, QStringLiteral("壳牌机油"));
        addWarehouse(db, QStringLiteral("0001"), kBranch);
        applyStockNote(db, note(Movement::In, kWarehouse, {line(code, 1, 4), line(other, 1, 4)}));
        applyStockNote(db, note(Movement::In, kBranch, {line(code, 1, 4)}));
        // An imported goods of the same name under another code.
        db.execWrite(QStringLiteral("INSERT INTO 物品库存表 (物品编号, 仓库, 物品名称, 物品数量) VALUES ('2010001', ?, '美孚机油', 5)"),
                     {kBranch});

        QVERIFY_THROWS_EXCEPTION(store::RuleError, deleteGoods(db, code, clerk()));
        QCOMPARE(count(db, QStringLiteral("物品库存表")), 4);

        deleteGoods(db, code, manager());
        QVERIFY(!goodsByCode(db, code));
        QCOMPARE(count(db, QStringLiteral("物品库存表"), QStringLiteral("物品名称 = '美孚机油'")), 0);
        QCOMPARE(count(db, QStringLiteral("物品库存表")), 1);
        QCOMPARE(count(db, QStringLiteral("业务流水"), QStringLiteral("物品编号 = ?"), {code}), 2);
        QCOMPARE(journalText(db), QStringLiteral("删除物品信息:美孚机油"));
        QCOMPARE(db.scalar(QStringLiteral("SELECT 操作员 FROM 操作流水表 ORDER BY 流水号 DESC")).toString(), QStringLiteral("王经理"));
    }

    void deletingACategoryRemovesItsGoodsAndStock()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        const QString code = addOilGoods(db);
        addCategory(db, QStringLiteral("轮胎"), QStringLiteral("管理员"));
        const QString tyre = addGoods(db, goods(QStringLiteral("米其林"), QStringLiteral("轮胎")), 2.0, QStringLiteral("管理员"));
        applyStockNote(db, note(Movement::In, kWarehouse, {line(code, 1, 4)}));

        try {
            deleteCategory(db, QStringLiteral("机油"), clerk());
            QFAIL("a clerk deleted a category");
        } catch (const store::RuleError &e) {
            QCOMPARE(e.message(), QStringLiteral("只有经理或管理员才能删除物品类别信息!"));
        }
        deleteCategory(db, QStringLiteral("机油"), manager());
        QVERIFY(!categoryByName(db, QStringLiteral("机油")));
        QVERIFY(!goodsByCode(db, code));
        QVERIFY(!stockLevel(db, code, kWarehouse));
        QVERIFY(stockLevel(db, tyre, kWarehouse));
        QCOMPARE(count(db, QStringLiteral("业务流水")), 1);
        QCOMPARE(journalText(db), QStringLiteral("删除物品类别和该类别下所有物品的信息:机油"));
    }

    void theChoosersSearches()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        addCategory(db, QStringLiteral("机油"), QStringLiteral("管理员"));
        Goods a = goods(QStringLiteral("美孚机油"), QStringLiteral("机油"), QStringLiteral("690"));
        a.specs = QStringLiteral("SN 5W-30");
        addGoods(db, a, std::nullopt, QStringLiteral("管理员"));
        Goods b = goods(QStringLiteral("100%合成油"));
        b.specs = QStringLiteral("SN 0W-20");
        addGoods(db, b, std::nullopt, QStringLiteral("管理员"));

        QCOMPARE(searchGoodsByName(db, QStringLiteral(" 美孚 ")).size(), 1);
        QCOMPARE(searchGoodsByName(db, QStringLiteral("sn")).size(), 2);          // by specs, any case
        QCOMPARE(searchGoodsByName(db, QStringLiteral("690")).size(), 0);         // the button ignores barcodes
        QCOMPARE(searchGoodsByNameOrBarcode(db, QStringLiteral("690")).first().name, QStringLiteral("美孚机油"));
        QCOMPARE(searchGoodsByName(db, QStringLiteral("0%")).size(), 1);          // '%' is a character
        QCOMPARE(searchGoodsByName(db, QStringLiteral("")).size(), 0);
    }
};

JC_TEST_MAIN(GoodsTest)
#include "tst_goods.moc"
