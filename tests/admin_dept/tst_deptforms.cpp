#include "admin/dept/deptservice.h"
#include "admin/dept/initdeptinfoform.h"
#include "admin/dept/listdeptform.h"
#include "admin/dept/registerdeptforms.h"
#include "shell/commandtable.h"
#include "shell/common/datagrid.h"
#include "shell/common/formregistry.h"
#include "store/blankdb.h"
#include "shell/common/enterchain.h"
#include "shell/common/formframe.h"
#include "shell/common/gridproxy.h"
#include "tests/support/ui/formfixture.h"
#include "tests/support/ui/uidriver.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace ui = testsupport::ui;

namespace {
int count(store::Db &db, const QString &table, const QString &where = QStringLiteral("1=1"))
{
    return db.scalar(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2").arg(table, where)).toInt();
}

// An opener with every box the department chooser's tags name, in one Enter chain.
class Opener : public shell::FunctionForm {
    Q_OBJECT
public:
    explicit Opener(QWidget *parent) : FunctionForm(parent, QStringLiteral("测试开单"))
    {
        QList<QWidget *> chain;
        for (const char *name : {"codeBox", "deptBox", "deptBox2", "supplierBox", "receiverBox", "inSupplierBox",
                                    "outReceiverBox", "warehouseBox", "transferBox1", "transferBox2", "transferBox3",
                                    "transferBox4", "nextBox"}) {
            auto *edit = new QLineEdit(body());
            edit->setObjectName(name);
            chain << edit;
        }
        setEnterChain(chain, nullptr);
    }
    QLineEdit *edit(const QString &name) const { return findChild<QLineEdit *>(name); }
    QString proposedDepartment, proposedSequence;

public slots:
    void operatorCodeProposed(const QString &departmentCode, const QString &sequence)
    {
        proposedDepartment = departmentCode;
        proposedSequence = sequence;
    }
};

void setCell(shell::DataGrid *grid, int row, const QString &field, const QString &text)
{
    QAbstractItemModel *model = grid->proxy();
    for (int c = 0; c < model->columnCount(); ++c)
        if (model->headerData(c, Qt::Horizontal, Qt::EditRole).toString() == field
            || grid->columnTitle(c) == field) {
            QVERIFY(model->flags(model->index(row, c)) & Qt::ItemIsEditable);
            model->setData(model->index(row, c), text);
            return;
        }
    QFAIL("no such column");
}
} // namespace

class DeptFormsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { admin::registerDeptForms(); }

    // The main window opens a command's form by its class name.
    void theCommandTableFindsBothForms()
    {
        for (const char *caption : {"部门信息设置", "员工信息设置"}) {
            const shell::Command *c = shell::findCommand(QString::fromUtf8(caption));
            QVERIFY(c);
            QVERIFY2(shell::hasForm(c->formClass), caption);
        }
    }

    void aBranchIsAddedWithTheButtonsOnly()
    {
        ui::FormFixture f;
        QDialog *form = f.open(QStringLiteral("部门信息设置"));
        QVERIFY(form);
        shell::DataGrid *grid = ui::grid(form);
        QCOMPARE(grid->rowCount(), 1);
        QVERIFY(grid->isReadOnly());

        QVERIFY(ui::click(form, QStringLiteral("新增")));
        QCOMPARE(grid->rowCount(), 2);
        QCOMPARE(grid->value(1, QStringLiteral("部门编号")).toString(), QStringLiteral("0001"));
        QVERIFY(!(grid->proxy()->flags(grid->proxy()->index(1, 0)) & Qt::ItemIsEditable));   // the code stays
        QVERIFY(ui::click(form, QStringLiteral("新增")));
        QCOMPARE(f.messages().lastText(), QStringLiteral("您已按下了新增按钮，请先保存后再进行新增"));
        QVERIFY(ui::click(form, QStringLiteral("修改")));
        QCOMPARE(f.messages().lastText(), QStringLiteral("您正在新增一个部门，请选择保存后再进行修改！"));

        QVERIFY(ui::click(form, QStringLiteral("保存")));   // no name yet
        QCOMPARE(f.messages().lastText(), QStringLiteral("请输入部门的名称,该项不能为空！"));
        QCOMPARE(count(f.db(), QStringLiteral("部门信息")), 1);

        setCell(grid, 1, QStringLiteral("部门名称"), QStringLiteral("一分店"));
        setCell(grid, 1, QStringLiteral("部门电话"), QStringLiteral("0731-88886666"));
        QVERIFY(ui::click(form, QStringLiteral("保存")));
        QCOMPARE(count(f.db(), QStringLiteral("部门信息"), QStringLiteral("部门编号 = '0001' AND 部门名称 = '一分店'")), 1);
        QCOMPARE(count(f.db(), QStringLiteral("仓库信息表"), QStringLiteral("仓库名称 = '一分店'")), 1);
        QVERIFY(grid->isReadOnly());
        QCOMPARE(ui::hintText(form), QStringLiteral("新增部门保存成功！"));

        // A modification, and a rename onto another branch's name refused.
        QVERIFY(ui::click(form, QStringLiteral("修改")));
        setCell(grid, 1, QStringLiteral("联系人"), QStringLiteral("刘经理"));
        QVERIFY(ui::click(form, QStringLiteral("保存")));
        QCOMPARE(ui::hintText(form), QStringLiteral("修改部门保存成功！"));
        QCOMPARE(count(f.db(), QStringLiteral("部门信息"), QStringLiteral("联系人 = '刘经理'")), 1);
        QVERIFY(ui::click(form, QStringLiteral("修改")));
        setCell(grid, 1, QStringLiteral("部门名称"), store::kHeadOfficeName);
        QVERIFY(ui::click(form, QStringLiteral("保存")));
        QVERIFY(f.messages().lastText().contains(QStringLiteral("部门名称不能重复")));
        QCOMPARE(count(f.db(), QStringLiteral("部门信息"), QStringLiteral("部门名称 = '一分店'")), 1);

        // Delete: the head office stays after "是"; the branch goes with its warehouse.
        f.messages().clear();
        grid->setCurrentRow(0);
        f.messages().answerNext(QMessageBox::Yes);
        QVERIFY(ui::click(form, QStringLiteral("删除")));
        QCOMPARE(f.messages().lastText(), QStringLiteral("若删除部门,可能会影响整个系统使用！小心删除！"));
        QCOMPARE(count(f.db(), QStringLiteral("部门信息")), 2);
        grid->setCurrentRow(1);
        f.messages().answerNext(QMessageBox::Yes);
        QVERIFY(ui::click(form, QStringLiteral("删除")));
        QCOMPARE(count(f.db(), QStringLiteral("部门信息")), 1);
        QCOMPARE(count(f.db(), QStringLiteral("仓库信息表")), 1);
        QCOMPARE(grid->rowCount(), 1);
    }

