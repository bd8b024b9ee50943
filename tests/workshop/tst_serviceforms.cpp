#include "tests/support/ui/formfixture.h"
#include "tests/support/ui/uidriver.h"
#include "tests/workshop/formhelpers.h"
#include "tests/workshop/workshopfixture.h"
#include "shell/common/linemodel.h"
#include "workshop/forms/serviceitemchooser.h"
#include "workshop/forms/serviceitemform.h"
#include "workshop/forms/serviceobjectform.h"
#include "workshop/workshopforms.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

using namespace workshop;
using namespace workshoptest;
namespace ui = testsupport::ui;

namespace {
void seedItems(store::Db &db)
{
    addServiceCategory(db, QStringLiteral("保养"), QStringLiteral("管理员"));
    addServiceCategory(db, QStringLiteral("钣金"), QStringLiteral("管理员"));
    addServiceItem(db, {QStringLiteral("保养"), QStringLiteral("更换机油"), store::Money::fromYuan(50), {}},
                   QStringLiteral("管理员"));
    addServiceItem(db, {QStringLiteral("保养"), QStringLiteral("四轮定位"), store::Money::fromYuan(120), {}},
                   QStringLiteral("管理员"));
}
int column(shell::DataGrid *grid, const QString &field)
{
    return static_cast<shell::LineModel *>(grid->model())->fieldIndex(field);
}
} // namespace

class ServiceFormsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { registerWorkshopForms(); }

    void duplicateCategoryIsRefusedAndLeftOpen()
    {
        ui::FormFixture f;
        auto *form = qobject_cast<TInitServiceObjectForm *>(f.open(QStringLiteral("TInitServiceObjectForm")));
        QVERIFY(form);
        QCOMPARE(form->title(), QStringLiteral("服务类别设置"));
        QVERIFY(ui::click(form, QStringLiteral("保存")));
        QCOMPARE(f.messages().lastText(), QStringLiteral("您没有做服务类别初始化无需保存,谢谢合作!"));

        QVERIFY(ui::click(form, QStringLiteral("新增")));
        QVERIFY(typeIntoCell(form->grid(), 0, 0, QStringLiteral("保养")));
        QVERIFY(ui::click(form, QStringLiteral("保存")));
        QVERIFY(!form->isAdding());
        QCOMPARE(ui::hintText(form), QStringLiteral("服务类别信息保存成功！按新增按钮继续新增!"));
        QCOMPARE(journal(f.db()), QStringList{QStringLiteral("新增服务类别信息:保养")});

        QVERIFY(ui::click(form, QStringLiteral("新增")));
        QVERIFY(ui::click(form, QStringLiteral("新增")));
        QCOMPARE(f.messages().lastText(), QStringLiteral("您已按下了新增按钮，请先填写完毕服务类别保存后再进行新增"));
        QCOMPARE(form->grid()->rowCount(), 2);
        QVERIFY(typeIntoCell(form->grid(), 1, 0, QStringLiteral("保养")));
        QVERIFY(ui::click(form, QStringLiteral("保存")));
        QCOMPARE(f.messages().lastText(), QStringLiteral("该服务类别已经存在，无需重复设置！"));
        QVERIFY(form->isAdding());
        QVERIFY(form->grid()->value(1, QStringLiteral("服务项目类别")).toString().isEmpty());
        QCOMPARE(count(f.db(), QStringLiteral("服务项目类别信息表")), 1);
        // The row the grid holds open is the one that is stored once named anew.
        QVERIFY(typeIntoCell(form->grid(), 1, 0, QStringLiteral("钣金")));
        QVERIFY(ui::click(form, QStringLiteral("保存")));
        QCOMPARE(count(f.db(), QStringLiteral("服务项目类别信息表")), 2);
    }

    void onlyManagersDeleteACategoryWithItsItems()
    {
        {
            ui::FormFixture f(QStringLiteral("000102"), QStringLiteral("操作员"), QStringLiteral("小李"));
            seedItems(f.db());
            auto *form = qobject_cast<TInitServiceObjectForm *>(f.open(QStringLiteral("TInitServiceObjectForm")));
            form->grid()->setCurrentRow(0);
            QVERIFY(ui::click(form, QStringLiteral("删除")));
            QCOMPARE(f.messages().lastText(), QStringLiteral("只有经理或管理员才能删除服务类别信息!"));
            QCOMPARE(count(f.db(), QStringLiteral("服务项目信息表")), 2);
        }
        ui::FormFixture f(QStringLiteral("000101"), QStringLiteral("经理"), QStringLiteral("王经理"));
        seedItems(f.db());
        auto *form = qobject_cast<TInitServiceObjectForm *>(f.open(QStringLiteral("TInitServiceObjectForm")));
        form->grid()->setCurrentRow(0);   // 保养
        QVERIFY(ui::click(form, QStringLiteral("删除")));            // answered "否"
        QCOMPARE(f.messages().lastText(), QStringLiteral("若删除服务类别将会影响整个系统使用！小心删除！"));
        QCOMPARE(f.messages().lastCaption(), QStringLiteral("系统提示"));
        QCOMPARE(count(f.db(), QStringLiteral("服务项目类别信息表")), 2);
        f.messages().answerNext(QMessageBox::Yes);
        QVERIFY(ui::click(form, QStringLiteral("删除")));
        QCOMPARE(count(f.db(), QStringLiteral("服务项目类别信息表")), 1);
        QCOMPARE(count(f.db(), QStringLiteral("服务项目信息表")), 0);
        QCOMPARE(journal(f.db()).last(), QStringLiteral("删除服务类别信息:保养"));
        QCOMPARE(form->grid()->rowCount(), 1);
    }

    void itemsAreAddedModifiedAndDeletedThroughTheButtons()
    {
        ui::FormFixture f(QStringLiteral("000102"), QStringLiteral("操作员"), QStringLiteral("小李"));
        seedItems(f.db());
        auto *form = qobject_cast<TInitServiceItemForm *>(f.open(QStringLiteral("TInitServiceItemForm")));
        QVERIFY(form);
        shell::DataGrid *items = form->itemGrid();
        QCOMPARE(items->rowCount(), 2);
        ui::hover(form->categoryGrid());
        QCOMPARE(ui::hintText(form), QStringLiteral("在这里选择不同的服务项目的类别!!!"));

        QVERIFY(ui::click(form, QStringLiteral("新增")));
        QVERIFY(ui::click(form, QStringLiteral("新增")));
        QCOMPARE(f.messages().lastText(), QStringLiteral("您已经按了新增按钮,正在新增服务项目中!"));
        QCOMPARE(items->rowCount(), 3);
        QVERIFY(!form->categoryGrid()->isEnabled());
        QCOMPARE(items->value(2, QStringLiteral("服务项目类别")).toString(), QStringLiteral("保养"));
        QVERIFY(ui::click(form, QStringLiteral("修改")));
        QCOMPARE(f.messages().lastText(), QStringLiteral("正在新增服务项目中,不能修改,请先保存服务内容再进行修改!"));

        QVERIFY(typeIntoCell(items, 2, column(items, QStringLiteral("服务项目名称")), QStringLiteral("洗车")));
        QVERIFY(ui::click(form, QStringLiteral("保存")));
        QCOMPARE(f.messages().lastText(), QStringLiteral("请输入服务项目的服务收费金额,再进行保存!"));
        QVERIFY(typeIntoCell(items, 2, column(items, QStringLiteral("服务收费金额")), QStringLiteral("20")));
        QVERIFY(ui::click(form, QStringLiteral("保存")));
        QCOMPARE(ui::hintText(form), QStringLiteral("    服务项目信息保存成功!"));
        QVERIFY(form->categoryGrid()->isEnabled());
        QCOMPARE(count(f.db(), QStringLiteral("服务项目信息表"), QStringLiteral("服务项目名称 = ?"), {QStringLiteral("洗车")}), 1);

        // Modify the current item (洗车 stays current after its save).
        QCOMPARE(items->currentValue(QStringLiteral("服务项目名称")).toString(), QStringLiteral("洗车"));
        QVERIFY(ui::click(form, QStringLiteral("修改")));
        QVERIFY(typeIntoCell(items, items->currentRow(), column(items, QStringLiteral("服务收费金额")), QStringLiteral("25")));
        QVERIFY(ui::click(form, QStringLiteral("保存")));
        QCOMPARE(f.db().scalar(QStringLiteral("SELECT 服务收费金额 FROM 服务项目信息表 WHERE 服务项目名称 = '洗车'")).toDouble(), 25.0);
        QCOMPARE(journal(f.db()).last(), QStringLiteral("修改服务项目信息:洗车"));

        // A clerk may delete an item.
        f.messages().answerNext(QMessageBox::Yes);
        QVERIFY(ui::click(form, QStringLiteral("删除")));
        QCOMPARE(f.messages().lastText(), QStringLiteral("若删除服务项目,将会影响整个系统使用！小心删除！"));
        QCOMPARE(count(f.db(), QStringLiteral("服务项目信息表")), 2);
        QCOMPARE(journal(f.db()).last(), QStringLiteral("删除服务项目信息:洗车"));
    }

    void escapeDropsANewItemAndFreesTheCategories()
    {
        ui::FormFixture f;
        seedItems(f.db());
        auto *form = qobject_cast<TInitServiceItemForm *>(f.open(QStringLiteral("TInitServiceItemForm")));
        shell::DataGrid *items = form->itemGrid();
        QVERIFY(ui::click(form, QStringLiteral("新增")));
        QVERIFY(typeIntoCell(items, 2, column(items, QStringLiteral("服务项目名称")), QStringLiteral("打蜡")));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);     // in the cell's editor
        QTRY_VERIFY(!form->isAdding());
        QCOMPARE(items->rowCount(), 2);
        QVERIFY(form->categoryGrid()->isEnabled());

        QVERIFY(ui::click(form, QStringLiteral("新增")));
        items->view()->setFocus();
        QTest::keyClick(items->view(), Qt::Key_Escape);                     // in the grid itself
        QVERIFY(!form->isAdding());
        QCOMPARE(items->rowCount(), 2);
        QVERIFY(form->categoryGrid()->isEnabled());
        QCOMPARE(count(f.db(), QStringLiteral("服务项目信息表")), 2);
        // Another category lists its own items.
        form->categoryGrid()->setCurrentRow(1);
        QCOMPARE(items->rowCount(), 0);
    }

    void chooserWritesTheItemAndFeeForItsTag()
    {
        ui::FormFixture f;
        seedItems(f.db());
        QWidget opener;
        auto *item = new QLineEdit(&opener);
        item->setObjectName(kServiceItemBox);
        auto *fee = new QLineEdit(&opener);
        fee->setObjectName(kLabourFeeBox);

        auto *unknown = new TListServiceItemForm(&opener);
        unknown->setCallerTag(QStringLiteral("托修单录入"));
        QVERIFY(!unknown->choose());
        QVERIFY(item->text().isEmpty());
        delete unknown;

        auto *chooser = new TListServiceItemForm(&opener);
        chooser->setCallerTag(QStringLiteral("托收单录入"));
        QCOMPARE(chooser->grid()->rowCount(), 2);   // 保养: 四轮定位, 更换机油
        chooser->grid()->setCurrentRow(1);
        QVERIFY(chooser->choose());
        QCOMPARE(item->text(), QStringLiteral("更换机油"));
        QCOMPARE(fee->text(), QStringLiteral("50.00"));
    }
};

JC_TEST_MAIN(ServiceFormsTest)
#include "tst_serviceforms.moc"
