// The stock-in note through its real forms: a store-keeper receives a purchase, changes
// a line, prints the note and abandons a second one; a transfer and a return note.

#include "admin/dept/registerdeptforms.h"
#include "customers/suppliers/registersuppliers.h"
#include "customers/suppliers/supplierservice.h"
#include "print/preview.h"
#include "print/renderer.h"
#include "shell/common/datagrid.h"
#include "shell/common/gridview.h"
#include "stock/stockin/enterinlibnoteform.h"
#include "stock/stockin/listproducetoinlibform.h"
#include "stock/stockin/registerstockin.h"
#include "stock/stockin/stockinservice.h"
#include "tests/stockin/stockinfixture.h"
#include "tests/support/ui/formfixture.h"
#include "tests/support/ui/uidriver.h"

#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

using namespace stockintest;
namespace ui = testsupport::ui;
using store::Money;

namespace {

QString text(QWidget *form, const QString &label)
{
    QWidget *box = ui::box(form, label);
    if (auto *edit = qobject_cast<QLineEdit *>(box))
        return edit->text();
    if (auto *l = qobject_cast<QLabel *>(box))
        return l->text();
    if (auto *combo = qobject_cast<QComboBox *>(box))
        return combo->currentText();
    return {};
}

void flush()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

} // namespace

class StockInFormTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        stock::registerStockInForms();
        customers::registerSupplierForms();
        admin::registerDeptForms();
    }

    void receivePrintAndAbandon()
    {
        ui::FormFixture f(QStringLiteral("000101"), QStringLiteral("操作员"), QStringLiteral("库管小李"));
        store::Db &db = f.db();
        const QString oil = addGoods(db, QStringLiteral("美孚机油"), QStringLiteral("6901234"));
        stock::enterStockInNote(db, header({}), {picked(db, oil, 4, 10)}, kOperator);   // 10 valued 40.00
        customers::Supplier s;
        s.name = QStringLiteral("华通配件");
        customers::addSupplier(db, s, kOperator);
        s.name = QStringLiteral("东方油品");
        customers::addSupplier(db, s, kOperator);

        auto *form = qobject_cast<stock::TEnterInLibNoteForm *>(f.open(QStringLiteral("物品入库")));
        QVERIFY(form);
        QCOMPARE(text(form, QStringLiteral("操作员")), QStringLiteral("库管小李"));
        QVERIFY(!ui::button(form, QStringLiteral("保存"))->isEnabled());
        QVERIFY(ui::click(form, QStringLiteral("打印")));
        QCOMPARE(f.messages().lastText(), QStringLiteral("没有可用单据可以供打印!请输入单据再进行打印!"));
        form->openPicker(false);
        QCOMPARE(f.messages().lastText(), QStringLiteral("请先建立一张新的入库单再选择入库物品!"));

        QVERIFY(ui::click(form, QStringLiteral("新建")));
        QCOMPARE(text(form, QStringLiteral("入库单编号")), QStringLiteral("000000000002"));
        QCOMPARE(text(form, QStringLiteral("入库仓库")), kHeadWarehouse);
        QCOMPARE(text(form, QStringLiteral("入库类型")), stock::kPurchaseIn);
        QCOMPARE(QApplication::focusWidget(), ui::box(form, QStringLiteral("条形码入物品")));
        QVERIFY(ui::click(form, QStringLiteral("打印")));
        QCOMPARE(f.messages().lastText(), QStringLiteral("请保存单据后再进行打印!"));

        // The supplier chooser opens on the text typed and hands the pick back.
        QWidget *supplierBox = ui::box(form, QStringLiteral("交货单位"));
        ui::type(supplierBox, QStringLiteral("华通"));
        ui::onNextModal([&](QDialog *chooser) {
            QCOMPARE(chooser->windowTitle(), QStringLiteral("供销商列表"));
            QCOMPARE(ui::grid(chooser)->rowCount(), 1);
            ui::doubleClickRow(ui::grid(chooser), 0);
        });
        QTest::keyClick(supplierBox, Qt::Key_F1);
        QCOMPARE(text(form, QStringLiteral("交货单位")), QStringLiteral("华通配件"));
        ui::type(ui::box(form, QStringLiteral("实际单号")), QStringLiteral("CG-0520"));

        // The line picker: search, pick, price and quantity, save; then back.
        ui::onNextModal([&](QDialog *d) {
            auto *picker = qobject_cast<stock::TListProduceToInLibForm *>(d);
            QVERIFY(picker);
            QCOMPARE(text(picker, QStringLiteral("单据编号")), QStringLiteral("000000000002"));
            ui::type(picker->searchBox(), QStringLiteral("美孚"));
            ui::pressEnter(picker->searchBox());
            QCOMPARE(picker->goodsGrid()->rowCount(), 1);
            ui::doubleClickRow(picker->goodsGrid(), 0);
            QCOMPARE(text(picker, QStringLiteral("参考单价")), QStringLiteral("4.00"));
            QCOMPARE(text(picker, QStringLiteral("实际单价")), QStringLiteral("4.00"));
            ui::type(ui::box(picker, QStringLiteral("实际单价")), QStringLiteral("5"));
            ui::pressEnter(ui::box(picker, QStringLiteral("实际单价")));
            ui::type(ui::box(picker, QStringLiteral("物品数量")), QStringLiteral("0"));
            ui::leave(ui::box(picker, QStringLiteral("物品数量")));
            QVERIFY(ui::click(picker, QStringLiteral("保存")));
            QCOMPARE(f.messages().lastText(), stock::kQuantityZero);
            ui::type(ui::box(picker, QStringLiteral("物品数量")), QStringLiteral("9"));
            ui::leave(ui::box(picker, QStringLiteral("物品数量")));
            QCOMPARE(text(picker, QStringLiteral("金额合计")), QStringLiteral("45.0000"));
            QVERIFY(ui::click(picker, QStringLiteral("保存")));
            QVERIFY(picker->isVisible());
            QCOMPARE(text(picker, QStringLiteral("物品编号")), QString());
            ui::doubleClickRow(picker->goodsGrid(), 0);     // already on the note
            QCOMPARE(f.messages().lastText(), stock::kGoodsAlreadyOnNote);
            QVERIFY(ui::click(picker, QStringLiteral("返回")));
        });
        QTest::mouseDClick(form->grid()->view()->viewport(), Qt::LeftButton);
        QCOMPARE(form->grid()->rowCount(), 1);
        QVERIFY(!form->isSaved());

        // F2 changes the line: 9 becomes 10.
        form->grid()->setCurrentRow(0);
        ui::onNextModal([&](QDialog *d) {
            auto *picker = qobject_cast<stock::TListProduceToInLibForm *>(d);
            QVERIFY(picker->isChanging());
            QCOMPARE(ui::hintText(picker), QStringLiteral("现在处于修改状态,不能选择物品."));
            QVERIFY(!picker->goodsGrid()->isEnabled());
            QCOMPARE(text(picker, QStringLiteral("物品数量")), QStringLiteral("9"));
            ui::type(ui::box(picker, QStringLiteral("物品数量")), QStringLiteral("10"));
            QVERIFY(ui::click(picker, QStringLiteral("保存")));
        });
        QTest::keyClick(form->grid()->view(), Qt::Key_F2);
        flush();
        QCOMPARE(form->grid()->displayText(0, QStringLiteral("物品数量")), QStringLiteral("10.000"));
        QCOMPARE(form->grid()->footerText(QStringLiteral("金额合计")), QStringLiteral("50.00"));

        // A scanned line, deleted again.
        QWidget *barcode = ui::box(form, QStringLiteral("条形码入物品"));
        ui::type(barcode, QStringLiteral("6901234"));
        ui::pressEnter(barcode);
        QCOMPARE(form->grid()->rowCount(), 2);
        QCOMPARE(text(form, QStringLiteral("条形码入物品")), QString());
        form->grid()->setCurrentRow(1);
        QVERIFY(ui::click(form, QStringLiteral("删除一行")));
        QCOMPARE(form->grid()->rowCount(), 1);

        QVERIFY(ui::click(form, QStringLiteral("保存")));
        QVERIFY(form->isSaved());
        QVERIFY(ui::button(form, QStringLiteral("新建"))->isEnabled());
        QVERIFY(!ui::button(form, QStringLiteral("保存"))->isEnabled());
        QCOMPARE(text(form, QStringLiteral("交货单位")), QString());
        const Level l = level(db, oil);
        QCOMPARE(l.quantity, 20.0);
        QCOMPARE(l.total, Money::fromYuan(90));
        QCOMPARE(l.average, 4.5);
        const auto head = db.one(QStringLiteral("SELECT * FROM 入库单主表 WHERE 入库单编号 = '000000000002'"));
        QCOMPARE(head->value("交货单位").toString(), QStringLiteral("华通配件"));
        QCOMPARE(head->value("实际单号").toString(), QStringLiteral("CG-0520"));
        QCOMPARE(head->value("制单人").toString(), QStringLiteral("库管小李"));
        QVERIFY(ui::click(form, QStringLiteral("删除一行")));
        QCOMPARE(f.messages().lastText(), QStringLiteral("该单已经保存,不能在这种状态下进行删除!"));

        // The printed note in the previewer, and on a PDF page.
        ui::onNextModal([&](QDialog *d) {
            auto *preview = dynamic_cast<print::PreviewDialog *>(d);
            QVERIFY(preview);
            const QStringList texts = preview->model().texts();
            QVERIFY(texts.contains(QStringLiteral("000000000002")));
            QVERIFY(texts.contains(QStringLiteral("华通配件")));
            QVERIFY(texts.contains(QStringLiteral("伍拾元整")));
            const QString pdf = f.database().tempPath(QStringLiteral("入库单.pdf"));
            QVERIFY(print::writePdf(preview->model(), pdf));
            QVERIFY(QFileInfo(pdf).size() > 1000);
            d->reject();
        });
        QVERIFY(ui::click(form, QStringLiteral("打印")));

        // A second note, abandoned: nothing is left behind and the stock stays.
        QVERIFY(ui::click(form, QStringLiteral("新建")));
        const QString second = form->noteNumber();
        QCOMPARE(second, QStringLiteral("000000000003"));
        ui::type(barcode, QStringLiteral("6901234"));
        ui::pressEnter(barcode);
        QCOMPARE(stock::lineCount(db, second), 1);
        f.messages().answerNext(QMessageBox::No);
        QVERIFY(ui::click(form, QStringLiteral("退出")));
        QCOMPARE(f.messages().lastText(), QStringLiteral("数据还没有保存,真的要退出吗？"));
        QVERIFY(form->isVisible());
        QPointer<QDialog> alive(form);
        f.messages().answerNext(QMessageBox::Yes);
        QVERIFY(ui::click(form, QStringLiteral("退出")));
        flush();
        QVERIFY(!alive);
        QCOMPARE(count(db, QStringLiteral("入库单主表"), QStringLiteral("入库单编号 = ?"), {second}), 0);
        QCOMPARE(count(db, QStringLiteral("入库单子表"), QStringLiteral("入库单编号 = ?"), {second}), 0);
        QCOMPARE(level(db, oil).quantity, 20.0);
    }

    // A transfer: the department chooser fills the delivering party, the stock-out note's
    // lines arrive through "实际单号".
    void transferThroughTheForm()
    {
        ui::FormFixture f(QStringLiteral("000101"), QStringLiteral("操作员"), QStringLiteral("库管小李"));
        store::Db &db = f.db();
        const QString oil = addGoods(db, QStringLiteral("美孚机油"));
        const QString filter = addGoods(db, QStringLiteral("机油滤芯"));
        addStockOutLine(db, QStringLiteral("000000000007"), oil, 4.5, 3);
        addStockOutLine(db, QStringLiteral("000000000007"), filter, 12, 2);

        auto *form = qobject_cast<stock::TEnterInLibNoteForm *>(f.open(QStringLiteral("TEnterInLibNoteForm")));
        QVERIFY(ui::click(form, QStringLiteral("新建")));
        auto *type = qobject_cast<QComboBox *>(ui::box(form, QStringLiteral("入库类型")));
        type->setCurrentText(stock::kTransferIn);
        ui::onNextModal([&](QDialog *chooser) {
            QCOMPARE(chooser->windowTitle(), QStringLiteral("部门列表"));
            ui::doubleClickRow(ui::grid(chooser), 0);
        });
        QTest::mouseDClick(ui::box(form, QStringLiteral("交货单位")), Qt::LeftButton);
        QCOMPARE(text(form, QStringLiteral("交货单位")), kHeadWarehouse);

        QWidget *actual = ui::box(form, QStringLiteral("实际单号"));
        ui::type(actual, QStringLiteral("000000000099"));
        ui::leave(actual);
        QCOMPARE(f.messages().lastText(), stock::kNoTransferLines);
        ui::type(actual, QStringLiteral("000000000007"));
        ui::leave(actual);
        QCOMPARE(form->grid()->rowCount(), 2);
        QCOMPARE(form->grid()->footerText(QStringLiteral("金额合计")), QStringLiteral("37.50"));
        QVERIFY(ui::click(form, QStringLiteral("保存")));
        QVERIFY(form->isSaved());
        QCOMPARE(level(db, oil).average, 4.5);
        QCOMPARE(level(db, filter).quantity, 2.0);
        QVERIFY(ui::click(form, QStringLiteral("退出")));
    }

    // A return note: the picker refuses a positive quantity, the barcode gives -1.
    void returnNoteThroughTheForm()
    {
        ui::FormFixture f(QStringLiteral("000101"), QStringLiteral("操作员"), QStringLiteral("库管小李"));
        store::Db &db = f.db();
        const QString oil = addGoods(db, QStringLiteral("美孚机油"), QStringLiteral("6901234"));
        stock::enterStockInNote(db, header({}), {picked(db, oil, 4, 10)}, kOperator);

        auto *form = qobject_cast<stock::TEnterInLibNoteForm *>(f.open(QStringLiteral("TEnterInLibNoteForm")));
        QVERIFY(ui::click(form, QStringLiteral("新建")));
        qobject_cast<QComboBox *>(ui::box(form, QStringLiteral("入库类型")))->setCurrentText(stock::kReturnOut);
        ui::onNextModal([&](QDialog *d) {
            auto *picker = qobject_cast<stock::TListProduceToInLibForm *>(d);
            ui::type(picker->searchBox(), QStringLiteral("6901234"));     // one goods: picked at once
            ui::pressEnter(picker->searchBox());
            QCOMPARE(text(picker, QStringLiteral("物品编号")), oil);
            QWidget *quantity = ui::box(picker, QStringLiteral("物品数量"));
            ui::type(quantity, QStringLiteral("2"));
            ui::leave(quantity);
            QCOMPARE(f.messages().lastText(), stock::kReturnNeedsNegative);
            QCOMPARE(text(picker, QStringLiteral("物品数量")), QStringLiteral("0.00"));
            ui::type(quantity, QStringLiteral("-2"));
            ui::leave(quantity);
            QCOMPARE(text(picker, QStringLiteral("金额合计")), QStringLiteral("-8.0000"));
            QVERIFY(ui::click(picker, QStringLiteral("保存")));
            QVERIFY(ui::click(picker, QStringLiteral("返回")));
        });
        QTest::keyClick(form->grid()->view(), Qt::Key_F1);
        QWidget *barcode = ui::box(form, QStringLiteral("条形码入物品"));
        ui::type(barcode, QStringLiteral("6901234"));
        ui::pressEnter(barcode);
        QCOMPARE(form->grid()->footerText(QStringLiteral("金额合计")), QStringLiteral("-12.00"));
        QVERIFY(ui::click(form, QStringLiteral("保存")));
        QVERIFY(form->isSaved());
        QCOMPARE(level(db, oil).quantity, 7.0);
        QCOMPARE(level(db, oil).total, Money::fromYuan(28));
        QVERIFY(ui::click(form, QStringLiteral("退出")));
    }
};

JC_TEST_MAIN(StockInFormTest)
#include "tst_stockinforms.moc"