    void clerksCannotDelete()
    {
        ui::FormFixture f(QStringLiteral("000001"), QStringLiteral("操作员"), QStringLiteral("小李"));
        admin::addDepartment(f.db(), {QStringLiteral("0001"), QStringLiteral("一分店"), {}, {}, {}, {}}, QStringLiteral("管理员"));
        QDialog *depts = f.open(QStringLiteral("部门信息设置"));
        ui::grid(depts)->setCurrentRow(1);
        QVERIFY(ui::click(depts, QStringLiteral("删除")));
        QCOMPARE(f.messages().lastText(), QStringLiteral("只有经理或管理员才能删除部门!"));
        QCOMPARE(f.messages().count(), 1);   // no question asked
        depts->close();

        QDialog *staff = f.open(QStringLiteral("员工信息设置"));
        ui::type(ui::box(staff, QStringLiteral("员工姓名")), QStringLiteral("张三"));
        QVERIFY(ui::click(staff, QStringLiteral("加入")));
        QVERIFY(ui::click(staff, QStringLiteral("删除")));
        QCOMPARE(f.messages().lastText(), QStringLiteral("只有经理或管理员才能删除员工信息!"));
        QCOMPARE(count(f.db(), QStringLiteral("员工信息表")), 1);
    }

    void employeesAreAddedOneAfterAnother()
    {
        ui::FormFixture f;
        admin::addDepartment(f.db(), {QStringLiteral("0001"), QStringLiteral("一分店"), {}, {}, {}, {}}, QStringLiteral("管理员"));
        f.db().execWrite(QStringLiteral("UPDATE 部门信息 SET 最后员工编号 = '02' WHERE 部门编号 = '0001'"));
        QDialog *form = f.open(QStringLiteral("员工信息设置"));
        auto *dept = qobject_cast<QComboBox *>(ui::box(form, QStringLiteral("所属部门")));
        QCOMPARE(dept->count(), 2);
        QCOMPARE(dept->currentText(), store::kHeadOfficeName);
        dept->setCurrentText(QStringLiteral("一分店"));
        ui::leave(dept);   // the list shows the branch's staff only

        QWidget *name = ui::box(form, QStringLiteral("员工姓名"));
        ui::type(name, QStringLiteral("欧阳小明华"));   // the fifth character does not fit
        QCOMPARE(qobject_cast<QLineEdit *>(name)->text(), QStringLiteral("欧阳小明"));
        ui::pressEnter(name);
        QVERIFY(ui::box(form, QStringLiteral("员工代号"))->hasFocus());
        ui::type(ui::box(form, QStringLiteral("员工组别")), QStringLiteral("机修组"));
        QVERIFY(ui::click(form, QStringLiteral("加入")));
        QCOMPARE(ui::hintText(form), QStringLiteral("员工信息保存成功！"));
        QCOMPARE(f.db().scalar(QStringLiteral("SELECT 员工编号 FROM 员工信息表 WHERE 员工姓名 = '欧阳小明'")).toString(),
                 QStringLiteral("000103"));
        QVERIFY(qobject_cast<QLineEdit *>(name)->text().isEmpty());
        QVERIFY(name->hasFocus());
        QCOMPARE(dept->currentText(), QStringLiteral("一分店"));
        QCOMPARE(ui::grid(form)->rowCount(), 1);

        QVERIFY(ui::click(form, QStringLiteral("加入")));   // empty name
        QCOMPARE(f.messages().lastText(), QStringLiteral("请输入员工姓名，然后再进行加入操作！"));

        ui::grid(form)->setCurrentRow(0);
        f.messages().answerNext(QMessageBox::Yes);
        QVERIFY(ui::click(form, QStringLiteral("删除")));
        QCOMPARE(f.messages().lastText(), QStringLiteral("您真的要删除该员工的信息吗？"));
        QCOMPARE(count(f.db(), QStringLiteral("员工信息表")), 0);
        QCOMPARE(ui::grid(form)->rowCount(), 0);
    }

