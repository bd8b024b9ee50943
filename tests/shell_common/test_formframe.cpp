// The frame every form shares: look and lifecycle, hints, the Enter chain, date boxes,
// typing rules, message boxes, choosers and opening forms by function name.

#include "shell/common/chooser.h"
#include "shell/common/datagrid.h"
#include "shell/common/datebox.h"
#include "shell/common/formregistry.h"
#include "shell/common/gridview.h"
#include "shell/common/messages.h"
#include "shell/common/operatorcontext.h"
#include "shell/common/statushints.h"
#include "shell/common/textrules.h"
#include "tests/shell_common/sampleforms.h"
#include "tests/support/testdb.h"
#include "tests/support/ui/formfixture.h"
#include "tests/support/ui/uidriver.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

using namespace testsupport;
namespace ui = testsupport::ui;

namespace {

sample::FeeListForm *openFeeForm(ui::FormFixture &f)
{
    sample::registerForms();
    return qobject_cast<sample::FeeListForm *>(f.open(QStringLiteral("测试收费查询")));
}

void addBranch(store::Db &db, const QString &code, const QString &name)
{
    db.execWrite(QStringLiteral("INSERT INTO 部门信息 (部门编号, 部门名称) VALUES (?, ?)"), {code, name});
}

void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A form with unsaved work that refuses to be left.
class StubbornForm : public shell::FunctionForm {
public:
    using FunctionForm::FunctionForm;
    bool allowLeave = false;
protected:
    bool canLeave() override { return allowLeave; }
};

} // namespace

class TestFormFrame : public QObject {
    Q_OBJECT
private slots:
    void frameLooksAndLeavesThroughItsButtons();
    void closingAsksTheForm();
    void standardHints_data();
    void standardHints();
    void hintsFollowTheMouse();
    void enterChainReachesTheMainButton();
    void enterChainPassesOverDisabledBoxes();
    void emptyDateBoxTakesItsDefault_data();
    void emptyDateBoxTakesItsDefault();
    void typingRules();
    void messagesAreRecordedAndAnswered();
    void realMessageBoxesHaveChineseButtons();
    void chooserDoubleClickHandsBackAndCloses();
    void chooserFollowUps();
    void chooserWithUnknownTagDoesNothing();
    void hiddenChooserTakesTheFirstRow();
    void operatorCategoryRule_data();
    void operatorCategoryRule();
    void registryOpensFormsByFunctionName();
};

void TestFormFrame::frameLooksAndLeavesThroughItsButtons()
{
    ui::FormFixture f;
    QPointer<sample::FeeListForm> form = openFeeForm(f);
    QVERIFY(form);
    QCOMPARE(form->title(), QStringLiteral("收费查询"));
    QCOMPARE(form->windowTitle(), QStringLiteral("收费查询"));
    QVERIFY(form->isModal());
    QVERIFY(form->testAttribute(Qt::WA_DeleteOnClose));
    const Qt::WindowFlags flags = form->windowFlags();
    QVERIFY(!(flags & Qt::WindowCloseButtonHint));
    QVERIFY(!(flags & Qt::WindowMinMaxButtonsHint));
    QCOMPARE(form->minimumSize(), form->maximumSize());   // single border: not resizable

    // Centred on its owner.
    const QPoint delta = form->frameGeometry().center() - f.owner()->frameGeometry().center();
    QVERIFY2(delta.manhattanLength() <= 40, qPrintable(QStringLiteral("off by %1,%2").arg(delta.x()).arg(delta.y())));

    // The status bar: "操作提示" and the hint panel.
    const QList<QLabel *> panels = form->statusBar()->findChildren<QLabel *>();
    QVERIFY(std::any_of(panels.begin(), panels.end(), [](QLabel *l) { return l->text() == QStringLiteral("操作提示"); }));

    // Escape does not leave; "退出" does, and the form is gone.
    QTest::keyClick(form, Qt::Key_Escape);
    QVERIFY(form->isVisible());
    QVERIFY(ui::click(form, QStringLiteral("退出")));
    flushDeletes();
    QVERIFY(form.isNull());
}

void TestFormFrame::closingAsksTheForm()
{
    ui::FormFixture f;
    QPointer<StubbornForm> form = f.show(new StubbornForm(f.owner(), QStringLiteral("托修单录入")));
    form->addExitButton();
    QVERIFY(ui::click(form, QStringLiteral("退出")));
    flushDeletes();
    QVERIFY(form && form->isVisible());
    form->allowLeave = true;
    QVERIFY(ui::click(form, QStringLiteral("退出")));
    flushDeletes();
    QVERIFY(form.isNull());
}

