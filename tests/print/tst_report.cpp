#include "print/examplenote.h"
#include "print/pagemodel.h"
#include "print/preview.h"
#include "print/renderer.h"
#include "print/rowsource.h"
#include "store/money.h"
#include "tests/support/testdb.h"

#include <QApplication>
#include <QFile>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardItemModel>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace print;
using store::Money;

namespace {

// A list report: company header and column titles on every page, a title block on the
// first, numbered lines, a page footer with page numbers.
// Geometry: 277 mm of body; header 20, title 30, column header 8, footer 8, lines 7 mm:
// 30 lines fit on the first page and 34 on each further page.
Report listReport()
{
    Report r;
    r.name = QStringLiteral("清单");
    r.page = PageSetup::a4Portrait();
    r.pageHeader.value({0, 0, 190, 12}, QStringLiteral("部门名称"), {}, {.pt = 16, .bold = true, .align = Align::Center});
    r.pageHeader.height = 20;
    r.title.label({0, 0, 190, 10}, QStringLiteral("物品清单"));
    r.title.height = 30;
    addTable(r, {{"序号", "序号", 20}, {"物品名称", "物品名称", 100}, {"金额", "金额", 70, "##0.00", Align::Right}});
    r.pageFooter.label({0, 2, 190, 6}, QStringLiteral("第 {page} 页 / 共 {pages} 页"), {.align = Align::Center});
    return r;
}

MapRows numberedRows(int count)
{
    MapRows rows;
    for (int i = 1; i <= count; ++i)
        rows.append({{"序号", i}, {"物品名称", QStringLiteral("物品%1").arg(i)}, {"金额", Money::fromYuan(i).toVariant()}});
    return rows;
}

QStringList lineNumbersOn(const Page &page)
{
    QStringList out;
    for (const PageItem &item : page.items)
        if (item.band == BandKind::Detail && item.rect.width() == 20)
            out << item.text;
    return out;
}

bool containsInOrder(const QStringList &texts, const QStringList &expected, QString *missing)
{
    qsizetype at = 0;
    for (const QString &e : expected) {
        at = texts.indexOf(e, at);
        if (at < 0) {
            *missing = e;
            return false;
        }
        ++at;
    }
    return true;
}

} // namespace

class ReportTest : public QObject {
    Q_OBJECT
private slots:
    void longDetailRunsOverPagesWithHeadersRepeated()
    {
        const PageModel model = buildPages(listReport(), numberedRows(120), {{"部门名称", "骏程汽车维修中心"}});
        QCOMPARE(model.pageCount(), 4);
        const int expectedLines[] = {30, 34, 34, 22};
        int next = 1;
        for (int p = 0; p < model.pageCount(); ++p) {
            const Page &page = model.pages[p];
            QCOMPARE(page.texts(BandKind::PageHeader), QStringList{"骏程汽车维修中心"});
            QCOMPARE(page.texts(BandKind::Title).isEmpty(), p != 0);
            QCOMPARE(page.texts(BandKind::ColumnHeader), (QStringList{"序号", "物品名称", "金额"}));
            QCOMPARE(page.texts(BandKind::PageFooter), QStringList{QStringLiteral("第 %1 页 / 共 4 页").arg(p + 1)});
            const QStringList numbers = lineNumbersOn(page);
            QCOMPARE(numbers.size(), expectedLines[p]);
            for (const QString &n : numbers)
                QCOMPARE(n, QString::number(next++));
            // Every line stays above the page footer and inside the paper.
            qreal footerTop = 1e9;
            for (const PageItem &item : page.items)
                if (item.band == BandKind::PageFooter) footerTop = std::min(footerTop, item.rect.top());
            for (const PageItem &item : page.items)
                if (item.band == BandKind::Detail) QVERIFY(item.rect.bottom() <= footerTop + 1e-6);
            QVERIFY(footerTop < 297 - 10);
        }
        QCOMPARE(next, 121);
    }

    void summaryThatDoesNotFitGoesOverWithoutColumnHeader()
    {
        Report r = listReport();
        r.summary.label({0, 0, 30, 7}, QStringLiteral("合计")).sum({120, 0, 70, 7}, QStringLiteral("金额"), "##0.00");
        r.summary.height = 20;
        // 30 lines fill the first page exactly; the summary needs a page of its own.
        const PageModel model = buildPages(r, numberedRows(30));
        QCOMPARE(model.pageCount(), 2);
        QVERIFY(model.pages[1].texts(BandKind::ColumnHeader).isEmpty());
        QCOMPARE(model.pages[1].texts(BandKind::Summary), (QStringList{"合计", "465.00"}));
        QCOMPARE(model.pages[1].texts(BandKind::PageFooter), QStringList{"第 2 页 / 共 2 页"});
    }

