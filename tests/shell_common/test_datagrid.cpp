// The data grid: titles, masks, hidden and frozen columns, footers over a lazily fetched
// query and over the in-memory line grid, editing rules and the find dialog.

#include "shell/common/datagrid.h"
#include "shell/common/datebox.h"
#include "shell/common/gridfind.h"
#include "shell/common/gridproxy.h"
#include "shell/common/gridview.h"
#include "shell/common/linemodel.h"
#include "shell/common/querymodel.h"
#include "store/money.h"
#include "tests/shell_common/sampleforms.h"
#include "tests/support/testdb.h"
#include "tests/support/ui/formfixture.h"
#include "tests/support/ui/uidriver.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

using namespace testsupport;
namespace ui = testsupport::ui;
using store::Money;

namespace {

struct Fee {
    QString number, business;
    QDate date;
    double service, cost, material;
};

void addFees(store::Db &db, const QList<Fee> &fees)
{
    store::Transaction t(db);
    for (const Fee &f : fees) {
        db.execWrite(QStringLiteral("INSERT INTO 现金帐表 (单据编号, 部门名称, 业务名称, 收费时间, 服务收费金额, 材料成本金额, "
                                    "材料收费金额, 总收费金额, 收费人, 收费标志) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                     {f.number, QStringLiteral("骏程汽车维修中心"), f.business, f.date,
                      Money::fromDouble(f.service).toVariant(), Money::fromDouble(f.cost).toVariant(),
                      Money::fromDouble(f.material).toVariant(), Money::fromDouble(f.service + f.material).toVariant(),
                      QStringLiteral("管理员"), true});
    }
    t.commit();
}

QList<Fee> threeFees()
{
    const QDate today = QDate::currentDate();
    return {{QStringLiteral("000000000001"), QStringLiteral("汽车维修"), today.addDays(-3), 100.5, 40, 1200},
            {QStringLiteral("000000000002"), QStringLiteral("物品销售"), today.addDays(-1), 0, 7.25, 19.999},
            {QStringLiteral("000000000003"), QStringLiteral("汽车美容服务"), today, 30, 0, 0}};
}

QList<shell::LineField> repairLineFields()
{
    using shell::LineField;
    return {{QStringLiteral("维修项目"), LineField::Text, 100},
            {QStringLiteral("工时"), LineField::Number},
            {QStringLiteral("工时费"), LineField::Money},
            {QStringLiteral("物品名称"), LineField::Text, 100},
            {QStringLiteral("物品单价"), LineField::Money},
            {QStringLiteral("物品数量"), LineField::Number},
            {QStringLiteral("物品成本价"), LineField::Money},
            {QStringLiteral("材料金额合计"), LineField::Money, 0,
             [](const QVariantMap &l) {
                 return Money::fromVariant(l.value(QStringLiteral("物品单价")))
                     .times(l.value(QStringLiteral("物品数量")).toDouble())
                     .toVariant();
             }},
            {QStringLiteral("备注"), LineField::Text, 100}};
}

} // namespace

class TestDataGrid : public QObject {
    Q_OBJECT
private slots:
    void titlesMasksAndColumnOrder();
    void frozenColumnsStayLeft();
    void footerOverAQueryComesFromOneAggregate();
    void largeResultIsFetchedLazily();
    void lineGridComputesAndSums();
    void lineGridEditingRules();
    void readOnlyUnlessTheFormSaysOtherwise();
    void findDialog();
    void doubleClickActivatesARow();
    void footerGridScreenshot();
};