void TestFormFrame::standardHints_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("hint");
    QTest::newRow("新增") << "新增" << "按下本按钮将新建!";
    QTest::newRow("新建") << "新建" << "按下本按钮将新建!";
    QTest::newRow("修改") << "修改" << "按下本按钮将修改!";
    QTest::newRow("删除") << "删除" << "按下本按钮将删除!";
    QTest::newRow("保存") << "保存" << "按下本按钮将保存!";
    QTest::newRow("退出") << "退出" << "按下本按钮将退出!";
    QTest::newRow("导出") << "导出" << "按下本按钮将当前窗口的数据导出至EXCEL中!";
    QTest::newRow("other") << "打印" << "";
}

void TestFormFrame::standardHints()
{
    QFETCH(QString, caption);
    QFETCH(QString, hint);
    QCOMPARE(shell::StatusHints::standardHint(caption), hint);

    // A button the form places itself gets the standard hint too, unless it has its own.
    ui::FormFixture f;
    auto *form = new shell::FunctionForm(f.owner(), QStringLiteral("测试"));
    auto *own = new QPushButton(caption, form->body());
    auto *mine = new QPushButton(caption, form->body());
    mine->move(0, 40);
    form->setHint(mine, QStringLiteral("自己的提示"));
    f.show(form);
    ui::hover(own);
    QCOMPARE(ui::hintText(form), hint);
    ui::hover(mine);
    QCOMPARE(ui::hintText(form), QStringLiteral("自己的提示"));
    form->close();
}

void TestFormFrame::hintsFollowTheMouse()
{
    ui::FormFixture f;
    auto *form = openFeeForm(f);
    ui::hover(ui::button(form, QStringLiteral("导出")));
    QCOMPARE(ui::hintText(form), QStringLiteral("按下本按钮将当前窗口的数据导出至EXCEL中!"));
    ui::hover(ui::button(form, QStringLiteral("查询")));
    QCOMPARE(ui::hintText(form), QStringLiteral("按下本按钮将按条件查询收费记录!"));
    ui::hover(form->statusBar());
    QCOMPARE(ui::hintText(form), QStringLiteral("操作提示信息显示栏"));
    ui::hover(form->grid);
    QCOMPARE(ui::hintText(form), QStringLiteral("收费记录一览"));
    // Pointing at a control without a hint leaves the last one; results go to the same panel.
    ui::hover(form->fromBox);
    QCOMPARE(ui::hintText(form), QStringLiteral("收费记录一览"));
    form->showStatus(QStringLiteral("修改部门保存成功！"));
    QCOMPARE(ui::hintText(form), QStringLiteral("修改部门保存成功！"));
    form->close();
}

void TestFormFrame::enterChainReachesTheMainButton()
{
    ui::FormFixture f;
    auto *form = openFeeForm(f);
    const QList<QWidget *> chain = {ui::box(form, QStringLiteral("开始时间")), ui::box(form, QStringLiteral("结束时间")),
                                    ui::box(form, QStringLiteral("条件")), ui::box(form, QStringLiteral("金额")),
                                    ui::box(form, QStringLiteral("部门"))};
    QVERIFY(!chain.contains(nullptr));
    ui::type(chain[0], QString());
    for (int i = 0; i + 1 < chain.size(); ++i) {
        ui::pressEnter(chain[i]);
        QCOMPARE(QApplication::focusWidget(), chain[i + 1]);
    }
    ui::pressEnter(chain.last());
    QAbstractButton *query = ui::button(form, QStringLiteral("查询"));
    QCOMPARE(QApplication::focusWidget(), query);

    // Enter on the main button presses it.
    form->showStatus(QString());
    QTest::keyClick(query, Qt::Key_Return);
    QCOMPARE(ui::hintText(form), QStringLiteral("查询完毕"));
    // Enter in a box outside the chain presses nothing.
    form->showStatus(QString());
    ui::pressEnter(form->grid->view());
    QCOMPARE(ui::hintText(form), QString());
    form->close();
}

void TestFormFrame::enterChainPassesOverDisabledBoxes()
{
    ui::FormFixture f;
    auto *form = openFeeForm(f);
    form->conditionBox->setEnabled(false);
    ui::type(form->toBox, QString());
    ui::pressEnter(form->toBox);
    QCOMPARE(QApplication::focusWidget(), form->amountBox);
    form->close();
}

