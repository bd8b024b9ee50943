#include "print/layouts/settlement.h"
#include "print/layouts/worknote.h"
#include "print/renderer.h"
#include "tests/settlements/settlementfixture.h"
#include "tests/support/testdb.h"
#include "workshop/queries/workorderprint.h"

#include <QApplication>
#include <QFile>
#include <QTest>

using namespace workshop;
using namespace settletest;
using print::BandKind;

namespace {

// A saved cash settlement of L = 100, M = 50, rate 10, with a labour rate on its first line.
SettlementPrintData printedSettlement(store::Db &db)
{
    Settlement s = settlementOf(db, savedOrder(db, 100, 50, 10));
    s.lines[0].labourRate = 25;
    s.lines[0].hours = 4;
    applyLabourRate(s.lines[0]);
    s.remark = QStringLiteral("旧件已交客户");
    saveSettlement(db, s, newMode());
    return settlementPrintData(db, s.number, kDept);
}

QVariantMap workOrderValues()
{
    return {{"部门名称", kDept}, {"托修单编号", "000000000001"}, {"车牌号码", "粤A12345"},
            {"接车时间", QDate(2024, 5, 6)}, {"预计完工时间", QDate(2024, 5, 9)}, {"车型", "丰田凯美瑞"},
            {"接车里程", 86420}, {"托修单位", "顺达物流"}, {"联系手机", "13800138000"}, {"联系人", "陈先生"},
            {"接车前检查", "左前门刮痕"}, {"备注", "客户自带机油"}, {"业务接待", "李明"}};
}

} // namespace

class SettlementPrintsTest : public QObject {
    Q_OBJECT
private slots:
    void settlementWithAndWithoutLabourRate()
    {
        testsupport::TestDatabase t;
        const SettlementPrintData d = printedSettlement(t.db());
        for (const bool withRate : {true, false}) {
            const print::PageModel m = withRate ? print::TPrintPayNote1Form::build(d.values, d.lines)
                                                : print::TPrintPayNoteForm::build(d.values, d.lines);
            QCOMPARE(m.pageCount(), 1);
            const print::Page &p = m.pages[0];
            const QStringList header = p.texts(BandKind::PageHeader);
            QCOMPARE(header.first(), kDept);
            QVERIFY(header.contains(QStringLiteral("材料及工时费结算明细表")));
            QVERIFY(header.contains(d.values.value("结算单编号").toString()));
            QVERIFY(header.contains(QStringLiteral("现金")));                 // 结算类型
            QVERIFY(header.contains(QStringLiteral("2024-05-10")));           // 完工时间
            QVERIFY(header.contains(QStringLiteral("86420")));                // 接车里程 "######"

            QStringList columns{"维 修 项 目", "工时", "工时费", "材 料 名 称", "单位", "单 价", "数量", "材料金额"};
            if (withRate)
                columns.insert(1, QStringLiteral("工时单价"));
            QCOMPARE(p.texts(BandKind::ColumnHeader), columns);

            QStringList first{"更换机油", "4", "100.00"};
            if (withRate)
                first.insert(1, QStringLiteral("25"));
            QCOMPARE(p.texts(BandKind::Detail).mid(0, first.size()), first);
            QVERIFY(p.texts(BandKind::Detail).contains(QStringLiteral("全合成机油")));

            const QStringList summary = p.texts(BandKind::Summary);
            for (const char *text : {"￥100.00", "￥55.00", "壹佰伍拾伍元整", "￥155.00", "旧件已交客户", "王强", "赵刚",
                                     "制单员：", "客户签名："})
                QVERIFY2(summary.contains(QString::fromUtf8(text)), text);
        }
    }

    void workOrderPrintsNoPrices()
    {
        QList<QVariantMap> lines{
            {{"维修项目", "更换机油"}, {"工时", 1.5}, {"工时费", 80.0}, {"物品名称", "全合成机油"}, {"单位", "桶"},
             {"物品单价", 268.0}, {"物品数量", 1.0}, {"材料金额合计", 268.0}, {"备注", "4L"}},
            {{"维修项目", "四轮定位"}, {"工时", 1.0}, {"工时费", 120.0}}};
        const print::PageModel m = print::TPrintWorkNoteForm::build(workOrderValues(), lines);
        QCOMPARE(m.pageCount(), 1);
        const print::Page &p = m.pages[0];
        const QStringList header = p.texts(BandKind::PageHeader);
        QVERIFY(header.contains(QStringLiteral("派工单")));
        QVERIFY(header.contains(QStringLiteral("13800138000")));      // 联系手机, no label
        QVERIFY(header.contains(QStringLiteral("左前门刮痕")));
        QCOMPARE(p.texts(BandKind::ColumnHeader),
                 QStringList({"维 修 项 目", "工 时", "工时费", "材 料 名 称", "单位", "数 量", "备  注"}));
        QCOMPARE(p.texts(BandKind::Detail), QStringList({"更换机油", "全合成机油", "桶", "1", "4L", "四轮定位"}));
        const QString all = m.texts().join(QLatin1Char('|'));
        for (const char *price : {"80.00", "120.00", "268", "1.5", "￥"})
            QVERIFY2(!all.contains(QString::fromUtf8(price)), price);
        const QStringList summary = p.texts(BandKind::Summary);
        for (const char *text : {"客户自带机油", "李明", "维修技师：", "质检员：", "客户签名："})
            QVERIFY2(summary.contains(QString::fromUtf8(text)), text);
    }

    void workOrderOfASavedOrderNamesTheCompany()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        db.execWrite(QStringLiteral("INSERT INTO 部门信息 (部门编号, 部门名称) VALUES ('0001', '天河分店')"));
        const QString order = savedOrder(db, 100, 50, 10);
        const print::PageModel m = workOrderPages(db, order);
        const QStringList header = m.pages[0].texts(BandKind::PageHeader);
        QCOMPARE(header.first(), kDept);
        QVERIFY(header.contains(order));
        QVERIFY(!m.texts().join(QLatin1Char('|')).contains(QStringLiteral("100.00")));
        QVERIFY_THROWS_EXCEPTION(WorkshopError, workOrderPages(db, QStringLiteral("000000009999")));
    }

    void settlementRendersToPdf()
    {
        testsupport::TestDatabase t;
        const SettlementPrintData d = printedSettlement(t.db());
        const QString path = t.tempPath(QStringLiteral("settlement.pdf"));
        QVERIFY(print::writePdf(settlementPages(t.db(), d.values.value("结算单编号").toString(), kDept, true), path));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.read(5).startsWith("%PDF"));
    }
};

JC_TEST_MAIN(SettlementPrintsTest)
#include "tst_settlementprints.moc"
