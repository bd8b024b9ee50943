#include "print/preview.h"
#include "print/renderer.h"
#include "shell/common/datagrid.h"
#include "shell/common/datebox.h"
#include "shell/common/formregistry.h"
#include "shell/common/gridview.h"
#include "shell/common/operatorcontext.h"
#include "tests/settlements/settlementfixture.h"
#include "tests/support/ui/formfixture.h"
#include "tests/support/ui/uidriver.h"
#include "tests/workshop/formhelpers.h"
#include "workshop/forms/repairorderform.h"
#include "workshop/queries/notedisplayforms.h"
#include "workshop/queries/notequeryforms.h"
#include "workshop/settlements/settlementform.h"
#include "workshop/settlements/settlementforms.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace workshop;
using namespace settletest;
namespace ui = testsupport::ui;
using store::Money;

namespace {

struct Shop {
    QString recentPaid;      // received today, settled in cash (plate 粤A12345)
    QString olderOpen;       // received 3 days ago, settled on account (plate 粤BA1299)
    QString tooOld;          // received 6 days ago (plate 粤A12777)
    QString paidSettlement, openSettlement;
};

QString orderReceived(store::Db &db, const QString &plate, int daysAgo)
{
    RepairOrder o = sampleOrder(beginRepairOrder(db, kDept), plate);
    o.received = o.expectedCompletion = QDate::currentDate().addDays(-daysAgo);
    o.surchargeRate = 10;
    o.technician = QStringLiteral("王强");
    saveRepairOrder(db, o, {SaveMode::New, clerk(), std::nullopt, o.received});
    return o.number;
}

QString settle(store::Db &db, const QString &order, PaymentKind payment)
{
    Settlement s = settlementOf(db, order, payment);
    s.received = s.completed = s.due = loadRepairOrder(db, order)->received;
    saveSettlement(db, s, newMode());
    return s.number;
}

Shop seedShop(ui::FormFixture &f)
{
    store::Db &db = f.db();
    Shop shop;
    shop.recentPaid = orderReceived(db, QStringLiteral("粤A12345"), 0);
    shop.olderOpen = orderReceived(db, QStringLiteral("粤BA1299"), 3);
    shop.tooOld = orderReceived(db, QStringLiteral("粤A12777"), 6);
    shop.paidSettlement = settle(db, shop.recentPaid, PaymentKind::Cash);
    shop.openSettlement = settle(db, shop.olderOpen, PaymentKind::OnAccount);
    return shop;
}

QStringList numbersShown(NoteQueryForm *form, const char *field)
{
    QStringList out;
    form->grid()->fetchAll();
    for (int r = 0; r < form->grid()->rowCount(); ++r)
        out << form->grid()->value(r, QString::fromUtf8(field)).toString();
    return out;
}

int rowOf(NoteQueryForm *form, const char *field, const QString &number)
{
    return int(numbersShown(form, field).indexOf(number));
}

template <class Form>
Form *openQuery(ui::FormFixture &f, const char *formClass, const char *command)
{
    auto *form = qobject_cast<Form *>(shell::createForm(QString::fromUtf8(formClass), f.owner()));
    form->setProperty("command", QString::fromUtf8(command));
    return f.show(form);
}

} // namespace

class QueryFormsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { registerSettlementForms(); }

    void repairOrderQueryFindsByDateAndPlateAndShowsAndPrints()
    {
        ui::FormFixture f(QStringLiteral("000102"), QStringLiteral("操作员"), QStringLiteral("小李"));
        const Shop shop = seedShop(f);
        auto *form = openQuery<TFindProduNoteForm>(f, "TFindProduNoteForm", "托修单查询");
        QCOMPARE(form->windowTitle(), QStringLiteral("托修单查询"));
        QVERIFY(!form->modifyButton()->isVisible());
        // Opens on the orders received in the last five days.
        QCOMPARE(form->fromBox()->date(), QDate::currentDate().addDays(-5));
        QCOMPARE(form->toBox()->date(), QDate::currentDate());
        QCOMPARE(numbersShown(form, "托修单编号"), QStringList({shop.recentPaid, shop.olderOpen}));
        QCOMPARE(form->columnBox()->currentText(), QStringLiteral("车牌号码"));

        ui::type(form->conditionBox(), QStringLiteral("A12"));
        ui::pressEnter(form->conditionBox());
        QCOMPARE(numbersShown(form, "托修单编号"), QStringList({shop.recentPaid, shop.olderOpen}));
        ui::type(form->fromBox(), QDate::currentDate().addDays(-10).toString(Qt::ISODate));
        QVERIFY(ui::click(form, QStringLiteral("查询")));
        QCOMPARE(numbersShown(form, "托修单编号"), QStringList({shop.recentPaid, shop.olderOpen, shop.tooOld}));
        ui::type(form->conditionBox(), QStringLiteral("BA"));
        QVERIFY(ui::click(form, QStringLiteral("查询")));
        QCOMPARE(numbersShown(form, "托修单编号"), QStringList({shop.olderOpen}));

        // Emptied dates take their defaults.
        ui::type(form->toBox(), QString());
        ui::leave(form->toBox());
        QCOMPARE(form->toBox()->date(), QDate::currentDate());
        ui::type(form->fromBox(), QString());
        ui::leave(form->fromBox());
        QCOMPARE(form->fromBox()->date(), QDate::currentDate().addDays(-5));

        // The display of the row, with the printed work order.
        bool shown = false;
        QStringList workOrder;
        ui::onNextModal([&](QDialog *d) {
            auto *display = qobject_cast<TShowProduNoteForm *>(d);
            shown = display && display->windowTitle() == QStringLiteral("托修单显示");
            if (display) {
                QCOMPARE(display->boxText(QStringLiteral("车牌号码")), QStringLiteral("粤BA1299"));
                QCOMPARE(display->boxText(QStringLiteral("材料附加管理费")), QStringLiteral("20.00"));
                QCOMPARE(display->boxText(QStringLiteral("整单金额合计")), QStringLiteral("270.00"));
                ui::onNextModal([&](QDialog *preview) {
                    if (auto *p = dynamic_cast<print::PreviewDialog *>(preview)) {
                        workOrder = p->model().pages.at(0).texts(print::BandKind::PageHeader);
                        keepPicture(print::renderPage(p->model(), 0, 100), QStringLiteral("print-work-order.png"));
                    }
                    preview->reject();
                });
                ui::click(display, QStringLiteral("打印派工单"));
            }
            ui::click(d, QStringLiteral("退出"));
        });
        ui::doubleClickRow(form->grid(), 0);
        QVERIFY(shown);
        QVERIFY(workOrder.contains(QStringLiteral("派工单")));
        QVERIFY(workOrder.contains(shop.olderOpen));

        // Nothing to show in an empty list.
        ui::type(form->conditionBox(), QStringLiteral("没有这个车"));
        QVERIFY(ui::click(form, QStringLiteral("查询")));
        QCOMPARE(form->grid()->rowCount(), 0);
        QTest::mouseDClick(form->grid()->view()->viewport(), Qt::LeftButton);
        QCOMPARE(f.messages().lastText(), QStringLiteral("没有可以查看的托修单!"));
        QVERIFY(ui::click(form, QStringLiteral("退出")));
    }

    void clerkCannotModifyFinishedOrdersOrPaidSettlements()
    {
        ui::FormFixture f(QStringLiteral("000102"), QStringLiteral("操作员"), QStringLiteral("小李"));
        const Shop shop = seedShop(f);
        auto *orders = openQuery<TFindProduNoteForm>(f, "TFindProduNoteForm", "托修单修改");
        QCOMPARE(orders->windowTitle(), QStringLiteral("托修单修改"));
        QVERIFY(orders->modifyButton()->isVisible());
        orders->grid()->setCurrentRow(rowOf(orders, "托修单编号", shop.recentPaid));
        QVERIFY(ui::click(orders, QStringLiteral("修改")));
        QCOMPARE(f.messages().lastText(), QStringLiteral("该托修单已经完成，只有经理或管理员才能修改!"));

        // An order still open (settled on account) opens in the repair order entry form.
        orders->grid()->setCurrentRow(rowOf(orders, "托修单编号", shop.olderOpen));
        bool opened = false;
        ui::onNextModal([&](QDialog *d) {
            opened = qobject_cast<TEnterProduNoteForm *>(d) && d->windowTitle() == QStringLiteral("托修单修改");
            f.messages().answerNext(QMessageBox::Yes);
            ui::click(d, QStringLiteral("退出"));
        });
        QVERIFY(ui::click(orders, QStringLiteral("修改")));
        QVERIFY(opened);
        QVERIFY(ui::click(orders, QStringLiteral("退出")));

        auto *settlements = openQuery<TFindPayNoteForm>(f, "TFindPayNoteForm", "结算单修改");
        QCOMPARE(settlements->windowTitle(), QStringLiteral("结算单修改"));
        settlements->grid()->setCurrentRow(rowOf(settlements, "结算单编号", shop.paidSettlement));
        QVERIFY(ui::click(settlements, QStringLiteral("修改")));
        QCOMPARE(f.messages().lastText(), QStringLiteral("该结算单已经付款，只有经理或管理员才能修改!"));
        QVERIFY(ui::click(settlements, QStringLiteral("退出")));
    }

    void settlementQueryDisplaysAndManagerModifiesAPaidSettlement()
    {
        ui::FormFixture f(QStringLiteral("000001"), QStringLiteral("经理"), QStringLiteral("王经理"));
        const Shop shop = seedShop(f);
        store::Db &db = f.db();
        auto *form = openQuery<TFindPayNoteForm>(f, "TFindPayNoteForm", "结算单修改");
        QCOMPARE(numbersShown(form, "结算单编号"), QStringList({shop.paidSettlement, shop.openSettlement}));
        QCOMPARE(form->grid()->footerText(QStringLiteral("整单金额合计")), QStringLiteral("540.00"));
        QCOMPARE(form->columnBox()->currentIndex(), 5);
        keepPicture(form->grab().toImage(), QStringLiteral("settlement-query.png"));
        form->columnBox()->setCurrentText(QStringLiteral("车牌号码"));
        ui::type(form->conditionBox(), QStringLiteral("A123"));
        QVERIFY(ui::click(form, QStringLiteral("查询")));
        QCOMPARE(numbersShown(form, "结算单编号"), QStringList({shop.paidSettlement}));
        ui::type(form->conditionBox(), QString());
        QVERIFY(ui::click(form, QStringLiteral("查询")));

        // The display marks the on-account settlement as unpaid, the paid one not.
        for (const QString &number : {shop.openSettlement, shop.paidSettlement}) {
            bool unpaid = false;
            QString total;
            ui::onNextModal([&](QDialog *d) {
                if (auto *display = qobject_cast<TShowPayNoteForm *>(d)) {
                    unpaid = display->isUnpaidShown();
                    if (unpaid)
                        keepPicture(display->grab().toImage(), QStringLiteral("settlement-display.png"));
                    total = display->boxText(QStringLiteral("整单金额合计"));
                }
                ui::click(d, QStringLiteral("退出"));
            });
            ui::doubleClickRow(form->grid(), rowOf(form, "结算单编号", number));
            QCOMPARE(unpaid, number == shop.openSettlement);
            QCOMPARE(total, QStringLiteral("270.00"));
        }

        // A manager modifies the paid settlement; the list shows the change at once.
        form->grid()->setCurrentRow(rowOf(form, "结算单编号", shop.paidSettlement));
        ui::onNextModal([&](QDialog *d) {
            auto *entry = qobject_cast<TEnterPayNoteForm *>(d);
            QVERIFY(entry);
            QCOMPARE(entry->windowTitle(), QStringLiteral("结算单修改"));
            QCOMPARE(entry->noteNumber(), shop.paidSettlement);
            entry->receiveLine(labourLine(QStringLiteral("洗车"), 30));
            ui::click(entry, QStringLiteral("保存"));
            ui::click(entry, QStringLiteral("退出"));
        });
        QVERIFY(ui::click(form, QStringLiteral("修改")));
        QCOMPARE(f.messages().lastText(), QStringLiteral("结算单保存成功!现在可以打印结算单!!"));
        QCOMPARE(count(db, QStringLiteral("现金帐表"), QStringLiteral("单据编号 = ?"), {shop.paidSettlement}), 1);
        QCOMPARE(Money::fromVariant(cashBookRow(db, shop.paidSettlement)->value("总收费金额")), Money::fromYuan(300));
        const int row = rowOf(form, "结算单编号", shop.paidSettlement);
        QCOMPARE(form->grid()->displayText(row, QStringLiteral("整单金额合计")), QStringLiteral("300.00"));
        QCOMPARE(form->grid()->footerText(QStringLiteral("整单金额合计")), QStringLiteral("570.00"));
        QVERIFY(ui::click(form, QStringLiteral("退出")));
    }
};

JC_TEST_MAIN(QueryFormsTest)
#include "tst_queryforms.moc"