void TestFormFrame::emptyDateBoxTakesItsDefault_data()
{
    const QDate today = QDate::currentDate();
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty from, 30 days") << "开始时间" << "" << today.addDays(-30).toString("yyyy-MM-dd");
    QTest::newRow("empty to") << "结束时间" << "" << today.toString("yyyy-MM-dd");
    QTest::newRow("from keeps its date") << "开始时间" << "2023-01-15" << "2023-01-15";
    QTest::newRow("short spelling") << "结束时间" << "2024/3/5" << "2024-03-05";
    QTest::newRow("no date: back to the last") << "开始时间" << "2023-02-30" << today.addDays(-30).toString("yyyy-MM-dd");
}

void TestFormFrame::emptyDateBoxTakesItsDefault()
{
    QFETCH(QString, label);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    ui::FormFixture f;
    auto *form = openFeeForm(f);
    QWidget *box = ui::box(form, label);
    ui::type(box, typed);
    ui::leave(box);
    QCOMPARE(qobject_cast<QLineEdit *>(box)->text(), expected);
    form->close();

    // A single date box, like a "to" box, gets today.
    shell::DateBox single(shell::DateBox::Single);
    QCOMPARE(single.defaultDate(), QDate::currentDate());
}

void TestFormFrame::typingRules()
{
    ui::FormFixture f;
    auto *form = openFeeForm(f);
    ui::type(form->amountBox, QStringLiteral("12a.5-x 3"));
    QCOMPARE(form->amountBox->text(), QStringLiteral("12.5-3"));
    ui::type(form->conditionBox, QStringLiteral("gui a12京b"));
    QCOMPARE(form->conditionBox->text(), QStringLiteral("GUI A12京B"));
    // Pasted text obeys the rules as well.
    form->amountBox->clear();
    form->amountBox->insert(QStringLiteral("1x2"));
    QCOMPARE(form->amountBox->text(), QString());

    QLineEdit name;
    shell::limitGbkBytes(&name, 8);
    ui::typeText(&name, QStringLiteral("一二三四五"));
    QCOMPARE(name.text(), QStringLiteral("一二三四"));
    form->close();
}

void TestFormFrame::messagesAreRecordedAndAnswered()
{
    ui::MessageRecorder messages;
    messages.answerNext(QMessageBox::Yes);
    QVERIFY(shell::Messages::question(nullptr, QStringLiteral("若删除部门,可能会影响整个系统使用！小心删除！")));
    QVERIFY(!shell::Messages::question(nullptr, QStringLiteral("再问一次"), QStringLiteral("提示信息")));
    shell::Messages::info(nullptr, QStringLiteral("没有记录可以导出,谢谢合作!"));
    messages.answerNext(QMessageBox::Ok);
    QVERIFY(shell::Messages::confirm(nullptr, QStringLiteral("确认要系统初始化，清空所有数据吗？"), QStringLiteral("警告信息")));

    QCOMPARE(messages.count(), 4);
    QCOMPARE(messages.captions(), (QStringList{QStringLiteral("系统提示"), QStringLiteral("提示信息"),
                                               shell::Messages::defaultCaption(), QStringLiteral("警告信息")}));
    QCOMPARE(messages.shown()[0].buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(messages.shown()[2].icon, QMessageBox::Information);
    QCOMPARE(messages.shown()[3].buttons, QMessageBox::Ok | QMessageBox::Cancel);
    QCOMPARE(messages.lastText(), QStringLiteral("确认要系统初始化，清空所有数据吗？"));
}

void TestFormFrame::realMessageBoxesHaveChineseButtons()
{
    QVERIFY(!shell::Messages::hasTestHook());
    QStringList seen;
    QString caption;
    QTimer::singleShot(50, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        caption = box->windowTitle();
        for (QAbstractButton *b : box->buttons())
            seen.append(b->text());
        box->button(QMessageBox::No)->click();
    });
    const bool yes = shell::Messages::question(nullptr, QStringLiteral("按下“是” 将会退出系统,按“否”返回系统!"),
                                               QStringLiteral("系统提示"), QMessageBox::Warning);
    QVERIFY(!yes);
    QCOMPARE(caption, QStringLiteral("系统提示"));
    seen.sort();
    QCOMPARE(seen, (QStringList{QStringLiteral("否"), QStringLiteral("是")}));
}

void TestFormFrame::chooserDoubleClickHandsBackAndCloses()
{
    ui::FormFixture f;
    addBranch(f.db(), QStringLiteral("0001"), QStringLiteral("城东分店"));
    auto *form = openFeeForm(f);
    QPointer<QDialog> chooser;
    ui::onNextModal([&](QDialog *dialog) {
        chooser = dialog;
        QCOMPARE(dialog->windowTitle(), QStringLiteral("部门列表"));
        ui::doubleClickRow(ui::grid(dialog), 1);
    });
    QTest::mouseDClick(form->deptBox, Qt::LeftButton);   // opens the chooser modally
    QCOMPARE(form->deptBox->text(), QStringLiteral("城东分店"));
    flushDeletes();
    QVERIFY(chooser.isNull());
    form->close();
}

