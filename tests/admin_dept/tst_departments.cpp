#include "admin/dept/deptservice.h"
#include "admin/dept/employeeservice.h"
#include "store/blankdb.h"
#include "store/ruleerror.h"
#include "tests/support/fixtures.h"
#include "tests/support/testdb.h"

#include <QApplication>
#include <QTest>

using namespace admin;

using testsupport::clerk;
using testsupport::count;
using testsupport::journalText;
using testsupport::manager;
using testsupport::refusal;

namespace {
Department branch(const QString &name, const QString &code = {})
{
    Department d;
    d.code = code;
    d.name = name;
    d.address = QStringLiteral("长沙市五一路1号");
    d.phone = QStringLiteral("0731-1234567");
    return d;
}
} // namespace

class DepartmentsTest : public QObject {
    Q_OBJECT
private slots:
    void newCodesFollowTheHighest()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        QCOMPARE(nextDepartmentCode(db), QStringLiteral("0001"));
        QCOMPARE(addDepartment(db, branch(QStringLiteral("一分店"), nextDepartmentCode(db)), QStringLiteral("管理员")),
                 QStringLiteral("0001"));
        QCOMPARE(nextDepartmentCode(db), QStringLiteral("0002"));
        addDepartment(db, branch(QStringLiteral("七分店"), QStringLiteral("0007")), QStringLiteral("管理员"));
        QCOMPARE(nextDepartmentCode(db), QStringLiteral("0008"));
        // A code another workstation took meanwhile is replaced by the next free one.
        QCOMPARE(addDepartment(db, branch(QStringLiteral("二分店"), QStringLiteral("0007")), QStringLiteral("管理员")),
                 QStringLiteral("0008"));
    }

    void aNewDepartmentGetsItsCountersAndWarehouse()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        const QString code = addDepartment(db, branch(QStringLiteral(" 一分店 "), QStringLiteral("0001")), QStringLiteral("管理员"));
        const auto row = db.one(QStringLiteral("SELECT * FROM 部门信息 WHERE 部门编号 = ?"), {code});
        QCOMPARE(row->value("部门名称").toString(), QStringLiteral("一分店"));
        QCOMPARE(row->value("最后入库单号").toString(), QStringLiteral("00000000"));
        QCOMPARE(row->value("最后员工编号").toString(), QStringLiteral("0000"));
        QCOMPARE(row->value("最后托修单号").toString(), QString());
        QCOMPARE(db.scalar(QStringLiteral("SELECT 仓库编号 FROM 仓库信息表 WHERE 仓库名称 = '一分店'")).toString(),
                 QStringLiteral("0001"));
        QCOMPARE(journalText(db), QStringLiteral("新增部门:一分店"));
        QCOMPARE(db.scalar(QStringLiteral("SELECT 操作员 FROM 操作流水表 ORDER BY 流水号 DESC")).toString(), QStringLiteral("管理员"));
    }

    void namesMustBeGivenAndUnique()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        addDepartment(db, branch(QStringLiteral("一分店"), QStringLiteral("0001")), QStringLiteral("管理员"));
        addDepartment(db, branch(QStringLiteral("二分店"), QStringLiteral("0002")), QStringLiteral("管理员"));
        QCOMPARE(refusal([&] { addDepartment(db, branch(QStringLiteral("  ")), QStringLiteral("管理员")); }),
                 QStringLiteral("请输入部门的名称,该项不能为空！"));
        QCOMPARE(refusal([&] { addDepartment(db, branch(QStringLiteral("一分店")), QStringLiteral("管理员")); }),
                 QStringLiteral("部门名称\"一分店\"已被部门0001使用,部门名称不能重复!"));
        QCOMPARE(refusal([&] { updateDepartment(db, branch(store::kHeadOfficeName, QStringLiteral("0002")), QStringLiteral("管理员")); }),
                 QStringLiteral("部门名称\"%1\"已被部门0000使用,部门名称不能重复!").arg(store::kHeadOfficeName));
        QVERIFY(!refusal([&] { addDepartment(db, branch(QString(26, QChar(0x5E97))), QStringLiteral("管理员")); }).isEmpty());
        QCOMPARE(count(db, QStringLiteral("部门信息")), 3);
        QCOMPARE(count(db, QStringLiteral("仓库信息表")), 3);
        // Saving a department under its own name is no clash.
        updateDepartment(db, branch(QStringLiteral("一分店"), QStringLiteral("0001")), QStringLiteral("管理员"));
        QCOMPARE(journalText(db), QStringLiteral("修改部门:一分店"));
    }

    void aRenameCarriesTheNameToEveryLookUpByName()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        addDepartment(db, branch(QStringLiteral("一分店"), QStringLiteral("0001")), QStringLiteral("管理员"));
        addEmployee(db, {{}, QStringLiteral("张三"), QStringLiteral("一分店"), {}, {}, {}}, QStringLiteral("管理员"));
        db.execWrite(QStringLiteral("INSERT INTO 操作员信息表 (操作员代号, 操作员姓名, 所属部门, 部门编号) VALUES ('000101', '李四', '一分店', '0001')"));
        db.execWrite(QStringLiteral("INSERT INTO 物品库存表 (物品编号, 仓库, 物品数量) VALUES ('1010001', '一分店', 3)"));
        db.execWrite(QStringLiteral("INSERT INTO 入库单主表 (入库单编号, 收料仓库) VALUES ('000000000001', '一分店')"));

        updateDepartment(db, branch(QStringLiteral("五一路店"), QStringLiteral("0001")), QStringLiteral("管理员"));
        QCOMPARE(db.scalar(QStringLiteral("SELECT 仓库名称 FROM 仓库信息表 WHERE 仓库编号 = '0001'")).toString(), QStringLiteral("五一路店"));
        QCOMPARE(count(db, QStringLiteral("物品库存表"), QStringLiteral("仓库 = '五一路店'")), 1);
        QCOMPARE(count(db, QStringLiteral("操作员信息表"), QStringLiteral("所属部门 = '五一路店'")), 1);
        QCOMPARE(count(db, QStringLiteral("员工信息表"), QStringLiteral("所在部门 = '五一路店'")), 1);
        QCOMPARE(count(db, QStringLiteral("入库单主表"), QStringLiteral("收料仓库 = '一分店'")), 1);   // saved notes keep theirs
        QCOMPARE(journalText(db), QStringLiteral("修改部门:五一路店"));
    }

    void theHeadOfficeIsNeverDeleted()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        QCOMPARE(deleteDepartment(db, store::kHeadOfficeCode, manager()), DeleteResult::HeadOfficeKept);
        QCOMPARE(count(db, QStringLiteral("部门信息")), 1);
        QCOMPARE(count(db, QStringLiteral("仓库信息表")), 1);
        QCOMPARE(count(db, QStringLiteral("操作流水表")), 0);
    }

    void deletingABranchRemovesItsWarehouseOnly()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        addDepartment(db, branch(QStringLiteral("一分店"), QStringLiteral("0001")), QStringLiteral("管理员"));
        addDepartment(db, branch(QStringLiteral("一分店二部"), QStringLiteral("0002")), QStringLiteral("管理员"));
        QCOMPARE(deleteDepartment(db, QStringLiteral("0001"), manager()), DeleteResult::Deleted);
        QVERIFY(!departmentByCode(db, QStringLiteral("0001")));
        QCOMPARE(count(db, QStringLiteral("仓库信息表"), QStringLiteral("仓库名称 = '一分店'")), 0);
        QCOMPARE(count(db, QStringLiteral("仓库信息表")), 2);
        QCOMPARE(journalText(db), QStringLiteral("删除部门:一分店"));
        QCOMPARE(db.scalar(QStringLiteral("SELECT 操作员 FROM 操作流水表 ORDER BY 流水号 DESC")).toString(), QStringLiteral("王经理"));
    }

    void employeesAreNumberedPerDepartment()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        addDepartment(db, branch(QStringLiteral("一分店"), QStringLiteral("0001")), QStringLiteral("管理员"));
        db.execWrite(QStringLiteral("UPDATE 部门信息 SET 最后员工编号 = '02' WHERE 部门编号 = '0001'"));
        const Employee e = addEmployee(db, {{}, QStringLiteral(" 王小二 "), QStringLiteral("一分店"), QStringLiteral("机修组"),
                                            QStringLiteral("高级"), QStringLiteral("W2")}, QStringLiteral("管理员"));
        QCOMPARE(e.number, QStringLiteral("000103"));
        QCOMPARE(db.scalar(QStringLiteral("SELECT 最后员工编号 FROM 部门信息 WHERE 部门编号 = '0001'")).toString(), QStringLiteral("03"));
        const auto row = db.one(QStringLiteral("SELECT * FROM 员工信息表 WHERE 员工编号 = '000103'"));
        QCOMPARE(row->value("员工姓名").toString(), QStringLiteral("王小二"));
        QCOMPARE(row->value("组别").toString(), QStringLiteral("机修组"));
        QCOMPARE(row->value("员工代号").toString(), QStringLiteral("W2"));
        QCOMPARE(journalText(db), QStringLiteral("新增员工信息:王小二"));
        QCOMPARE(addEmployee(db, {{}, QStringLiteral("赵六"), store::kHeadOfficeName, {}, {}, {}}, QStringLiteral("管理员")).number,
                 QStringLiteral("000001"));
        QCOMPARE(employees(db, QStringLiteral("一分店")).size(), 1);
        QCOMPARE(employees(db).size(), 2);
    }

    void employeeEntriesAreChecked_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("department");
        QTest::addColumn<QString>("message");
        QTest::newRow("no name") << " " << "一分店" << "请输入员工姓名，然后再进行加入操作！";
        QTest::newRow("no department") << "王五" << "" << "请选择该员工的所在的分店，然后再进行保存！";
        QTest::newRow("five Chinese characters") << "欧阳小明华" << "一分店" << "员工姓名最长四个字(8个字节),请重新输入!";
        QTest::newRow("nine ASCII letters") << "Alexandra" << "一分店" << "员工姓名最长四个字(8个字节),请重新输入!";
        QTest::newRow("four Chinese characters fit") << "欧阳小明" << "一分店" << "";
        QTest::newRow("unknown department") << "王五" << "三分店" << "没有找到名为\"三分店\"的部门,请重新选择员工所在的分店!";
    }
    void employeeEntriesAreChecked()
    {
        QFETCH(QString, name);
        QFETCH(QString, department);
        QFETCH(QString, message);
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        addDepartment(db, branch(QStringLiteral("一分店"), QStringLiteral("0001")), QStringLiteral("管理员"));
        QCOMPARE(refusal([&] { addEmployee(db, {{}, name, department, {}, {}, {}}, QStringLiteral("管理员")); }), message);
        QCOMPARE(count(db, QStringLiteral("员工信息表")), message.isEmpty() ? 1 : 0);
        QCOMPARE(db.scalar(QStringLiteral("SELECT 最后员工编号 FROM 部门信息 WHERE 部门编号 = '0001'")).toString(),
                 message.isEmpty() ? QStringLiteral("01") : QStringLiteral("0000"));
    }

    void deletesRefuseClerks()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        addDepartment(db, branch(QStringLiteral("一分店"), QStringLiteral("0001")), QStringLiteral("管理员"));
        const Employee e = addEmployee(db, {{}, QStringLiteral("张三"), QStringLiteral("一分店"), {}, {}, {}}, QStringLiteral("管理员"));
        QCOMPARE(refusal([&] { deleteDepartment(db, QStringLiteral("0001"), clerk()); }), QStringLiteral("只有经理或管理员才能删除部门!"));
        QCOMPARE(refusal([&] { deleteEmployee(db, e.number, clerk()); }), QStringLiteral("只有经理或管理员才能删除员工信息!"));
        QCOMPARE(count(db, QStringLiteral("部门信息")), 2);
        QCOMPARE(count(db, QStringLiteral("员工信息表")), 1);
        deleteEmployee(db, e.number, manager());
        QCOMPARE(count(db, QStringLiteral("员工信息表")), 0);
        QCOMPARE(journalText(db), QStringLiteral("删除员工信息:张三"));
    }

    void theOperatorCodeTheChooserHandsOver()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        addDepartment(db, branch(QStringLiteral("二分店"), QStringLiteral("0002")), QStringLiteral("管理员"));
        const OperatorCodeProposal p = proposeOperatorCode(db, QStringLiteral("二分店"));
        QCOMPARE(p.code, QStringLiteral("000201"));
        QCOMPARE(p.sequence, QStringLiteral("01"));
        QCOMPARE(p.departmentCode, QStringLiteral("0002"));
        QCOMPARE(db.scalar(QStringLiteral("SELECT 最后操作员号 FROM 部门信息 WHERE 部门编号 = '0002'")).toString(), QStringLiteral("0000"));
    }
};

JC_TEST_MAIN(DepartmentsTest)
#include "tst_departments.moc"