    // Every tag of the table hands the name back to where its opener has its box.
    void theChooserHandsBackByCallerTag_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("focus");
        QTest::newRow("用户管理") << "用户管理" << "deptBox" << "";
        QTest::newRow("物品入库") << "物品入库" << "supplierBox" << "receiverBox";
        QTest::newRow("物品出库") << "物品出库" << "receiverBox" << "inSupplierBox";
        QTest::newRow("物品入库统计") << "物品入库统计" << "inSupplierBox" << "inSupplierBox";
        QTest::newRow("物品出库统计") << "物品出库统计" << "outReceiverBox" << "outReceiverBox";
        QTest::newRow("收费月结") << "收费月结" << "deptBox" << "";
        QTest::newRow("收费查询") << "收费查询" << "deptBox" << "";
        QTest::newRow("收费录入") << "收费录入" << "deptBox" << "";
        QTest::newRow("库存初始化") << "库存初始化" << "warehouseBox" << "";
        QTest::newRow("洗车单查询") << "洗车单查询" << "deptBox" << "";
        QTest::newRow("洗车单查询2") << "洗车单查询2" << "deptBox2" << "";
        QTest::newRow("会员卡查询") << "会员卡查询" << "deptBox" << "";
        QTest::newRow("客户消费清单") << "客户消费清单" << "deptBox" << "";
        for (int i = 1; i <= 4; ++i)
            QTest::newRow(qPrintable(QStringLiteral("调拨入库情况统计%1").arg(i)))
                << QStringLiteral("调拨入库情况统计%1").arg(i) << QStringLiteral("transferBox%1").arg(i) << "";
    }
    void theChooserHandsBackByCallerTag()
    {
        QFETCH(QString, tag);
        QFETCH(QString, box);
        QFETCH(QString, focus);
        ui::FormFixture f;
        admin::addDepartment(f.db(), {QStringLiteral("0002"), QStringLiteral("二分店"), {}, {}, {}, {}}, QStringLiteral("管理员"));
        auto *opener = f.show(new Opener(f.owner()));
        auto *chooser = qobject_cast<shell::ChooserForm *>(shell::createForm(QStringLiteral("TListDeptForm"), opener));
        QVERIFY(chooser);
        chooser->setCallerTag(tag);
        QCOMPARE(chooser->title(), QStringLiteral("部门列表"));
        ui::doubleClickRow(chooser->grid(), 1);
        QCOMPARE(opener->edit(box)->text(), QStringLiteral("二分店"));
        if (!focus.isEmpty())
            QCOMPARE(QApplication::focusWidget(), opener->edit(focus));
        if (tag == QStringLiteral("用户管理")) {
            QCOMPARE(opener->edit(QStringLiteral("codeBox"))->text(), QStringLiteral("000201"));
            QCOMPARE(opener->proposedDepartment, QStringLiteral("0002"));
            QCOMPARE(opener->proposedSequence, QStringLiteral("01"));
        }
    }

    void anUnknownTagDoesNothingAndTheUnshownChooserTakesTheHeadOffice()
    {
        ui::FormFixture f;
        admin::addDepartment(f.db(), {QStringLiteral("0001"), QStringLiteral("一分店"), {}, {}, {}, {}}, QStringLiteral("管理员"));
        auto *opener = f.show(new Opener(f.owner()));
        auto *chooser = new admin::TListDeptForm(opener);
        f.show(chooser);
        chooser->setCallerTag(QStringLiteral("收费日结"));
        chooser->grid()->setCurrentRow(1);
        QVERIFY(ui::click(chooser, QStringLiteral("选择")));
        QVERIFY(chooser->isVisible());
        QVERIFY(opener->edit(QStringLiteral("deptBox"))->text().isEmpty());
        chooser->close();

        auto *unshown = new admin::TListDeptForm(opener);
        unshown->setCallerTag(QStringLiteral("库存初始化"));
        QVERIFY(unshown->choose());
        QCOMPARE(opener->edit(QStringLiteral("warehouseBox"))->text(), store::kHeadOfficeName);
        delete unshown;
    }
};

JC_TEST_MAIN(DeptFormsTest)
#include "tst_deptforms.moc"