    void groupsAndPageFooterSumTheirOwnRows()
    {
        Report r;
        r.page = PageSetup::a4Landscape();
        Group byWarehouse;
        byWarehouse.key = QStringLiteral("仓库");
        byWarehouse.header.label({0, 0, 20, 6}, QStringLiteral("仓库：")).field({20, 0, 60, 6}, QStringLiteral("仓库"));
        byWarehouse.footer.label({0, 0, 20, 6}, QStringLiteral("小计")).sum({20, 0, 40, 6}, QStringLiteral("金额"), "#,##0.00");
        r.groups.push_back(byWarehouse);
        r.detail.field({0, 0, 40, 6}, QStringLiteral("物品名称")).field({40, 0, 40, 6}, QStringLiteral("金额"), "##0.00");
        r.summary.label({0, 0, 20, 6}, QStringLiteral("总计")).sum({20, 0, 40, 6}, QStringLiteral("金额"), "#,##0.00");
        r.pageFooter.label({0, 0, 20, 6}, QStringLiteral("本页")).sum({20, 0, 40, 6}, QStringLiteral("金额"), "##0.00");

        MapRows rows({{{"仓库", "一号库"}, {"物品名称", "机油"}, {"金额", "1000.10"}},
                      {{"仓库", "一号库"}, {"物品名称", "滤芯"}, {"金额", 0.2}},
                      {{"仓库", "二号库"}, {"物品名称", "轮胎"}, {"金额", Money::fromUnits(25).toVariant()}}});
        const PageModel model = buildPages(r, rows);
        QCOMPARE(model.pageCount(), 1);
        QCOMPARE(model.texts(), (QStringList{"仓库：", "一号库", "机油", "1000.10", "滤芯", "0.20", "小计", "1,000.30",
                                             "仓库：", "二号库", "轮胎", "0.00", "小计", "0.00",
                                             "总计", "1,000.30", "本页", "1000.30"}));
    }

    void emptyReportPrintsOnlyWhenAsked()
    {
        Report r = listReport();
        PageModel model = buildPages(r, MapRows());
        QCOMPARE(model.pageCount(), 1);
        QCOMPARE(model.pages[0].texts(BandKind::Title), QStringList{"物品清单"});
        r.printWhenEmpty = false;
        model = buildPages(r, MapRows());
        QVERIFY(model.isEmpty());
        QString error;
        QVERIFY(!writePdf(model, QDir::temp().filePath("never.pdf"), &error));
        QVERIFY(!error.isEmpty());
    }

    void conditionsHideItemsAndBands()
    {
        Report r;
        r.title.label({0, 0, 50, 8}, QStringLiteral("出库单"))
            .label({50, 0, 30, 8}, QStringLiteral("（未付款）"))
            .onlyIf([](const Context &c) { return c.value("付款标志").toInt() == 0; });
        r.summary.label({0, 0, 50, 8}, QStringLiteral("有备注"));
        r.summary.when = [](const Context &c) { return !c.value("备注").toString().isEmpty(); };
        QCOMPARE(buildPages(r, QVariantMap{{"付款标志", 0}}).texts(), (QStringList{"出库单", "（未付款）"}));
        QCOMPARE(buildPages(r, QVariantMap{{"付款标志", 1}, {"备注", "x"}}).texts(), (QStringList{"出库单", "有备注"}));
    }

