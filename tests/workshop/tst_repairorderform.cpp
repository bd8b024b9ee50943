#include "tests/support/ui/formfixture.h"
#include "tests/support/ui/uidriver.h"
#include "tests/workshop/formhelpers.h"
#include "tests/workshop/workshopfixture.h"
#include "workshop/forms/materialpickerform.h"
#include "workshop/forms/repairorderform.h"
#include "workshop/forms/serviceitemchooser.h"
#include "workshop/repairorderprint.h"
#include "workshop/workshopforms.h"
#include "print/renderer.h"
#include "shell/common/operatorcontext.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QTest>

using namespace workshop;
using namespace workshoptest;
namespace ui = testsupport::ui;

namespace {

// The head office's plate prefix, employees, goods with and without stock, labour items.
void seedShop(ui::FormFixture &f)
{
    store::Db &db = f.db();
    db.execWrite(QStringLiteral("UPDATE 部门信息 SET 车牌字头 = '粤A', 部门地址 = '天河路1号', 部门电话 = '020-1234' "
                                "WHERE 部门编号 = '0000'"));
    shell::OperatorContext who = f.operatorContext();
    who.platePrefix = QStringLiteral("粤A");
    shell::setCurrentOperator(who);
    for (const char *name : {"王强", "赵刚"})
        db.execWrite(QStringLiteral("INSERT INTO 员工信息表 (员工编号, 员工姓名, 所在部门) VALUES (?, ?, ?)"),
                     {QString::fromUtf8(name) == QStringLiteral("王强") ? QStringLiteral("000001") : QStringLiteral("000002"),
                      QString::fromUtf8(name), kDept});
    addGoodsCategory(db, QStringLiteral("101"), QStringLiteral("机油"));
    addGoodsCategory(db, QStringLiteral("102"), QStringLiteral("滤清器"));
    addGoods(db, QStringLiteral("1010001"), QStringLiteral("美孚机油"), QStringLiteral("5W-40"), QStringLiteral("机油"),
             QStringLiteral("690001"), store::Money::fromYuan(40), store::Money::fromYuan(100));
    addGoods(db, QStringLiteral("1020001"), QStringLiteral("机油滤清器"), QStringLiteral("通用"), QStringLiteral("滤清器"),
             QStringLiteral("690002"), store::Money::fromYuan(20), store::Money::fromYuan(30));
    addStockRow(db, QStringLiteral("1010001"), kDept, 3, 38.5);
    addServiceCategory(db, QStringLiteral("保养"), QStringLiteral("管理员"));
    addServiceItem(db, {QStringLiteral("保养"), QStringLiteral("更换机油"), store::Money::fromYuan(50), {}},
                   QStringLiteral("管理员"));
}

// Opens the picker by a double-click on the line grid and runs `work` in it.
void inPicker(TEnterProduNoteForm *form, const std::function<void(TListInforToProNoteForm *)> &work)
{
    bool ran = false;
    ui::onNextModal([&](QDialog *d) {
        auto *picker = qobject_cast<TListInforToProNoteForm *>(d);
        if (picker)
            work(picker);
        ran = picker != nullptr;
        ui::click(d, QStringLiteral("退出"));
    });
    ui::doubleClickRow(form->lineGrid(), 0);
    QVERIFY(ran);
}

} // namespace

class RepairOrderFormTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { registerWorkshopForms(); }

    void clerkReceivesACarPicksSavesPrintsAndModifies()
    {
        ui::FormFixture f(QStringLiteral("000102"), QStringLiteral("操作员"), QStringLiteral("小李"));
        seedShop(f);
        auto *form = qobject_cast<TEnterProduNoteForm *>(f.open(QStringLiteral("TEnterProduNoteForm")));
        QVERIFY(form);
        QCOMPARE(form->windowTitle(), QStringLiteral("托修单录入"));

        // Nothing to pick into before "新增".
        ui::doubleClickRow(form->lineGrid(), 0);
        QCOMPARE(f.messages().lastText(), QStringLiteral("请先创建一张新托修单，然后再输入维修项目和材料费用!"));

        QVERIFY(ui::click(form, QStringLiteral("新增")));
        QCOMPARE(form->noteNumber(), QStringLiteral("000000000001"));
        QLineEdit *plate = edit(form, "车牌号码");
        QCOMPARE(plate->text(), QStringLiteral("粤A"));
        QVERIFY(plate->hasFocus());
        QCOMPARE(qobject_cast<QComboBox *>(ui::box(form, QStringLiteral("业务接待")))->currentText(), QStringLiteral("小李"));
        QCOMPARE(edit(form, "接车里程")->text(), QStringLiteral("0"));

        ui::type(plate, QStringLiteral("粤A12345"));
        ui::leave(plate);
        QCOMPARE(f.messages().lastText(), QStringLiteral("该车辆信息还没有录入过,请录入详细客户信息!谢谢!"));
        QVERIFY(form->isNewCustomer());
        QVERIFY(edit(form, "车型")->hasFocus());
        // Clicking back into the plate keeps what was typed.
        plate->setFocus(Qt::MouseFocusReason);
        QCOMPARE(plate->text(), QStringLiteral("粤A12345"));
        const int messages = f.messages().count();
        ui::leave(plate);
        QCOMPARE(f.messages().count(), messages);   // the same plate is not looked up twice

        ui::type(edit(form, "车型"), QStringLiteral("丰田凯美瑞"));
        ui::pressEnter(edit(form, "车型"));
        QVERIFY(edit(form, "颜色")->hasFocus());
        ui::type(edit(form, "接车里程"), QStringLiteral("12a3"));      // letters are not taken
        QCOMPARE(edit(form, "接车里程")->text(), QStringLiteral("123"));
        ui::type(edit(form, "车主"), QStringLiteral("陈先生"));
        ui::type(edit(form, "手机"), QStringLiteral("13800138000"));

        // Labour by category from the chooser, materials by category, by bar code and by name.
        inPicker(form, [&](TListInforToProNoteForm *picker) {
            QCOMPARE(edit(picker, "单据编号")->text(), QStringLiteral("000000000001"));
            QVERIFY(!ui::button(picker, QStringLiteral("新建物品"))->isEnabled());
            ui::onNextModal([](QDialog *chooser) {
                QCOMPARE(chooser->windowTitle(), QStringLiteral("服务项目清单"));
                ui::click(chooser, QStringLiteral("选择"));
            });
            QTest::mouseDClick(ui::box(picker, QStringLiteral("维修项目")), Qt::LeftButton);
            QCOMPARE(edit(picker, "维修项目")->text(), QStringLiteral("更换机油"));
            QCOMPARE(edit(picker, "工时费")->text(), QStringLiteral("50.00"));
            ui::activate(picker);                                  // back from the chooser

            picker->categoryGrid()->setCurrentRow(0);              // 机油
            QCOMPARE(picker->goodsGrid()->rowCount(), 1);
            ui::doubleClickRow(picker->goodsGrid(), 0);
            QCOMPARE(edit(picker, "材料单价")->text(), QStringLiteral("100.00"));
            QCOMPARE(edit(picker, "库存数量")->text(), QStringLiteral("3.000"));
            QVERIFY(edit(picker, "材料单价")->hasFocus());
            ui::pressEnter(edit(picker, "材料单价"));
            ui::type(edit(picker, "物品数量"), QStringLiteral("5"));   // more than the stock shown
            ui::pressEnter(edit(picker, "物品数量"));
            QCOMPARE(edit(picker, "材料收费")->text(), QStringLiteral("500.0000"));
            QVERIFY(ui::click(picker, QStringLiteral("保存")));
            QCOMPARE(form->lines()->lineCount(), 1);
            QVERIFY(edit(picker, "维修项目")->text().isEmpty());
            QVERIFY(edit(picker, "查找物品")->hasFocus());

            ui::type(edit(picker, "查找物品"), QStringLiteral("690002"));
            ui::pressEnter(edit(picker, "查找物品"));                // leaving it tries the bar code
            QCOMPARE(edit(picker, "物品名称")->text(), QStringLiteral("机油滤清器"));
            QCOMPARE(edit(picker, "库存数量")->text(), QStringLiteral("0.000"));
            ui::type(edit(picker, "物品数量"), QStringLiteral("1"));
            QVERIFY(ui::click(picker, QStringLiteral("保存")));

            ui::type(edit(picker, "查找物品"), QStringLiteral("美孚"));
            QVERIFY(ui::click(picker, QStringLiteral("查找")));
            QCOMPARE(picker->goodsGrid()->rowCount(), 1);
            ui::doubleClickRow(picker->goodsGrid(), 0);
            ui::type(edit(picker, "材料单价"), QStringLiteral("0"));
            ui::type(edit(picker, "物品数量"), QStringLiteral("1"));
            ui::type(edit(picker, "备注"), QStringLiteral("赠送"));
            QVERIFY(ui::click(picker, QStringLiteral("保存")));

            ui::type(edit(picker, "维修项目"), QStringLiteral("四轮定位"));
            ui::type(edit(picker, "工时费"), QStringLiteral("120"));
            picker->categoryGrid()->setCurrentRow(0);
            keepPicture(picker->grab().toImage(), QStringLiteral("material-picker.png"));
            QVERIFY(ui::click(picker, QStringLiteral("保存")));
        });
        QCOMPARE(form->lines()->lineCount(), 4);
        const QList<NoteLine> lines = noteLinesOf(*form->lines());
        QCOMPARE(lines[0].item, QStringLiteral("更换机油"));
        QCOMPARE(lines[0].unitCost, std::optional<double>(38.5));      // the stock row's average
        QCOMPARE(lines[1].unitCost, std::optional<double>(20));        // no stock row: purchase price
        QCOMPARE(lines[3].quantity, std::optional<double>(0));
        QCOMPARE(lines[3].unitPrice, std::optional<double>(0));
        QVERIFY(!lines[3].unitCost);
        QCOMPARE(form->lineGrid()->footerText(QStringLiteral("工时费")), QStringLiteral("170.00"));
        QCOMPARE(form->lineGrid()->footerText(QStringLiteral("材料金额合计")), QStringLiteral("530.00"));
        QCOMPARE(form->totalText(), QStringLiteral("700.00"));

        ui::type(edit(form, "附加费率"), QStringLiteral("10"));
        QCOMPARE(edit(form, "附加费率")->text(), QStringLiteral("10"));
        QCOMPARE(form->surchargeText(), QStringLiteral("53.00"));
        QCOMPARE(form->totalText(), QStringLiteral("753.00"));
        ui::type(edit(form, "附加费率"), QString());
        QCOMPARE(edit(form, "附加费率")->text(), QStringLiteral("0"));
        ui::type(edit(form, "附加费率"), QStringLiteral("10"));

        // Delete removes the current line.
        form->lineGrid()->setCurrentRow(2);
        form->lineGrid()->view()->setFocus();
        QTest::keyClick(form->lineGrid()->view(), Qt::Key_Delete);
        QCOMPARE(ui::hintText(form), QStringLiteral("您已经删除一个托修项目及材料!"));
        QCOMPARE(form->lines()->lineCount(), 3);
        QCOMPARE(form->totalText(), QStringLiteral("753.00"));            // the gift cost nothing

        ui::type(ui::box(form, QStringLiteral("下次保养时间")), QStringLiteral("2030-01-15"));
        keepPicture(form->grab().toImage(), QStringLiteral("repair-order-form.png"));
        QVERIFY(ui::click(form, QStringLiteral("打印")));
        QCOMPARE(f.messages().lastText(), QStringLiteral("请先保存托修单再按打印，谢谢合作！"));
        QVERIFY(ui::click(form, QStringLiteral("保存")));
        QCOMPARE(f.messages().lastText(), QStringLiteral("托修单保存成功!现在可以打印托修单!!"));
        QCOMPARE(ui::hintText(form), QStringLiteral("托修单保存成功!现在可以继续输入其它托修单!"));
        QVERIFY(form->isSaved());
        QVERIFY(!ui::button(form, QStringLiteral("保存"))->isEnabled());

        store::Db &db = f.db();
        QCOMPARE(count(db, QStringLiteral("托修单子表")), 3);
        QCOMPARE(count(db, QStringLiteral("客户信息表")), 1);
        const auto customer = db.one(QStringLiteral("SELECT 客户姓名, 车型, 里程数, 换机油时间 FROM 客户信息表"));
        QCOMPARE(customer->value(0).toString(), QStringLiteral("陈先生"));
        QCOMPARE(customer->value(2).toInt(), 123);
        QCOMPARE(store::toDate(customer->value(3)), QDate(2030, 1, 15));
        const RepairOrder saved = *loadRepairOrder(db, QStringLiteral("000000000001"));
        QCOMPARE(saved.surchargeRate, 10.0);
        QCOMPARE(saved.clerk, QStringLiteral("小李"));
        QCOMPARE(saved.status, QStringLiteral("已接车"));
        QCOMPARE(journal(db).last(), QStringLiteral("新增托修单:000000000001"));

        // The print preview opens on the saved order.
        bool previewed = false;
        ui::onNextModal([&](QDialog *d) {
            previewed = true;
            d->reject();
        });
        QVERIFY(ui::click(form, QStringLiteral("打印")));
        QVERIFY(previewed);

        // A saved order leaves without a question.
        const int before = f.messages().count();
        QVERIFY(ui::click(form, QStringLiteral("退出")));
        QCOMPARE(f.messages().count(), before);

        // Modification through the modification entry: flags kept, lines replaced.
        db.execWrite(QStringLiteral("UPDATE 托修单主表 SET 取车标志 = 1"));
        auto *modify = f.show(new TEnterProduNoteForm(f.owner()));
        QVERIFY(modify->openForModification(QStringLiteral("000000000001")));
        QCOMPARE(modify->windowTitle(), QStringLiteral("托修单修改"));
        QVERIFY(!ui::button(modify, QStringLiteral("新增"))->isVisible());
        QCOMPARE(edit(modify, "车主")->text(), QStringLiteral("陈先生"));
        QCOMPARE(edit(modify, "附加费率")->text(), QStringLiteral("10"));
        QCOMPARE(modify->lines()->lineCount(), 3);
        QCOMPARE(modify->totalText(), QStringLiteral("753.00"));
        modify->lineGrid()->setCurrentRow(0);
        QVERIFY(ui::click(modify, QStringLiteral("删除一行")));
        ui::type(edit(modify, "联系电话"), QStringLiteral("020-5555"));
        QVERIFY(ui::click(modify, QStringLiteral("保存")));
        const RepairOrder changed = *loadRepairOrder(db, QStringLiteral("000000000001"));
        QVERIFY(changed.collected && !changed.finished);
        QCOMPARE(changed.lines.size(), 2);
        QCOMPARE(changed.phone, QStringLiteral("020-5555"));
        QCOMPARE(count(db, QStringLiteral("客户信息表")), 1);
        QCOMPARE(db.scalar(QStringLiteral("SELECT 联系电话 FROM 客户信息表")).toString(), QStringLiteral("020-5555"));
        QCOMPARE(journal(db).last(), QStringLiteral("修改托修单:000000000001"));
        QVERIFY(ui::click(modify, QStringLiteral("退出")));
    }

    void knownPlateFillsTheOwnerAndDatesAreChecked()
    {
        ui::FormFixture f;
        seedShop(f);
        RepairOrder earlier = sampleOrder(beginRepairOrder(f.db(), kDept));
        saveRepairOrder(f.db(), earlier, {SaveMode::New, f.operatorContext(), std::nullopt, QDate::currentDate()});

        auto *form = qobject_cast<TEnterProduNoteForm *>(f.open(QStringLiteral("TEnterProduNoteForm")));
        QVERIFY(ui::click(form, QStringLiteral("新增")));
        QCOMPARE(form->noteNumber(), QStringLiteral("000000000002"));
        const int messages = f.messages().count();
        ui::type(edit(form, "车牌号码"), QStringLiteral("粤a12345"));   // typed in small letters
        ui::leave(edit(form, "车牌号码"));
        QCOMPARE(f.messages().count(), messages);
        QVERIFY(!form->isNewCustomer());
        QCOMPARE(edit(form, "车主")->text(), QStringLiteral("顺达物流"));
        QCOMPARE(edit(form, "VIN码")->text(), QStringLiteral("LVGBE40K18G123456"));
        QCOMPARE(edit(form, "接车里程")->text(), QStringLiteral("86420"));
        QVERIFY(edit(form, "接车前检查")->hasFocus());

        QVERIFY(ui::click(form, QStringLiteral("保存")));
        QCOMPARE(f.messages().lastText(), QStringLiteral("请双击表格选择维修项目和材料,再进行保存!"));
        form->receiveLine(labourLine(QStringLiteral("洗车"), 20));

        QWidget *received = ui::box(form, QStringLiteral("接车时间"));
        QWidget *expected = ui::box(form, QStringLiteral("预计完工时间"));
        ui::type(received, QStringLiteral("2024-05-06"));
        ui::type(expected, QStringLiteral("2024-05-05"));
        QVERIFY(ui::click(form, QStringLiteral("保存")));
        QCOMPARE(f.messages().lastText(), QStringLiteral("完工时间不正确,接车时间不能大于完工时间"));
        QVERIFY(expected->hasFocus());
        QVERIFY(!form->isSaved());
        ui::type(expected, QString());
        ui::leave(expected);                     // left empty: today plus three days
        QCOMPARE(qobject_cast<QLineEdit *>(expected)->text(), QDate::currentDate().addDays(3).toString(Qt::ISODate));
        ui::type(expected, QStringLiteral("2024-05-06"));
        QVERIFY(ui::click(form, QStringLiteral("保存")));
        QVERIFY(form->isSaved());
        QCOMPARE(count(f.db(), QStringLiteral("客户信息表")), 1);
        QCOMPARE(f.db().scalar(QStringLiteral("SELECT 车牌号码 FROM 托修单主表 WHERE 托修单编号 = '000000000002'")).toString(),
                 QStringLiteral("粤A12345"));
        QVERIFY(ui::click(form, QStringLiteral("新增")));
        QVERIFY(ui::click(form, QStringLiteral("新增")));
        QCOMPARE(f.messages().lastText(), QStringLiteral("您已经创建了一张新的托修单,请先完成保存本单再进行新增!"));
        f.messages().answerNext(QMessageBox::Yes);
        QVERIFY(ui::click(form, QStringLiteral("退出")));
    }

    void leavingAnUnsavedOrderAsksAndRemovesItsRows()
    {
        ui::FormFixture f;
        seedShop(f);
        auto *form = qobject_cast<TEnterProduNoteForm *>(f.open(QStringLiteral("TEnterProduNoteForm")));
        QPointer<QDialog> alive(form);
        QVERIFY(ui::click(form, QStringLiteral("新增")));
        form->receiveLine(labourLine(QStringLiteral("洗车"), 20));
        QVERIFY(ui::click(form, QStringLiteral("退出")));                  // answered "否"
        QCOMPARE(f.messages().lastText(), QStringLiteral("数据还没有保存,真的要退出吗？"));
        QVERIFY(form->isVisible());
        QCOMPARE(count(f.db(), QStringLiteral("托修单主表")), 1);
        f.messages().answerNext(QMessageBox::Yes);
        QVERIFY(ui::click(form, QStringLiteral("退出")));
        QTRY_VERIFY(!alive);
        QCOMPARE(count(f.db(), QStringLiteral("托修单主表")), 0);
        QCOMPARE(f.db().scalar(QStringLiteral("SELECT 最后托修单号 FROM 部门信息 WHERE 部门编号 = '0000'")).toString(),
                 QStringLiteral("00000001"));
    }

    void printedOrderShowsHeaderLinesSumsAndCapitalTotal()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        db.execWrite(QStringLiteral("UPDATE 部门信息 SET 部门地址 = '天河路1号', 部门电话 = '020-1234', 部门传真 = '020-5678'"));
        RepairOrder o = sampleOrder(beginRepairOrder(db, kDept));
        o.surchargeRate = 10;
        o.lines = {labourLine(QStringLiteral("更换机油"), 50), materialLine(QStringLiteral("全合成机油"), 100, 2)};
        o.technician = QStringLiteral("王强");
        saveRepairOrder(db, o, {SaveMode::New, manager(), std::nullopt, QDate(2024, 5, 6)});
        const print::PageModel pages = repairOrderPages(db, o.number, kDept);
        QCOMPARE(pages.pageCount(), 1);
        const QStringList header = pages.pages[0].texts(print::BandKind::PageHeader);
        for (const QString &text : {kDept, QStringLiteral("托修单"), o.number, QStringLiteral("粤A12345"),
                                    QStringLiteral("2024-05-06"), QStringLiteral("2024-05-09"), QStringLiteral("86420"),
                                    QStringLiteral("顺达物流"), QStringLiteral("左前门刮痕")})
            QVERIFY2(header.contains(text), qPrintable(text));
        const QStringList detail = pages.pages[0].texts(print::BandKind::Detail);
        QVERIFY(detail.contains(QStringLiteral("更换机油")));
        QVERIFY(detail.contains(QStringLiteral("全合成机油")));
        QVERIFY(detail.contains(QStringLiteral("200.00")));
        const QStringList summary = pages.pages[0].texts(print::BandKind::Summary);
        // L = 50, M + S = 200 + 20, T = 270.
        QVERIFY(summary.contains(QStringLiteral("￥50.00")));
        QVERIFY(summary.contains(QStringLiteral("￥220.00")));
        QVERIFY(summary.contains(QStringLiteral("￥270.00")));
        QVERIFY(summary.contains(QStringLiteral("贰佰柒拾元整")));
        QVERIFY(summary.contains(QStringLiteral("王强")));
        QVERIFY(summary.contains(QStringLiteral("天河路1号")));
        QVERIFY(summary.contains(QStringLiteral("020-5678")));
        QString error;
        const QString pdf = t.tempPath(QStringLiteral("托修单.pdf"));
        QVERIFY2(print::writePdf(pages, pdf, &error), qPrintable(error));
        QVERIFY(QFileInfo(pdf).size() > 1000);
        keepPicture(print::renderPage(pages, 0, 100), QStringLiteral("repair-order-print.png"));
    }
};

JC_TEST_MAIN(RepairOrderFormTest)
#include "tst_repairorderform.moc"
