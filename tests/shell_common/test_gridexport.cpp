// Grid export to a spreadsheet: what the written workbook holds, where the grid is left,
// and the messages of an empty grid and of a failed write or open.

#include "shell/common/datagrid.h"
#include "shell/common/gridexport.h"
#include "shell/common/linemodel.h"
#include "store/money.h"
#include "tests/shell_common/sampleforms.h"
#include "tests/shell_common/xlsxreader.h"
#include "tests/support/testdb.h"
#include "tests/support/ui/formfixture.h"
#include "tests/support/ui/uidriver.h"

#include <QFile>
#include <QTest>

using namespace testsupport;
namespace ui = testsupport::ui;
using store::Money;

namespace {

void addFee(store::Db &db, const QString &number, const QString &business, double service, double material)
{
    db.execWrite(QStringLiteral("INSERT INTO 现金帐表 (单据编号, 部门名称, 业务名称, 收费时间, 服务收费金额, 材料成本金额, "
                                "材料收费金额, 总收费金额, 收费人, 收费标志) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                 {number, QStringLiteral("骏程汽车维修中心"), business, QDate::currentDate(),
                  Money::fromDouble(service).toVariant(), Money::fromDouble(1).toVariant(),
                  Money::fromDouble(material).toVariant(), Money::fromDouble(service + material).toVariant(),
                  QStringLiteral("管理员"), true});
}

// Records what would have been opened instead of starting a program.
struct OpenerStub {
    QStringList opened;
    bool succeed = true;
    OpenerStub()
    {
        shell::setFileOpener([this](const QString &path) {
            opened.append(path);
            return succeed;
        });
    }
    ~OpenerStub() { shell::setFileOpener({}); }
};

const QStringList kVisibleTitles = {"单据编号", "业务名称", "服务时间", "服务收费金额", "材料收费金额",
                                    "总收费金额", "经办人", "部门名称"};

} // namespace

class TestGridExport : public QObject {
    Q_OBJECT
private slots:
    void oneRecordGivesTwoRowsOfVisibleColumns();
    void endsOnTheLastRecordOfALargeQuery();
    void lineGridExportsItsDisplayTexts();
    void emptyGridIsRefusedWithTheFormsMessage();
    void unwritableFileShowsTheErrorText();
    void noProgramToOpenShowsTheErrorAndThePath();
};

void TestGridExport::oneRecordGivesTwoRowsOfVisibleColumns()
{
    ui::FormFixture f;
    OpenerStub opener;
    addFee(f.db(), QStringLiteral("000000000007"), QStringLiteral("汽车维修"), 1234.5, 0.125);
    auto *form = f.show(new sample::FeeListForm(f.owner()));
    form->exportOptions.filePath = f.database().tempPath(QStringLiteral("one.xlsx"));
    QVERIFY(ui::click(form, QStringLiteral("导出")));

    QCOMPARE(opener.opened, QStringList{form->exportOptions.filePath});
    QCOMPARE(f.messages().count(), 0);
    const QList<QStringList> rows = sample::readFirstSheetTexts(form->exportOptions.filePath);
    QCOMPARE(rows.size(), 2);
    // Row 1: the shown titles, left to right, no gap where 材料成本金额 is hidden.
    QCOMPARE(rows[0], kVisibleTitles);
    QCOMPARE(rows[1].size(), kVisibleTitles.size());
    QCOMPARE(rows[1][0], QStringLiteral("000000000007"));    // a code stays text
    QCOMPARE(rows[1][2], QDate::currentDate().toString("yyyy-MM-dd"));
    QCOMPARE(rows[1][6], QStringLiteral("管理员"));

    // Figures are numbers whose cell format shows the grid's text.
    const auto cells = sample::readFirstSheet(form->exportOptions.filePath);
    const QStringList formats = sample::readCellFormats(form->exportOptions.filePath);
    auto shown = [&](int col) { return formats.value(cells[1][col].style); };
    QVERIFY(!cells[1][0].number);
    QVERIFY(cells[1][3].number);
    QCOMPARE(cells[1][3].text.toDouble(), 1234.5);
    QCOMPARE(shown(3), QStringLiteral("0.00"));              // "##0.00": 1234.50
    QCOMPARE(cells[1][4].text.toDouble(), 0.13);              // shown 0.13, written 0.13
    QCOMPARE(shown(5), QStringLiteral("#,##0.00"));          // "#,##0.00": 1,234.63
    QCOMPARE(form->grid->currentRow(), 0);
    form->close();
}

void TestGridExport::endsOnTheLastRecordOfALargeQuery()
{
    ui::FormFixture f;
    OpenerStub opener;
    {
        store::Transaction t(f.db());
        for (int i = 1; i <= 600; ++i)
            addFee(f.db(), QStringLiteral("%1").arg(i, 12, 10, QLatin1Char('0')), QStringLiteral("汽车维修"), i, 0);
        t.commit();
    }
    auto *form = f.show(new sample::FeeListForm(f.owner()));
    form->grid->setCurrentRow(5);
    shell::ExportOptions options;
    options.filePath = f.database().tempPath(QStringLiteral("many.xlsx"));
    QCOMPARE(shell::exportGrid(form->grid, options), shell::ExportResult::Opened);
    QCOMPARE(form->grid->currentRow(), 599);
    QCOMPARE(form->grid->currentValue(QStringLiteral("单据编号")).toString(), QStringLiteral("000000000600"));
    const QList<QStringList> rows = sample::readFirstSheetTexts(options.filePath);
    QCOMPARE(rows.size(), 601);
    QCOMPARE(rows.last().first(), QStringLiteral("000000000600"));
    QCOMPARE(rows.last()[3].toDouble(), 600.0);
    form->close();
}

