#include "print/preview.h"
#include "print/renderer.h"
#include "shell/common/datagrid.h"
#include "shell/common/linemodel.h"
#include "shell/common/operatorcontext.h"
#include "tests/settlements/settlementfixture.h"
#include "tests/support/ui/formfixture.h"
#include "tests/support/ui/uidriver.h"
#include "tests/workshop/formhelpers.h"
#include "workshop/settlements/settlementform.h"
#include "workshop/settlements/settlementforms.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

using namespace workshop;
using namespace settletest;
namespace ui = testsupport::ui;
using store::Money;

namespace {

void seedShop(ui::FormFixture &f)
{
    f.db().execWrite(QStringLiteral("UPDATE 部门信息 SET 车牌字头 = '粤A' WHERE 部门编号 = '0000'"));
    shell::OperatorContext who = f.operatorContext();
    who.platePrefix = QStringLiteral("粤A");
    shell::setCurrentOperator(who);
    f.db().execWrite(QStringLiteral("INSERT INTO 员工信息表 (员工编号, 员工姓名, 所在部门) VALUES ('000001', '赵刚', ?)"),
                     {kDept});
}

int column(TEnterPayNoteForm *form, const char *field)
{
    return form->lines()->fieldIndex(QString::fromUtf8(field));
}

// The column titles of the printout the next preview shows.
QStringList previewedColumns(TEnterPayNoteForm *form)
{
    QStringList titles;
    ui::onNextModal([&](QDialog *d) {
        if (auto *preview = dynamic_cast<print::PreviewDialog *>(d))
        {
            titles = preview->model().pages.at(0).texts(print::BandKind::ColumnHeader);
            keepPicture(print::renderPage(preview->model(), 0, 100),
                        titles.contains(QStringLiteral("工时单价")) ? QStringLiteral("print-settlement-rate.png")
                                                                   : QStringLiteral("print-settlement.png"));
        }
        d->reject();
    });
    ui::click(form, QStringLiteral("打印"));
    return titles;
}

} // namespace

class SettlementFormTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { registerSettlementForms(); }

    void cashAndOnAccountSettlementsThroughTheForm()
    {
        ui::FormFixture f(QStringLiteral("000102"), QStringLiteral("操作员"), QStringLiteral("小李"));
        seedShop(f);
        store::Db &db = f.db();
        const QString cashOrder = savedOrder(db, 100, 50, 10);
        const QString accountOrder = savedOrder(db, 0, 20, 0, QStringLiteral("粤B88888"));

        auto *form = qobject_cast<TEnterPayNoteForm *>(f.open(QStringLiteral("TEnterPayNoteForm")));
        QVERIFY(form);
        QCOMPARE(form->windowTitle(), QStringLiteral("结算单录入"));
        QVERIFY(ui::click(form, QStringLiteral("新增")));
        QCOMPARE(form->noteNumber(), QStringLiteral("000000000001"));
        QLineEdit *orderBox = edit(form, "对应托修单号");
        QVERIFY(orderBox->hasFocus());
        QCOMPARE(qobject_cast<QComboBox *>(ui::box(form, QStringLiteral("结算员")))->currentText(), QStringLiteral("小李"));

        ui::type(orderBox, QStringLiteral("000000009999"));
        ui::pressEnter(orderBox);
        QCOMPARE(f.messages().lastText(), QStringLiteral("没有找到该编号的托修单，请查正后再录入。"));

        ui::type(orderBox, cashOrder);
        ui::pressEnter(orderBox);
        QCOMPARE(edit(form, "车主")->text(), QStringLiteral("顺达物流"));
        QCOMPARE(edit(form, "车牌号码")->text(), QStringLiteral("粤A12345"));
        QCOMPARE(edit(form, "附加费率")->text(), QStringLiteral("10"));
        QCOMPARE(form->lines()->lineCount(), 2);
        QCOMPARE(form->surchargeText(), QStringLiteral("5.00"));
        QCOMPARE(form->totalText(), QStringLiteral("155.00"));
        QVERIFY(ui::box(form, QStringLiteral("完工时间"))->hasFocus());

        QVERIFY(ui::click(form, QStringLiteral("保存")));
        QCOMPARE(f.messages().lastText(), QStringLiteral("结算单保存成功!现在可以打印结算单!!"));
        QCOMPARE(ui::hintText(form), QStringLiteral("结算单保存成功!现在可以继续输入其它结算单!"));
        const auto cash = cashBookRow(db, form->noteNumber());
        QCOMPARE(Money::fromVariant(cash->value("服务收费金额")), Money::fromYuan(100));
        QCOMPARE(Money::fromVariant(cash->value("材料收费金额")), Money::fromYuan(55));
        QCOMPARE(Money::fromVariant(cash->value("总收费金额")), Money::fromYuan(155));
        QCOMPARE(cash->value("收款方式").toString(), QStringLiteral("现金"));
        QCOMPARE(store::toDate(cash->value("收费时间")), QDate::currentDate());
        QVERIFY(finished(db, cashOrder));
        QVERIFY(orderBox->isReadOnly());

        // Both printouts, chosen by "打印工时单价".
        QVERIFY(previewedColumns(form).contains(QStringLiteral("工时单价")));
        qobject_cast<QCheckBox *>(ui::button(form, QStringLiteral("打印工时单价")))->setChecked(false);
        const QStringList plain = previewedColumns(form);
        QVERIFY(!plain.isEmpty() && !plain.contains(QStringLiteral("工时单价")));

        // The same order cannot be settled twice; nothing of it is copied.
        QVERIFY(ui::click(form, QStringLiteral("新增")));
        ui::type(orderBox, cashOrder);
        ui::pressEnter(orderBox);
        QCOMPARE(f.messages().lastText(), QStringLiteral("该托修单号已经进行结算过。结算单编号： 000000000001"));
        QCOMPARE(f.messages().lastCaption(), QStringLiteral("提示信息"));
        QVERIFY(edit(form, "车主")->text().isEmpty());
        QCOMPARE(form->lines()->lineCount(), 0);

        // On account, with a labour rate typed into the grid: 2.5 × 3 = 7.50.
        ui::type(orderBox, accountOrder);
        ui::pressEnter(orderBox);
        QCOMPARE(form->lines()->lineCount(), 2);
        QVERIFY(workshoptest::typeIntoCell(form->lineGrid(), 0, column(form, "工时单价"), QStringLiteral("2.5")));
        QVERIFY(workshoptest::typeIntoCell(form->lineGrid(), 0, column(form, "工时"), QStringLiteral("3")));
        edit(form, "备注：")->setFocus();       // leaving the cell posts it
        QCOMPARE(form->lines()->value(0, QStringLiteral("工时费")).toDouble(), 7.5);
        QCOMPARE(form->lineGrid()->footerText(QStringLiteral("工时费")), QStringLiteral("7.50"));
        QCOMPARE(form->totalText(), QStringLiteral("27.50"));
        keepPicture(form->grab().toImage(), QStringLiteral("settlement-form.png"));
        qobject_cast<QRadioButton *>(ui::button(form, QStringLiteral("记帐")))->setChecked(true);
        QVERIFY(ui::click(form, QStringLiteral("保存")));
        QVERIFY(form->isSaved());
        const auto account = cashBookRow(db, QStringLiteral("000000000002"));
        QCOMPARE(store::toBool(account->value("收费标志")), false);
        QCOMPARE(account->value("收款方式").toString(), QStringLiteral("记帐"));
        QCOMPARE(Money::fromVariant(account->value("总收费金额")), Money::parse(QStringLiteral("27.5")));
        const Settlement saved = *loadSettlement(db, QStringLiteral("000000000002"));
        QVERIFY(!saved.paid);
        QCOMPARE(saved.lines[0].labourRate, std::optional<double>(2.5));
        QVERIFY(!finished(db, accountOrder));
        QVERIFY(ui::click(form, QStringLiteral("退出")));
    }

    // A repair order number typed without Enter is checked when the settlement is saved.
    void orderNumberTypedWithoutEnterIsRefusedAtTheSave()
    {
        ui::FormFixture f;
        seedShop(f);
        store::Db &db = f.db();
        const QString order = savedOrder(db);
        saveSettlement(db, settlementOf(db, order), newMode(f.operatorContext()));

        auto *form = qobject_cast<TEnterPayNoteForm *>(f.open(QStringLiteral("TEnterPayNoteForm")));
        QVERIFY(ui::click(form, QStringLiteral("新增")));
        ui::type(edit(form, "对应托修单号"), order);                    // no Enter
        ui::type(edit(form, "车牌号码"), QStringLiteral("粤A55555"));
        form->receiveLine(labourLine(QStringLiteral("洗车"), 20));
        QVERIFY(ui::click(form, QStringLiteral("保存")));
        QCOMPARE(f.messages().lastText(), QStringLiteral("该托修单号已经进行结算过。结算单编号： 000000000001"));
        QVERIFY(edit(form, "对应托修单号")->hasFocus());
        ui::type(edit(form, "对应托修单号"), QStringLiteral("000000009999"));
        QVERIFY(ui::click(form, QStringLiteral("保存")));
        QCOMPARE(f.messages().lastText(), QStringLiteral("没有找到该编号的托修单，请查正后再录入。"));
        QVERIFY(!form->isSaved());
        QVERIFY(!cashBookRow(db, form->noteNumber()));
        QCOMPARE(count(db, QStringLiteral("客户消费表")), 1);

        // Leaving it unsaved removes the reserved settlement.
        f.messages().answerNext(QMessageBox::Yes);
        QVERIFY(ui::click(form, QStringLiteral("退出")));
        QCOMPARE(f.messages().lastText(), QStringLiteral("数据还没有保存,真的要退出吗？"));
        QCOMPARE(count(db, QStringLiteral("结算单主表")), 1);
    }

    void modificationLoadsTheSettlementAndKeepsOneCashBookRow()
    {
        ui::FormFixture f(QStringLiteral("000001"), QStringLiteral("经理"), QStringLiteral("王经理"));
        seedShop(f);
        store::Db &db = f.db();
        Settlement s = settlementOf(db, savedOrder(db), PaymentKind::OnAccount);
        saveSettlement(db, s, newMode(f.operatorContext()));

        auto *form = f.show(new TEnterPayNoteForm(f.owner()));
        QVERIFY(form->openForModification(s.number));
        QCOMPARE(form->windowTitle(), QStringLiteral("结算单修改"));
        QVERIFY(!ui::button(form, QStringLiteral("新增"))->isVisible());
        QVERIFY(edit(form, "对应托修单号")->isReadOnly());
        QVERIFY(qobject_cast<QRadioButton *>(ui::button(form, QStringLiteral("记帐")))->isChecked());
        QCOMPARE(form->totalText(), QStringLiteral("155.00"));
        qobject_cast<QRadioButton *>(ui::button(form, QStringLiteral("现金")))->setChecked(true);
        for (int round = 0; round < 2; ++round) {
            QVERIFY(ui::click(form, QStringLiteral("保存")));
            QVERIFY(form->isSaved());
            QVERIFY(form->openForModification(s.number));
        }
        QCOMPARE(count(db, QStringLiteral("现金帐表"), QStringLiteral("单据编号 = ?"), {s.number}), 1);
        QCOMPARE(count(db, QStringLiteral("客户消费表"), QStringLiteral("单据编号 = ?"), {s.number}), 1);
        QVERIFY(store::toBool(cashBookRow(db, s.number)->value("收费标志")));
        QVERIFY(finished(db, s.repairOrder));
        QCOMPARE(journal(db).last(), QStringLiteral("修改结算单:") + s.number);
        f.messages().answerNext(QMessageBox::Yes);
        QVERIFY(ui::click(form, QStringLiteral("退出")));
        QVERIFY(loadSettlement(db, s.number));      // leaving a modification deletes nothing
    }
};

JC_TEST_MAIN(SettlementFormTest)
#include "tst_settlementform.moc"