void TestDataGrid::titlesMasksAndColumnOrder()
{
    ui::FormFixture f;
    addFees(f.db(), threeFees());
    sample::FeeListForm *form = f.show(new sample::FeeListForm(f.owner()));
    shell::DataGrid *grid = form->grid;
    QCOMPARE(grid->rowCount(), 3);

    QStringList titles;
    for (int c : grid->visibleColumns())
        titles.append(grid->columnTitle(c));
    // Declared order; the hidden 材料成本金额 and the undeclared fields (流水号, ...) are not shown.
    QCOMPARE(titles, (QStringList{"单据编号", "业务名称", "服务时间", "服务收费金额", "材料收费金额", "总收费金额",
                                  "经办人", "部门名称"}));
    QCOMPARE(grid->displayText(0, QStringLiteral("服务收费金额")), QStringLiteral("100.50"));
    QCOMPARE(grid->displayText(0, QStringLiteral("总收费金额")), QStringLiteral("1,300.50"));
    QCOMPARE(grid->displayText(1, QStringLiteral("材料收费金额")), QStringLiteral("20.00"));   // 19.999
    QCOMPARE(grid->displayText(2, QStringLiteral("收费时间")), QDate::currentDate().toString("yyyy-MM-dd"));
    QCOMPARE(grid->displayText(0, QStringLiteral("业务名称")), QStringLiteral("汽车维修"));
    // Values stay raw for the form.
    QCOMPARE(Money::fromVariant(grid->value(0, QStringLiteral("服务收费金额"))), Money::fromDouble(100.5));
    // Figures are right-aligned, texts left.
    const QModelIndex amount = grid->proxy()->index(0, grid->proxy()->columnOf(QStringLiteral("服务收费金额")));
    QVERIFY(grid->proxy()->data(amount, Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight);

    // Hiding a column later takes it out of the shown ones.
    grid->setColumnHidden(QStringLiteral("部门名称"), true);
    QVERIFY(!grid->visibleColumns().contains(grid->proxy()->columnOf(QStringLiteral("部门名称"))));
    form->close();
}

void TestDataGrid::frozenColumnsStayLeft()
{
    ui::FormFixture f;
    addFees(f.db(), threeFees());
    sample::FeeListForm *form = f.show(new sample::FeeListForm(f.owner()));
    shell::GridView *view = form->grid->view();
    const QList<int> frozen = view->frozenLogicalColumns();
    QCOMPARE(frozen, (QList<int>{form->grid->proxy()->columnOf(QStringLiteral("单据编号")),
                                 form->grid->proxy()->columnOf(QStringLiteral("业务名称"))}));
    QVERIFY(view->frozenView()->isVisible());
    QVERIFY(!view->frozenView()->isColumnHidden(frozen[0]));
    QVERIFY(view->frozenView()->isColumnHidden(form->grid->proxy()->columnOf(QStringLiteral("收费人"))));
    const int width = view->columnWidth(frozen[0]) + view->columnWidth(frozen[1]);
    QCOMPARE(view->frozenView()->width(), width);
    // Scrolling sideways leaves the frozen view where it is.
    const QPoint before = view->frozenView()->pos();
    view->resize(300, view->height());
    view->horizontalScrollBar()->setValue(view->horizontalScrollBar()->maximum());
    QCOMPARE(view->frozenView()->pos(), before);
    form->close();
}

void TestDataGrid::footerOverAQueryComesFromOneAggregate()
{
    ui::FormFixture f;
    addFees(f.db(), threeFees());
    sample::FeeListForm *form = f.show(new sample::FeeListForm(f.owner()));
    shell::DataGrid *grid = form->grid;
    QCOMPARE(grid->footerText(QStringLiteral("单据编号")), QStringLiteral("总计"));
    QCOMPARE(grid->footerText(QStringLiteral("业务名称")), QStringLiteral("3"));
    QCOMPARE(grid->footerText(QStringLiteral("服务收费金额")), QStringLiteral("130.50"));
    QCOMPARE(grid->footerText(QStringLiteral("材料收费金额")), QStringLiteral("1220.00"));   // sum mask without grouping
    QCOMPARE(grid->footerText(QStringLiteral("总收费金额")), QStringLiteral("1350.50"));
    QCOMPARE(grid->footerText(QStringLiteral("收费人")), QString());

    // A narrower date range: the footer follows the new query.
    form->fromBox->setDate(QDate::currentDate().addDays(-1));
    form->runQuery();
    QCOMPARE(grid->footerText(QStringLiteral("业务名称")), QStringLiteral("2"));
    QCOMPARE(grid->footerText(QStringLiteral("服务收费金额")), QStringLiteral("30.00"));

    // An empty result sums to zero.
    form->fromBox->setDate(QDate::currentDate().addDays(1));
    form->runQuery();
    QVERIFY(grid->isEmpty());
    QCOMPARE(grid->footerText(QStringLiteral("业务名称")), QStringLiteral("0"));
    QCOMPARE(grid->footerText(QStringLiteral("服务收费金额")), QStringLiteral("0.00"));
    form->close();
}

void TestDataGrid::largeResultIsFetchedLazily()
{
    ui::FormFixture f;
    QList<Fee> fees;
    const QDate today = QDate::currentDate();
    for (int i = 1; i <= 3000; ++i)
        fees.append({QStringLiteral("%1").arg(i, 12, 10, QLatin1Char('0')), QStringLiteral("汽车维修"), today, 1.25, 0, 0});
    addFees(f.db(), fees);
    sample::FeeListForm *form = f.show(new sample::FeeListForm(f.owner()));
    shell::DataGrid *grid = form->grid;
    if (f.db().isSqlite()) {
        // The first screen does not load every row.
        QVERIFY2(grid->rowCount() < 3000, qPrintable(QString::number(grid->rowCount())));
        QVERIFY(grid->queryModel()->canFetchMore());
    }
    QCOMPARE(grid->footerText(QStringLiteral("业务名称")), QStringLiteral("3000"));
    QCOMPARE(grid->footerText(QStringLiteral("服务收费金额")), QStringLiteral("3750.00"));
    // Going to a far row fetches what is needed.
    grid->setCurrentRow(2999);
    QCOMPARE(grid->currentRow(), 2999);
    QCOMPARE(grid->currentValue(QStringLiteral("单据编号")).toString(), QStringLiteral("000000003000"));
    form->close();
}

void TestDataGrid::lineGridComputesAndSums()
{
    shell::LineModel lines(repairLineFields());
    shell::DataGrid grid;
    grid.setColumns({{QStringLiteral("维修项目")},
                     {QStringLiteral("工时"), {}, QStringLiteral("##.##")},
                     {QStringLiteral("工时费"), {}, QStringLiteral("##.##")},
                     {QStringLiteral("物品名称")},
                     {QStringLiteral("物品单价"), QStringLiteral("单价"), QStringLiteral("##.##")},
                     {QStringLiteral("物品数量"), QStringLiteral("数量"), QStringLiteral("##.###")},
                     {QStringLiteral("材料金额合计"), QStringLiteral("金额合计"), QStringLiteral("##0.00"), {}, false, true},
                     {QStringLiteral("备注")}});
    grid.setFooter(QStringLiteral("维修项目"), shell::FooterCell::label(QStringLiteral("合  计")));
    grid.setFooter(QStringLiteral("工时费"), shell::FooterCell::sum(QStringLiteral("##0.00")));
    grid.setFooter(QStringLiteral("材料金额合计"), shell::FooterCell::sum(QStringLiteral("##0.00")));
    grid.setModel(&lines);

    lines.appendLine({{QStringLiteral("维修项目"), QStringLiteral("换机油")}, {QStringLiteral("工时费"), 10.1},
                      {QStringLiteral("物品名称"), QStringLiteral("机油")}, {QStringLiteral("物品单价"), QStringLiteral("35.5")},
                      {QStringLiteral("物品数量"), 4}});
    lines.appendLine({{QStringLiteral("维修项目"), QStringLiteral("补胎")}, {QStringLiteral("工时费"), Money::fromDouble(20.2).toVariant()},
                      {QStringLiteral("工时"), 1.5}});
    QCOMPARE(lines.value(0, QStringLiteral("材料金额合计")).value<Money>(), Money::fromYuan(142));
    QCOMPARE(lines.value(1, QStringLiteral("材料金额合计")).value<Money>(), Money());
    QCOMPARE(grid.footerText(QStringLiteral("维修项目")), QStringLiteral("合  计"));
    QCOMPARE(grid.footerText(QStringLiteral("工时费")), QStringLiteral("30.30"));
    QCOMPARE(grid.footerFigure(QStringLiteral("工时费")).value<Money>(), Money::fromDouble(30.3));   // exact
    QCOMPARE(grid.footerText(QStringLiteral("材料金额合计")), QStringLiteral("142.00"));
    QCOMPARE(grid.displayText(0, QStringLiteral("物品单价")), QStringLiteral("35.5"));   // "##.##"
    QCOMPARE(grid.displayText(0, QStringLiteral("物品数量")), QStringLiteral("4"));
    QCOMPARE(grid.displayText(1, QStringLiteral("工时")), QStringLiteral("1.5"));

    // Editing a price recomputes the line and the footer; removing a line too.
    QVERIFY(lines.setValue(0, QStringLiteral("物品单价"), QStringLiteral("36")));
    QCOMPARE(grid.footerText(QStringLiteral("材料金额合计")), QStringLiteral("144.00"));
    lines.removeLine(0);
    QCOMPARE(grid.footerText(QStringLiteral("工时费")), QStringLiteral("20.20"));
    QCOMPARE(grid.footerText(QStringLiteral("材料金额合计")), QStringLiteral("0.00"));
    QCOMPARE(lines.moneySum(QStringLiteral("工时费")), Money::fromDouble(20.2));
    lines.clear();
    QCOMPARE(grid.footerText(QStringLiteral("工时费")), QStringLiteral("0.00"));
}

void TestDataGrid::lineGridEditingRules()
{
    shell::LineModel lines(repairLineFields());
    const int row = lines.appendLine({{QStringLiteral("维修项目"), QString(60, QChar(0x6362))}});   // 60 Chinese characters
    QCOMPARE(lines.value(row, QStringLiteral("维修项目")).toString().size(), 50);              // 100 GBK bytes
    QVERIFY(!lines.setValue(row, QStringLiteral("物品数量"), QStringLiteral("abc")));
    QVERIFY(!lines.setValue(row, QStringLiteral("材料金额合计"), 5));                          // computed
    QVERIFY(lines.setValue(row, QStringLiteral("物品数量"), QStringLiteral("2.5")));
    QCOMPARE(lines.value(row, QStringLiteral("物品数量")).toDouble(), 2.5);
    QVERIFY(lines.setValue(row, QStringLiteral("物品数量"), QString()));
    QVERIFY(lines.value(row, QStringLiteral("物品数量")).isNull());
    QSignalSpy changed(&lines, &shell::LineModel::linesChanged);
    lines.setValue(row, QStringLiteral("备注"), QStringLiteral("急"));
    QCOMPARE(changed.count(), 1);

    // In the grid, number cells take digits only.
    shell::DataGrid grid;
    grid.setModel(&lines);
    grid.setReadOnly(false);
    grid.resize(600, 200);
    grid.show();
    const QModelIndex cell = grid.proxy()->index(row, lines.fieldIndex(QStringLiteral("物品数量")));
    grid.view()->setCurrentIndex(cell);
    grid.view()->edit(cell);
    auto *editor = grid.view()->findChild<QLineEdit *>();
    QVERIFY(editor);
    editor->clear();
    QTest::keyClicks(editor, QStringLiteral("3x.5"));
    QCOMPARE(editor->text(), QStringLiteral("3.5"));
}

void TestDataGrid::readOnlyUnlessTheFormSaysOtherwise()
{
    shell::LineModel lines(repairLineFields());
    lines.appendLine({{QStringLiteral("维修项目"), QStringLiteral("洗车")}});
    shell::DataGrid grid;
    grid.setColumns({{QStringLiteral("维修项目")}, {QStringLiteral("工时费")}, {QStringLiteral("备注"), {}, {}, {}, false, true},
                     {QStringLiteral("材料金额合计")}});
    grid.setModel(&lines);
    auto editable = [&](const char *field) {
        const QModelIndex i = grid.proxy()->index(0, grid.proxy()->columnOf(QString::fromUtf8(field)));
        return bool(grid.proxy()->flags(i) & Qt::ItemIsEditable);
    };
    QVERIFY(grid.isReadOnly());
    QVERIFY(!editable("维修项目"));
    QCOMPARE(grid.view()->editTriggers(), QAbstractItemView::NoEditTriggers);
    grid.setReadOnly(false);
    QVERIFY(editable("维修项目"));
    QVERIFY(editable("工时费"));
    QVERIFY(!editable("备注"));           // the column stays read-only
    QVERIFY(!editable("材料金额合计"));    // computed
}

void TestDataGrid::findDialog()
{
    ui::FormFixture f;
    addFees(f.db(), threeFees());
    sample::FeeListForm *form = f.show(new sample::FeeListForm(f.owner()));
    shell::DataGrid *grid = form->grid;
    QCOMPARE(grid->find(QStringLiteral("美容")), 2);
    QCOMPARE(grid->find(QStringLiteral("0000000000")), 0);
    QCOMPARE(grid->find(QStringLiteral("0000000000"), {}, 1), 1);
    QCOMPARE(grid->find(QStringLiteral("维修"), QStringLiteral("单据编号")), -1);
    QCOMPARE(grid->find(QStringLiteral("1,300.50")), 0);      // what the grid shows, not the raw value

    // Ctrl+F inside the grid opens the dialog; it moves to the next match.
    grid->setCurrentRow(0);
    ui::activate(form);
    grid->setFocus();
    QTest::keyClick(grid->view(), Qt::Key_F, Qt::ControlModifier);
    auto *dialog = grid->findChild<shell::GridFindDialog *>();
    QVERIFY(dialog && dialog->isVisible());
    dialog->textBox()->setText(QStringLiteral("美容"));
    QVERIFY(dialog->findNext());
    QCOMPARE(grid->currentRow(), 2);
    ui::MessageRecorder messages;
    dialog->textBox()->setText(QStringLiteral("没有的"));
    QVERIFY(!dialog->findNext());
    QCOMPARE(messages.lastText(), QStringLiteral("没有找到“没有的”。"));
    dialog->close();

    // Without the form's permission, Ctrl+F does nothing.
    shell::DataGrid plain;
    plain.setModel(grid->model());
    plain.show();
    ui::activate(&plain);
    QTest::keyClick(plain.view(), Qt::Key_F, Qt::ControlModifier);
    QVERIFY(!plain.findChild<shell::GridFindDialog *>());
    form->close();
}

void TestDataGrid::doubleClickActivatesARow()
{
    ui::FormFixture f;
    addFees(f.db(), threeFees());
    sample::FeeListForm *form = f.show(new sample::FeeListForm(f.owner()));
    QSignalSpy activated(form->grid, &shell::DataGrid::rowActivated);
    ui::doubleClickRow(form->grid, 1);
    QCOMPARE(activated.count(), 1);
    QCOMPARE(activated.first().first().toInt(), 1);
    form->close();
}

void TestDataGrid::footerGridScreenshot()
{
    ui::FormFixture f;
    addFees(f.db(), threeFees());
    sample::FeeListForm *form = f.show(new sample::FeeListForm(f.owner()));
    form->grid->setCurrentRow(1);
    ui::hover(ui::button(form, QStringLiteral("导出")));
    const QPixmap shot = form->grab();
    QVERIFY(!shot.isNull());
    // The project keeps one picture of a footer grid for its documentation.
    const QString dir = qEnvironmentVariable("JUNCHENG_SCREENSHOTS");
    if (!dir.isEmpty())
        QVERIFY(shot.save(QDir(dir).filePath(QStringLiteral("footer-grid.png"))));
    form->close();
}

JC_TEST_MAIN(TestDataGrid)
#include "test_datagrid.moc"
