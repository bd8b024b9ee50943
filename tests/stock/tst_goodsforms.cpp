#include "shell/commandtable.h"
#include "shell/common/datagrid.h"
#include "shell/common/formframe.h"
#include "shell/common/formregistry.h"
#include "shell/common/gridexport.h"
#include "shell/common/gridproxy.h"
#include "shell/common/gridview.h"
#include "stock/forms/enterproductinfoform.h"
#include "stock/forms/initproductinfoform.h"
#include "stock/forms/listproductform.h"
#include "stock/forms/listproductobjectform.h"
#include "stock/registergoodsforms.h"
#include "tests/stock/stockfixture.h"
#include "tests/support/ui/formfixture.h"
#include "tests/support/ui/uidriver.h"

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace ui = testsupport::ui;
using namespace stocktest;

namespace {
void setCell(shell::DataGrid *grid, int row, const QString &field, const QString &text)
{
    QAbstractItemModel *model = grid->proxy();
    for (int c = 0; c < model->columnCount(); ++c)
        if (grid->columnTitle(c) == field) {
            QVERIFY(model->flags(model->index(row, c)) & Qt::ItemIsEditable);
            model->setData(model->index(row, c), text);
            return;
        }
    QFAIL("no such column");
}

// An opener with the boxes the category and goods choosers write into.
class Opener : public shell::FunctionForm {
public:
    explicit Opener(QWidget *parent) : FunctionForm(parent, QStringLiteral("测试"))
    {
        for (const char *name : {"categoryBox", "categoryCodeBox", "lastSequenceBox", "goodsBox"}) {
            auto *edit = new QLineEdit(body());
            edit->setObjectName(QString::fromUtf8(name));
        }
    }
    QString text(const char *name) const { return findChild<QLineEdit *>(QString::fromUtf8(name))->text(); }
};
} // namespace

class GoodsFormsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { stock::registerGoodsForms(); }

    // The main window opens a command's form by its class name.
    void theCommandTableFindsEveryGoodsForm()
    {
        for (const char *caption : {"物品类别设置", "物品信息设置", "物品查询"}) {
            const shell::Command *c = shell::findCommand(QString::fromUtf8(caption));
            QVERIFY(c);
            QVERIFY2(shell::hasForm(c->formClass), caption);
        }
    }

    void categoriesAreAddedWithTheButtons()
    {
        ui::FormFixture f;
        QDialog *form = f.open(QStringLiteral("物品类别设置"));
        QVERIFY(form);
        shell::DataGrid *grid = ui::grid(form);
        QVERIFY(ui::click(form, QStringLiteral("新增")));
        QCOMPARE(grid->value(0, QStringLiteral("物品类别编号")).toString(), QStringLiteral("101"));
        QVERIFY(ui::click(form, QStringLiteral("新增")));
        QCOMPARE(f.messages().lastText(), QStringLiteral("您已经按下了新增按钮，请先完成新增资料保存后再新增！"));
        setCell(grid, 0, QStringLiteral("物品类别"), QStringLiteral("机油"));
        QVERIFY(ui::click(form, QStringLiteral("保存")));
        QCOMPARE(ui::hintText(form), QStringLiteral("物品类别设置成功！"));
        QCOMPARE(count(f.db(), QStringLiteral("物品类别"), QStringLiteral("物品类别编号 = '101' AND 最后编号 = '0000'")), 1);
        QVERIFY(!(grid->proxy()->flags(grid->proxy()->index(0, 1)) & Qt::ItemIsEditable));   // a stored name stays

        QVERIFY(ui::click(form, QStringLiteral("新增")));
        QCOMPARE(grid->value(1, QStringLiteral("物品类别编号")).toString(), QStringLiteral("102"));
        setCell(grid, 1, QStringLiteral("物品类别"), QStringLiteral("机油"));
        QVERIFY(ui::click(form, QStringLiteral("保存")));
        QCOMPARE(f.messages().lastText(), QStringLiteral("该物品类别已经存在，无需重复设置！"));
        QVERIFY(grid->value(1, QStringLiteral("物品类别")).toString().isEmpty());
        QTest::keyClick(grid->view(), Qt::Key_Escape);   // gives the new row up
        QCOMPARE(grid->rowCount(), 1);

        f.messages().answerNext(QMessageBox::Yes);
        grid->setCurrentRow(0);
        QVERIFY(ui::click(form, QStringLiteral("删除")));
        QCOMPARE(f.messages().lastText(), QStringLiteral("若删除物品类别,将会影响整个系统使用！小心删除！"));
        QCOMPARE(count(f.db(), QStringLiteral("物品类别")), 0);
    }

    void goodsAreSetUpThroughTheEntryDialog()
    {
        ui::FormFixture f;
        stock::addCategory(f.db(), QStringLiteral("机油"), QStringLiteral("管理员"));
        QString exported;
        shell::setFileOpener([&](const QString &path) { exported = path; return true; });
        QDialog *form = f.open(QStringLiteral("TInitProductInfoForm"));
        QVERIFY(form);
        shell::DataGrid *goods = qobject_cast<stock::TInitProductInfoForm *>(form)->goodsGrid();

        ui::onNextModal([&](QDialog *d) {
            auto *dialog = qobject_cast<stock::TEnterProDuctInfoForm *>(d);
            QVERIFY(dialog);
            QCOMPARE(dialog->title(), QStringLiteral("新增物品信息"));
            QCOMPARE(dialog->findChild<QLabel *>(QStringLiteral("codeLabel"))->text(), QStringLiteral("1010001"));
            ui::type(ui::box(d, QStringLiteral("物品全称")), QStringLiteral("美孚机油"));
            ui::pressEnter(ui::box(d, QStringLiteral("物品全称")));
            QVERIFY(ui::box(d, QStringLiteral("条形码"))->hasFocus());
            ui::type(ui::box(d, QStringLiteral("物品单位")), QStringLiteral("桶"));
            ui::type(ui::box(d, QStringLiteral("参考进货价")), QStringLiteral("40"));
            ui::type(ui::box(d, QStringLiteral("参考销售价")), QStringLiteral("60"));
            QVERIFY(ui::click(d, QStringLiteral("保存")));   // the lowest sale price is missing
            QCOMPARE(f.messages().lastText(), QStringLiteral("请输入最低销售价,这个是必填项目!系统需要调用!"));
            QVERIFY(ui::box(d, QStringLiteral("最低销售价"))->hasFocus());
            ui::type(ui::box(d, QStringLiteral("最低销售价")), QStringLiteral("55"));
            ui::type(ui::box(d, QStringLiteral("期初数量")), QStringLiteral("5"));
            QVERIFY(ui::click(d, QStringLiteral("保存")));
            QCOMPARE(ui::hintText(d), QStringLiteral("物品：美孚机油 新增保存成功!"));
            QCOMPARE(goods->rowCount(), 1);
            QVERIFY(dialog->mode().isEmpty());

            // The next goods: the same name is refused and the clash shown behind.
            QVERIFY(ui::click(d, QStringLiteral("新增")));
            QCOMPARE(dialog->findChild<QLabel *>(QStringLiteral("codeLabel"))->text(), QStringLiteral("1010002"));
            ui::type(ui::box(d, QStringLiteral("物品全称")), QStringLiteral("美孚机油"));
            ui::leave(ui::box(d, QStringLiteral("物品全称")));
            QCOMPARE(f.messages().lastText(), QStringLiteral("资料表内已存在该相同名称的物品，不能再新增!"));
            QVERIFY(qobject_cast<QLineEdit *>(ui::box(d, QStringLiteral("物品全称")))->text().isEmpty());
            QCOMPARE(goods->rowCount(), 1);
            QCOMPARE(goods->value(0, QStringLiteral("物品名称")).toString(), QStringLiteral("美孚机油"));
            QVERIFY(ui::click(d, QStringLiteral("退出")));
        });
        QVERIFY(ui::click(form, QStringLiteral("新增")));
        QCOMPARE(count(f.db(), QStringLiteral("物品信息表")), 1);
        QCOMPARE(count(f.db(), QStringLiteral("物品库存表"), QStringLiteral("物品编号 = '1010001' AND 物品数量 = 5")), 1);
        QCOMPARE(f.db().scalar(QStringLiteral("SELECT 最后编号 FROM 物品类别")).toString(), QStringLiteral("0001"));

        // A modification renames the stock row; the dialog closes.
        goods->setCurrentRow(0);
        f.messages().answerNext(QMessageBox::Yes);
        ui::onNextModal([&](QDialog *d) {
            QCOMPARE(static_cast<shell::FunctionForm *>(d)->title(), QStringLiteral("物品信息修改"));
            QVERIFY(!ui::box(d, QStringLiteral("期初数量"))->isVisible());
            QCOMPARE(qobject_cast<QLineEdit *>(ui::box(d, QStringLiteral("参考进货价")))->text(), QStringLiteral("40.00"));
            ui::type(ui::box(d, QStringLiteral("物品全称")), QStringLiteral("美孚一号"));
            QVERIFY(ui::click(d, QStringLiteral("保存")));
        });
        QVERIFY(ui::click(form, QStringLiteral("修改")));
        QCOMPARE(count(f.db(), QStringLiteral("物品库存表"), QStringLiteral("物品名称 = '美孚一号'")), 1);
        QCOMPARE(ui::hintText(form), QStringLiteral("物品：美孚一号 修改保存成功!"));

        QVERIFY(ui::click(form, QStringLiteral("导出")));
        QVERIFY(QFileInfo::exists(exported));
        shell::setFileOpener({});

        goods->setCurrentRow(0);
        f.messages().answerNext(QMessageBox::Yes);
        QVERIFY(ui::click(form, QStringLiteral("删除")));
        QCOMPARE(count(f.db(), QStringLiteral("物品信息表")), 0);
        QCOMPARE(count(f.db(), QStringLiteral("物品库存表")), 0);
    }

    void clerksCannotDeleteGoodsOrCategories()
    {
        ui::FormFixture f(QStringLiteral("000001"), QStringLiteral("操作员"), QStringLiteral("小李"));
        addOilGoods(f.db());
        QDialog *goodsForm = f.open(QStringLiteral("TInitProductInfoForm"));
        qobject_cast<stock::TInitProductInfoForm *>(goodsForm)->goodsGrid()->setCurrentRow(0);
        QVERIFY(ui::click(goodsForm, QStringLiteral("删除")));
        QCOMPARE(f.messages().lastText(), QStringLiteral("只有经理或管理员才能删除物品信息!"));
        goodsForm->close();
        QDialog *categoryForm = f.open(QStringLiteral("物品类别设置"));
        ui::grid(categoryForm)->setCurrentRow(0);
        QVERIFY(ui::click(categoryForm, QStringLiteral("删除")));
        QCOMPARE(f.messages().lastText(), QStringLiteral("只有经理或管理员才能删除物品类别信息!"));
        QCOMPARE(f.messages().count(), 2);
        QCOMPARE(count(f.db(), QStringLiteral("物品信息表")), 1);
    }

    void theStockQueryFindsAndExports()
    {
        ui::FormFixture f;
        const QString oil = addOilGoods(f.db());
        stock::addCategory(f.db(), QStringLiteral("轮胎"), QStringLiteral("管理员"));
        stock::Goods tyre = goods(QStringLiteral("米其林轮胎"), QStringLiteral("轮胎"), QStringLiteral("MX01"));
        stock::addGoods(f.db(), tyre, 4.0, QStringLiteral("管理员"));
        stock::applyStockNote(f.db(), note(stock::Movement::In, kWarehouse, {line(oil, 3, 12)}));
        QString exported;
        shell::setFileOpener([&](const QString &path) { exported = path; return true; });

        QDialog *form = f.open(QStringLiteral("物品查询"));
        shell::DataGrid *grid = ui::grid(form);
        QCOMPARE(grid->rowCount(), 2);
        ui::type(ui::box(form, QStringLiteral("物品名称")), QStringLiteral("MX01"));
        ui::pressEnter(ui::box(form, QStringLiteral("物品名称")));
        QCOMPARE(grid->rowCount(), 1);
        QCOMPARE(grid->displayText(0, QStringLiteral("物品数量")), QStringLiteral("4.000"));

        ui::type(ui::box(form, QStringLiteral("物品名称")), QString());
        ui::onNextModal([](QDialog *chooser) {
            ui::doubleClickRow(ui::grid(chooser), 0);   // 机油
        });
        QTest::mouseDClick(ui::box(form, QStringLiteral("物品类型")), Qt::LeftButton);
        QCOMPARE(qobject_cast<QLineEdit *>(ui::box(form, QStringLiteral("物品类型")))->text(), QStringLiteral("机油"));
        QVERIFY(ui::click(form, QStringLiteral("查找")));
        QCOMPARE(grid->rowCount(), 1);
        QCOMPARE(grid->value(0, QStringLiteral("物品名称")).toString(), QStringLiteral("美孚机油"));
        QVERIFY(ui::click(form, QStringLiteral("导出")));
        QVERIFY(QFileInfo::exists(exported));

        ui::type(ui::box(form, QStringLiteral("物品名称")), QStringLiteral("没有这种"));
        ui::pressEnter(ui::box(form, QStringLiteral("物品名称")));
        QVERIFY(ui::click(form, QStringLiteral("导出")));
        QCOMPARE(f.messages().lastText(), QStringLiteral("没有物品库存资料可以导出,谢谢合作!"));
        shell::setFileOpener({});
    }

    void theCategoryChooserHandsBackByCallerTag_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::newRow("物品设置") << "物品设置";
        QTest::newRow("仓库资料导入") << "仓库资料导入";
        QTest::newRow("仓库盘点") << "仓库盘点";
        QTest::newRow("物品查询") << "物品查询";
        QTest::newRow("unknown") << "物品";
    }
    void theCategoryChooserHandsBackByCallerTag()
    {
        QFETCH(QString, tag);
        ui::FormFixture f;
        addOilGoods(f.db());
        auto *opener = f.show(new Opener(f.owner()));
        auto *chooser = qobject_cast<shell::ChooserForm *>(shell::createForm(QStringLiteral("TListProDuctObjectForm"), opener));
        f.show(chooser);
        chooser->setCallerTag(tag);
        QVERIFY(ui::click(chooser, QStringLiteral("选择")));
        const bool known = tag != QStringLiteral("物品");
        QCOMPARE(opener->text("categoryBox"), known ? QStringLiteral("机油") : QString());
        QCOMPARE(chooser->isVisible(), !known);
        if (tag == QStringLiteral("仓库资料导入")) {
            QCOMPARE(opener->text("categoryCodeBox"), QStringLiteral("101"));
            QCOMPARE(opener->text("lastSequenceBox"), QStringLiteral("0001"));
        }
        if (!known)
            chooser->close();
    }

    void theGoodsChooserSearchesAndHandsBackTheName()
    {
        ui::FormFixture f;
        addOilGoods(f.db());
        stock::addCategory(f.db(), QStringLiteral("轮胎"), QStringLiteral("管理员"));
        stock::addGoods(f.db(), goods(QStringLiteral("米其林轮胎"), QStringLiteral("轮胎"), QStringLiteral("MX01")),
                        std::nullopt, QStringLiteral("管理员"));
        auto *opener = f.show(new Opener(f.owner()));
        auto *chooser = new stock::TListProductForm(opener);
        f.show(chooser);
        chooser->setCallerTag(QStringLiteral("出库流水"));
        QCOMPARE(chooser->grid()->rowCount(), 1);          // the first category's goods
        chooser->categoryGrid()->setCurrentRow(1);
        QCOMPARE(chooser->grid()->value(0, QStringLiteral("物品名称")).toString(), QStringLiteral("米其林轮胎"));
        ui::type(chooser->searchBox(), QStringLiteral("MX01"));
        QVERIFY(ui::click(chooser, QStringLiteral("查找")));     // by name, then specs: nothing
        QCOMPARE(chooser->grid()->rowCount(), 0);
        ui::pressEnter(chooser->searchBox());                    // by name or barcode
        QCOMPARE(chooser->grid()->rowCount(), 1);
        ui::doubleClickRow(chooser->grid(), 0);
        QCOMPARE(opener->text("goodsBox"), QStringLiteral("米其林轮胎"));
    }
};

JC_TEST_MAIN(GoodsFormsTest)
#include "tst_goodsforms.moc"