void TestGridExport::lineGridExportsItsDisplayTexts()
{
    OpenerStub opener;
    QTemporaryDir dir;
    shell::LineModel lines({{QStringLiteral("维修项目")}, {QStringLiteral("工时费"), shell::LineField::Money},
                            {QStringLiteral("物品数量"), shell::LineField::Number}});
    lines.appendLine({{QStringLiteral("维修项目"), QStringLiteral("换机油")}, {QStringLiteral("工时费"), QStringLiteral("12.5")},
                      {QStringLiteral("物品数量"), 4}});
    shell::DataGrid grid;
    grid.setColumns({{QStringLiteral("维修项目")}, {QStringLiteral("工时费"), {}, QStringLiteral("##.##")},
                     {QStringLiteral("物品数量"), QStringLiteral("数量"), QStringLiteral("##0.000")}});
    grid.setModel(&lines);
    shell::ExportOptions options;
    options.filePath = dir.filePath(QStringLiteral("lines.xlsx"));
    QCOMPARE(shell::exportGrid(&grid, options), shell::ExportResult::Opened);
    const auto cells = sample::readFirstSheet(options.filePath);
    const QStringList formats = sample::readCellFormats(options.filePath);
    QCOMPARE(cells.size(), 2);
    QCOMPARE(cells[0][2].text, QStringLiteral("数量"));
    QCOMPARE(cells[1][1].text.toDouble(), 12.5);
    QCOMPARE(formats.value(cells[1][1].style), QStringLiteral("0.0"));     // "##.##" shows 12.5
    QCOMPARE(formats.value(cells[1][2].style), QStringLiteral("0.000"));   // 4.000
}

void TestGridExport::emptyGridIsRefusedWithTheFormsMessage()
{
    ui::FormFixture f;
    OpenerStub opener;
    auto *form = f.show(new sample::FeeListForm(f.owner()));
    form->exportOptions.emptyMessage = QStringLiteral("没有数据可以导出!");
    form->exportOptions.filePath = f.database().tempPath(QStringLiteral("empty.xlsx"));
    QVERIFY(ui::click(form, QStringLiteral("导出")));
    QCOMPARE(f.messages().texts(), QStringList{QStringLiteral("没有数据可以导出!")});
    QVERIFY(!QFile::exists(form->exportOptions.filePath));
    QVERIFY(opener.opened.isEmpty());

    // The standard text when the form names none.
    shell::DataGrid grid;
    QCOMPARE(shell::exportGrid(&grid), shell::ExportResult::Empty);
    QCOMPARE(f.messages().lastText(), QStringLiteral("没有记录可以导出,谢谢合作!"));
    form->close();
}

void TestGridExport::unwritableFileShowsTheErrorText()
{
    ui::FormFixture f;
    OpenerStub opener;
    addFee(f.db(), QStringLiteral("000000000001"), QStringLiteral("汽车维修"), 1, 1);
    auto *form = f.show(new sample::FeeListForm(f.owner()));
    form->exportOptions.filePath = f.database().tempPath(QStringLiteral("no/such/folder/x.xlsx"));
    form->exportOptions.errorText = QStringLiteral("错误，请确认已经安装EXCEL2000以上程序!");
    QVERIFY(ui::click(form, QStringLiteral("导出")));
    QCOMPARE(f.messages().count(), 1);
    QVERIFY(f.messages().lastText().startsWith(QStringLiteral("错误，请确认已经安装EXCEL2000以上程序!")));
    QCOMPARE(f.messages().shown().last().icon, QMessageBox::Critical);
    QVERIFY(opener.opened.isEmpty());
    form->close();
}

void TestGridExport::noProgramToOpenShowsTheErrorAndThePath()
{
    ui::FormFixture f;
    OpenerStub opener;
    opener.succeed = false;
    addFee(f.db(), QStringLiteral("000000000001"), QStringLiteral("汽车维修"), 1, 1);
    auto *form = f.show(new sample::FeeListForm(f.owner()));
    const QString path = f.database().tempPath(QStringLiteral("kept.xlsx"));
    form->exportOptions.filePath = path;
    QVERIFY(ui::click(form, QStringLiteral("导出")));
    QCOMPARE(f.messages().count(), 1);
    const QString text = f.messages().lastText();
    QVERIFY(text.startsWith(QStringLiteral("错误，请确认已经安装EXCEL电子表格软件.")));
    QVERIFY(text.contains(QDir::toNativeSeparators(path)));
    QCOMPARE(sample::readFirstSheetTexts(path).size(), 2);   // the file is there for the user
    form->close();
}

JC_TEST_MAIN(TestGridExport)
#include "test_gridexport.moc"