void TestFormFrame::chooserFollowUps()
{
    ui::FormFixture f;
    auto *form = openFeeForm(f);
    {
        auto *chooser = new sample::DeptChooser(form);
        chooser->setCallerTag(QStringLiteral("物品入库"));       // focus moves on to the next box
        f.show(chooser);
        QVERIFY(chooser->choose());
        flushDeletes();
        ui::activate(form);
        QCOMPARE(form->focusWidget(), form->queryButton);
        QCOMPARE(form->deptBox->text(), QStringLiteral("骏程汽车维修中心"));
    }
    {
        form->deptBox->clear();
        auto *chooser = new sample::DeptChooser(form);
        chooser->setCallerTag(QStringLiteral("物品入库统计"));   // the box itself gets the focus
        f.show(chooser);
        QVERIFY(ui::click(chooser, QStringLiteral("选择")));
        flushDeletes();
        ui::activate(form);
        QCOMPARE(form->focusWidget(), form->deptBox);
        QCOMPARE(form->deptBox->text(), QStringLiteral("骏程汽车维修中心"));
    }
    form->close();
}

void TestFormFrame::chooserWithUnknownTagDoesNothing()
{
    ui::FormFixture f;
    auto *form = openFeeForm(f);
    form->deptBox->setText(QStringLiteral("原来的"));
    for (const QString &tag : {QStringLiteral("收费查询 "), QStringLiteral("收费"), QString()}) {
        QPointer<sample::DeptChooser> chooser = f.show(new sample::DeptChooser(form));
        chooser->setCallerTag(tag);
        QVERIFY(ui::click(chooser, QStringLiteral("选择")));
        ui::doubleClickRow(chooser->grid(), 0);
        flushDeletes();
        QVERIFY(chooser && chooser->isVisible());
        QCOMPARE(form->deptBox->text(), QStringLiteral("原来的"));
        QVERIFY(ui::click(chooser, QStringLiteral("退出")));
        flushDeletes();
        QVERIFY(chooser.isNull());
    }
    form->close();
}

void TestFormFrame::hiddenChooserTakesTheFirstRow()
{
    ui::FormFixture f;
    addBranch(f.db(), QStringLiteral("0001"), QStringLiteral("城东分店"));
    auto *form = openFeeForm(f);
    QPointer<sample::DeptChooser> chooser = new sample::DeptChooser(form);
    chooser->setCallerTag(QStringLiteral("收费查询"));
    QVERIFY(chooser->choose());     // never shown
    QCOMPARE(form->deptBox->text(), QStringLiteral("骏程汽车维修中心"));
    flushDeletes();
    QVERIFY(chooser.isNull());
    form->close();
}

void TestFormFrame::operatorCategoryRule_data()
{
    QTest::addColumn<QString>("category");
    QTest::addColumn<bool>("allowed");
    QTest::newRow("经理") << "经理" << true;
    QTest::newRow("管理员") << "管理员" << true;
    QTest::newRow("操作员") << "操作员" << false;
    QTest::newRow("empty") << "" << false;
}

void TestFormFrame::operatorCategoryRule()
{
    QFETCH(QString, category);
    QFETCH(bool, allowed);
    ui::FormFixture f(QStringLiteral("000001"), category, QStringLiteral("张三"));
    QCOMPARE(shell::currentOperator().code, QStringLiteral("000001"));
    QCOMPARE(shell::currentOperator().department, QStringLiteral("骏程汽车维修中心"));
    QCOMPARE(shell::canDeleteOrModifyCompleted(), allowed);
}

void TestFormFrame::registryOpensFormsByFunctionName()
{
    ui::FormFixture f;
    sample::registerForms();
    QVERIFY(shell::hasForm(QStringLiteral("测试收费查询")));
    QVERIFY(shell::registeredForms().contains(QStringLiteral("测试收费查询")));
    QVERIFY(!shell::createForm(QStringLiteral("没有这个功能"), f.owner()));
    QDialog *form = f.open(QStringLiteral("测试收费查询"));
    QVERIFY(form && form->isVisible());
    QCOMPARE(form->parentWidget(), f.owner());
    QVERIFY(ui::box(form, QStringLiteral("部门：")));
    QCOMPARE(ui::box(form, QStringLiteral("部门")), ui::box(form, QStringLiteral("部门：")));
    form->close();
}

JC_TEST_MAIN(TestFormFrame)
#include "test_formframe.moc"
