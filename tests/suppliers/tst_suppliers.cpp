#include "customers/suppliers/initprividerform.h"
#include "customers/suppliers/listclientform.h"
#include "customers/suppliers/registersuppliers.h"
#include "customers/suppliers/supplierservice.h"
#include "store/ruleerror.h"

#include "shell/common/datagrid.h"
#include "shell/common/formframe.h"
#include "shell/common/formregistry.h"
#include "shell/common/gridview.h"
#include "shell/common/linemodel.h"
#include "tests/support/testdb.h"
#include "tests/support/ui/formfixture.h"
#include "tests/support/ui/uidriver.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

using namespace customers;
namespace ui = testsupport::ui;

namespace {

Supplier supplier(const QString &name, const QString &code = {})
{
    Supplier s;
    s.code = code;
    s.name = name;
    s.contact = QStringLiteral("刘经理");
    s.phone = QStringLiteral("0571-8888");
    return s;
}

shell::OperatorContext person(const QString &category)
{
    return {QStringLiteral("000009"), QStringLiteral("小王"), category, QStringLiteral("骏程汽车维修中心"), {}};
}

int journalRows(store::Db &db, const QString &text)
{
    return db.scalar(QStringLiteral("SELECT COUNT(*) FROM 操作流水表 WHERE 业务内容 = ?"), {text}).toInt();
}

// A modifiable supplier grid cell, typed the way the grid's editor stores it.
void setCell(TInitPrividerForm *form, int row, const QString &field, const QString &text)
{
    auto *model = qobject_cast<shell::LineModel *>(form->grid()->model());
    QVERIFY(model);
    const QModelIndex index = model->index(row, model->fieldIndex(field));
    QVERIFY(model->flags(index) & Qt::ItemIsEditable);
    QVERIFY(model->setData(index, text));
}

} // namespace

class SupplierTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { registerSupplierForms(); }

    void codeRule_data()
    {
        QTest::addColumn<QString>("highest");
        QTest::addColumn<QString>("next");
        QTest::newRow("empty table") << QString() << QStringLiteral("100001");
        QTest::newRow("runs on") << QStringLiteral("100001") << QStringLiteral("100002");
        QTest::newRow("short stored code") << QStringLiteral("000123") << QStringLiteral("100124");
        QTest::newRow("five digits") << QStringLiteral("12345") << QStringLiteral("112346");
        QTest::newRow("six digits kept") << QStringLiteral("234567") << QStringLiteral("234568");
        QTest::newRow("used up") << QStringLiteral("999999") << QString();
    }
    void codeRule()
    {
        QFETCH(QString, highest);
        QFETCH(QString, next);
        QCOMPARE(supplierCodeAfter(highest), next);
    }

    void codesRunOnFromTheHighest()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        QCOMPARE(nextSupplierCode(db), QStringLiteral("100001"));
        QCOMPARE(addSupplier(db, supplier(QStringLiteral("华通配件"), nextSupplierCode(db)), QStringLiteral("管理员")),
                 QStringLiteral("100001"));
        QCOMPARE(addSupplier(db, supplier(QStringLiteral("东方油品"), nextSupplierCode(db)), QStringLiteral("管理员")),
                 QStringLiteral("100002"));

        testsupport::TestDatabase other;
        other.db().execWrite(QStringLiteral("INSERT INTO 供销商信息表 (供销商编号, 供销商名称) VALUES ('000123', '老客户')"));
        other.db().execWrite(QStringLiteral("INSERT INTO 供销商信息表 (供销商编号, 供销商名称) VALUES ('X1', '编号不是数字')"));
        QCOMPARE(nextSupplierCode(other.db()), QStringLiteral("100124"));
    }

    void aCodeTakenMeanwhileGivesTheNextOne()
    {
        testsupport::TestDatabase t;
        const QString proposed = nextSupplierCode(t.db());
        auto otherStation = t.connect();
        addSupplier(*otherStation, supplier(QStringLiteral("先到的供销商"), proposed), QStringLiteral("小李"));
        QCOMPARE(addSupplier(t.db(), supplier(QStringLiteral("后到的供销商"), proposed), QStringLiteral("管理员")),
                 QStringLiteral("100002"));
    }

    void duplicatesRefusedOnCreateOnly()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        const QString first = addSupplier(db, supplier(QStringLiteral("华通配件")), QStringLiteral("管理员"));
        addSupplier(db, supplier(QStringLiteral("东方油品")), QStringLiteral("管理员"));
        QCOMPARE(journalRows(db, QStringLiteral("新增供应商信息:华通配件")), 1);

        try {
            addSupplier(db, supplier(QStringLiteral(" 华通配件 ")), QStringLiteral("管理员"));
            QFAIL("a duplicate name was stored");
        } catch (const store::RuleError &e) {
            QCOMPARE(e.message(), kSupplierNameTaken);
        }
        try {
            addSupplier(db, supplier(QStringLiteral("  ")), QStringLiteral("管理员"));
            QFAIL("an empty name was stored");
        } catch (const store::RuleError &e) {
            QCOMPARE(e.message(), kSupplierNameRequired);
        }
        QCOMPARE(suppliers(db).size(), 2);

        // Renaming onto an existing name is accepted.
        Supplier renamed = *supplierByCode(db, first);
        renamed.name = QStringLiteral("东方油品");
        updateSuppliers(db, {renamed}, QStringLiteral("管理员"));
        QCOMPARE(supplierByCode(db, first)->name, QStringLiteral("东方油品"));
        QCOMPARE(journalRows(db, QStringLiteral("修改供应商信息:东方油品")), 1);
    }

    void aQuoteInANameIsJustACharacter()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        const QString name = QStringLiteral("O'Neil 配件'); DELETE FROM 供销商信息表; --");
        addSupplier(db, supplier(name), QStringLiteral("管理员"));
        addSupplier(db, supplier(QStringLiteral("华通配件")), QStringLiteral("管理员"));
        const store::ListQuery q = supplierListQuery(db, QStringLiteral("O'Neil"));
        QSqlQuery rows = db.exec(q.sql, q.params);
        QVERIFY(rows.next());
        QCOMPARE(rows.value(QStringLiteral("供销商名称")).toString(), name);
        QVERIFY(!rows.next());
        QCOMPARE(suppliers(db).size(), 2);
    }

    void aWildcardInTheSearchMatchesItself()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        addSupplier(db, supplier(QStringLiteral("50%配件")), QStringLiteral("管理员"));
        addSupplier(db, supplier(QStringLiteral("500配件")), QStringLiteral("管理员"));
        addSupplier(db, supplier(QStringLiteral("A_B汽配")), QStringLiteral("管理员"));
        addSupplier(db, supplier(QStringLiteral("AXB汽配")), QStringLiteral("管理员"));
        for (const auto &[search, found] : {std::pair{QStringLiteral("50%"), QStringLiteral("50%配件")},
                                            std::pair{QStringLiteral("A_B"), QStringLiteral("A_B汽配")}}) {
            const store::ListQuery q = supplierListQuery(db, search);
            QSqlQuery rows = db.exec(q.sql, q.params);
            QVERIFY(rows.next());
            QCOMPARE(rows.value(QStringLiteral("供销商名称")).toString(), found);
            QVERIFY2(!rows.next(), qPrintable(search));
        }
    }

    void onlyManagersDelete()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        const QString code = addSupplier(db, supplier(QStringLiteral("华通配件")), QStringLiteral("管理员"));
        try {
            deleteSupplier(db, code, person(QStringLiteral("操作员")));
            QFAIL("a clerk deleted a supplier");
        } catch (const store::RuleError &e) {
            QCOMPARE(e.message(), kSupplierDeleteRefused);
        }
        QVERIFY(supplierByCode(db, code));
        deleteSupplier(db, code, person(QStringLiteral("经理")));
        QVERIFY(!supplierByCode(db, code));
        QCOMPARE(journalRows(db, QStringLiteral("删除供销商信息:华通配件")), 1);
    }

    // The setup form: add, refuse a duplicate, modify twice, Esc, and the open case of
    // "新增" during a modification.
    void setupFormFlow()
    {
        ui::FormFixture f;
        addSupplier(f.db(), supplier(QStringLiteral("华通配件")), QStringLiteral("管理员"));
        auto *form = qobject_cast<TInitPrividerForm *>(f.open(QStringLiteral("TInitPrividerForm")));
        QVERIFY(form);
        QCOMPARE(form->grid()->rowCount(), 1);

        QVERIFY(ui::click(form, QStringLiteral("保存")));
        QCOMPARE(f.messages().lastText(), QStringLiteral("您没有新建供销商资料,无需进行保存!谢谢合作!"));

        QVERIFY(ui::click(form, QStringLiteral("新增")));
        QCOMPARE(form->grid()->value(1, QStringLiteral("供销商编号")).toString(), QStringLiteral("100002"));
        QVERIFY(ui::click(form, QStringLiteral("新增")));
        QCOMPARE(f.messages().lastText(), QStringLiteral("您已经按下了新增按钮，请先完成新增资料保存后再新增！"));
        QVERIFY(ui::click(form, QStringLiteral("修改")));
        QCOMPARE(f.messages().lastText(), QStringLiteral("您现正在新建供销资料,请先保存再进行修改!"));
        QVERIFY(ui::click(form, QStringLiteral("保存")));
        QCOMPARE(f.messages().lastText(), kSupplierNameRequired);
        setCell(form, 1, QStringLiteral("供销商名称"), QStringLiteral("华通配件"));
        QVERIFY(ui::click(form, QStringLiteral("保存")));
        QCOMPARE(f.messages().lastText(), kSupplierNameTaken);
        QVERIFY(form->isAdding());

        // Esc in the grid drops the row being added.
        QTest::keyClick(form->grid()->view(), Qt::Key_Escape);
        QVERIFY(!form->isAdding());
        QCOMPARE(form->grid()->rowCount(), 1);

        QVERIFY(ui::click(form, QStringLiteral("新增")));
        setCell(form, 1, QStringLiteral("供销商名称"), QStringLiteral("东方油品"));
        setCell(form, 1, QStringLiteral("联系人"), QStringLiteral("陈先生"));
        QVERIFY(ui::click(form, QStringLiteral("保存")));
        QCOMPARE(ui::hintText(form), QStringLiteral("供销商信息新增保存成功!"));
        QCOMPARE(supplierByCode(f.db(), QStringLiteral("100002"))->contact, QStringLiteral("陈先生"));

        // Modifying: "新增" is refused until the modification is saved.
        form->grid()->setCurrentRow(0);
        QVERIFY(ui::click(form, QStringLiteral("修改")));
        QVERIFY(ui::click(form, QStringLiteral("修改")));
        QCOMPARE(f.messages().lastText(), QStringLiteral("您正在修改供销商资料,请先保存再进行修改!"));
        QVERIFY(ui::click(form, QStringLiteral("新增")));
        QCOMPARE(f.messages().lastText(), QStringLiteral("您正在修改供销商资料,请先保存再新增!"));
        QCOMPARE(form->grid()->rowCount(), 2);
        setCell(form, 0, QStringLiteral("供销商名称"), QStringLiteral("东方油品"));
        QVERIFY(ui::click(form, QStringLiteral("保存")));
        QCOMPARE(ui::hintText(form), QStringLiteral("供销商信息修改保存成功!"));
        QCOMPARE(supplierByCode(f.db(), QStringLiteral("100001"))->name, QStringLiteral("东方油品"));
        const int messagesBefore = f.messages().count();
        QVERIFY(ui::click(form, QStringLiteral("修改")));
        QCOMPARE(f.messages().count(), messagesBefore);
        QVERIFY(form->isModifying());
        QVERIFY(ui::click(form, QStringLiteral("保存")));

        // Deleting asks first.
        form->grid()->setCurrentRow(1);
        f.messages().answerNext(QMessageBox::Yes);
        QVERIFY(ui::click(form, QStringLiteral("删除")));
        QCOMPARE(f.messages().lastText(), QStringLiteral("若删除供销商,有可能影响整个系统使用！真的要删除吗?"));
        QCOMPARE(f.messages().lastCaption(), QStringLiteral("系统提示"));
        QVERIFY(!supplierByCode(f.db(), QStringLiteral("100002")));
        QCOMPARE(form->grid()->rowCount(), 1);
        QVERIFY(ui::click(form, QStringLiteral("退出")));
    }

    void clerkCannotDeleteFromTheForm()
    {
        ui::FormFixture f(QStringLiteral("000101"), QStringLiteral("操作员"), QStringLiteral("小李"));
        addSupplier(f.db(), supplier(QStringLiteral("华通配件")), QStringLiteral("管理员"));
        QDialog *form = f.open(QStringLiteral("TInitPrividerForm"));
        QVERIFY(ui::click(form, QStringLiteral("删除")));
        QCOMPARE(f.messages().lastText(), kSupplierDeleteRefused);
        QCOMPARE(suppliers(f.db()).size(), 1);
        QVERIFY(ui::click(form, QStringLiteral("退出")));
    }

    // The chooser opened with "物品入库" puts the picked name into the opener's supplier
    // box, moves on along its Enter chain and closes.
    void chooserHandsTheNameBack()
    {
        ui::FormFixture f(QStringLiteral("000101"), QStringLiteral("操作员"), QStringLiteral("小李"));
        addSupplier(f.db(), supplier(QStringLiteral("华通配件")), QStringLiteral("管理员"));
        addSupplier(f.db(), supplier(QStringLiteral("东方油品")), QStringLiteral("管理员"));

        auto *opener = new shell::FunctionForm(f.owner(), QStringLiteral("物品入库录入"));
        auto *layout = new QVBoxLayout(opener->body());
        auto *supplierBox = new QLineEdit(opener->body());
        supplierBox->setObjectName(kSupplierBoxName);
        auto *nextBox = new QLineEdit(opener->body());
        layout->addWidget(supplierBox);
        layout->addWidget(nextBox);
        opener->setEnterChain({supplierBox, nextBox}, nullptr);
        f.show(opener);

        auto *chooser = qobject_cast<TListClientForm *>(shell::createForm(QStringLiteral("TListClientForm"), opener));
        QVERIFY(chooser);
        QVERIFY(QMetaObject::invokeMethod(chooser, "search", Q_ARG(QString, QStringLiteral("油"))));
        QPointer<TListClientForm> alive(chooser);
        ui::onNextModal([&](QDialog *) {
            QCOMPARE(chooser->grid()->rowCount(), 1);
            // "新建" needs the right to "物品查询".
            QVERIFY(ui::click(chooser, QStringLiteral("新建")));
            QCOMPARE(f.messages().lastText(), QStringLiteral("您没有使用该功能的权限,请与系统管理员联系!谢谢合作!"));
            chooser->setCallerTag(QStringLiteral("未知用途"));
            QVERIFY(!chooser->choose());
            QVERIFY(chooser->isVisible());
            chooser->setCallerTag(QStringLiteral("物品入库"));
            ui::doubleClickRow(chooser->grid(), 0);
        });
        chooser->exec();
        QCOMPARE(supplierBox->text(), QStringLiteral("东方油品"));
        QCOMPARE(opener->focusWidget(), nextBox);
        QTRY_VERIFY(!alive);
        opener->close();
    }
};

JC_TEST_MAIN(SupplierTest)
#include "tst_suppliers.moc"