    void rowsComeFromModelsAndQueries()
    {
        QStandardItemModel grid(2, 2);
        grid.setHorizontalHeaderLabels({"物品名称", "物品数量"});
        grid.setData(grid.index(0, 0), "机油");
        grid.setData(grid.index(0, 1), 1.5);
        grid.setData(grid.index(1, 0), "滤芯");
        grid.setData(grid.index(1, 1), 2);
        Report r;
        r.detail.field({0, 0, 40, 6}, "物品名称").field({40, 0, 20, 6}, "物品数量", "##0.000");
        QCOMPARE(buildPages(r, ModelRows(grid)).texts(), (QStringList{"机油", "1.500", "滤芯", "2.000"}));
        QCOMPARE(buildPages(r, ModelRows(grid, {"物品数量", "物品名称"})).texts(),
                 (QStringList{"1.5", "机油", "2", "滤芯"}));   // names given per column win

        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "rows");
            db.setDatabaseName(":memory:");
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(q.exec("SELECT '机油' AS 物品名称, 1.5 AS 物品数量 UNION ALL SELECT '滤芯', 2"));
            QCOMPARE(buildPages(r, MapRows::fromQuery(q)).texts(), (QStringList{"机油", "1.500", "滤芯", "2.000"}));
        }
        QSqlDatabase::removeDatabase("rows");
    }

    void exampleNoteHoldsItsTextsInOrder()
    {
        const PageModel model = buildExampleNote();
        QCOMPARE(model.pageCount(), 1);
        const QStringList texts = model.texts();
        const QStringList expected{
            "骏程汽车维修中心", "托 修 单", "单号：", "000000000123",
            "托修单号", "000000000123", "车牌号码", "粤A·D1234", "接车时间", "2024-05-06", "预计完工时间", "2024-05-07",
            "车型", "丰田凯美瑞 2.5L", "接车里程", "86420", "车主", "广州市顺达物流有限公司",
            "接车前检查", "左前门轻微刮痕，油表约 1/4，随车工具齐全",
            "维 修 项 目", "工 时", "工时费", "材 料 名 称", "单位", "单 价", "数量", "材料金额",
            "更换机油机滤", "0.5", "30.00", "全合成机油 5W-30 4L", "桶", "268.00", "1", "268.00",
            "机油滤清器", "个", "45.00", "1", "45.00",
            "四轮定位", "1", "120.00",
            "刹车油 DOT4", "瓶", "58.00", "0.5", "29.00",
            "左前门钣金喷漆", "4", "400.00", "面漆", "升", "180.00", "0.25", "45.00",
            "工时费合计", "￥780.00", "材料金额合计", "￥877.00",
            "总   计", "（大写）", "壹仟陆佰伍拾柒元整", "（小写）", "￥1657.00",
            "备注", "旧件已交客户带走。下次保养里程 91420 公里。",
            "业务接待：", "李明", "维修技师：", "王强", "质检员：", "赵刚", "客户签名：",
            "地址：", "广州市天河区中山大道西 88 号", "电话：", "020-38881234", "传真：", "020-38881235",
            "第 1 页  共 1 页"};
        QString missing;
        QVERIFY2(containsInOrder(texts, expected, &missing), qPrintable("missing or out of order: " + missing));
        // A material-only line prints no labour texts.
        QCOMPARE(model.pages[0].texts(BandKind::Detail).mid(8, 5), (QStringList{"机油滤清器", "个", "45.00", "1", "45.00"}));
    }

    void exampleNoteWithManyLinesCarriesHeaderAndTotalsOver()
    {
        const PageModel model = buildExampleNote(70);
        QVERIFY(model.pageCount() >= 2);
        for (const Page &page : model.pages) {
            QCOMPARE(page.texts(BandKind::PageHeader).first(), QString("骏程汽车维修中心"));
            QCOMPARE(page.texts(BandKind::ColumnHeader).first(), QString("维 修 项 目"));
        }
        QVERIFY(model.pages[1].texts(BandKind::Title).isEmpty());
        QVERIFY(model.pages.back().texts(BandKind::Summary).contains("￥16570.00"));
        QVERIFY(model.pages.back().texts(BandKind::Summary).contains("壹万陆仟伍佰柒拾元整"));
    }

    void pdfIsWrittenWithChineseText()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("托修单.pdf");
        const PageModel model = buildExampleNote(70);
        QString error;
        QVERIFY2(writePdf(model, path, &error), qPrintable(error));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray pdf = file.readAll();
        QVERIFY(pdf.startsWith("%PDF"));
        QVERIFY(pdf.size() > 10000);
        const QRegularExpression pageObject("/Type\\s*/Page(?!s)");
        int pageObjects = 0;
        for (auto it = pageObject.globalMatch(QString::fromLatin1(pdf)); it.hasNext(); it.next())
            ++pageObjects;
        QCOMPARE(pageObjects, model.pageCount());

        const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
        if (pdftotext.isEmpty())
            QSKIP("pdftotext is not installed; the text of the PDF was not read back");
        QProcess p;
        p.start(pdftotext, {"-f", "1", "-l", "1", path, "-"});
        QVERIFY(p.waitForFinished(30000));
        const QString text = QString::fromUtf8(p.readAllStandardOutput());
        // Text is embedded, not outlines. (Qt's PDF writer maps a few ideographs that share
        // a glyph with a radical, like 车, back to the radical; these words have none.)
        QVERIFY2(text.contains("托修单号"), qPrintable(text.left(300)));
        QVERIFY(text.contains("000000000123"));
    }

    void pageImageIsPainted()
    {
        const QImage image = renderPage(buildExampleNote(), 0, 60);
        QCOMPARE(image.size(), QSize(qRound(210 * 60 / 25.4), qRound(297 * 60 / 25.4)));
        int dark = 0;
        for (int y = 0; y < image.height(); y += 2)
            for (int x = 0; x < image.width(); x += 2)
                if (qGray(image.pixel(x, y)) < 128) ++dark;
        QVERIFY(dark > 500);
    }

    void previewShowsEveryPage()
    {
        PreviewDialog dialog(buildExampleNote(70));
        auto *widget = dialog.findChild<QPrintPreviewWidget *>();
        QVERIFY(widget);
        widget->updatePreview();
        QCOMPARE(widget->pageCount(), dialog.model().pageCount());
    }
};

JC_TEST_MAIN(ReportTest)
#include "tst_report.moc"
