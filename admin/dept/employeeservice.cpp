#include "admin/dept/employeeservice.h"
#include "store/journal.h"
#include "store/numbering.h"
#include "store/ruleerror.h"

using store::Db;

namespace admin {

namespace {
const QString kSelect = QStringLiteral("SELECT 员工编号, 员工姓名, 所在部门, 组别, 级别, 员工代号 FROM 员工信息表");
} // namespace

store::ListQuery employeeListQuery(const QString &departmentName)
{
    if (departmentName.isEmpty())
        return {kSelect + QStringLiteral(" ORDER BY 员工编号"), {}};
    return {kSelect + QStringLiteral(" WHERE 所在部门 = ? ORDER BY 员工编号"), {departmentName}};
}

QList<Employee> employees(Db &db, const QString &departmentName)
{
    QList<Employee> list;
    const store::ListQuery query = employeeListQuery(departmentName);
    QSqlQuery q = db.exec(query.sql, query.params);
    while (q.next())
        list.append({q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                     q.value(3).toString(), q.value(4).toString(), q.value(5).toString()});
    return list;
}

Employee addEmployee(Db &db, const Employee &employee, const QString &operatorName)
{
    Employee e = employee;
    for (QString *s : {&e.name, &e.department, &e.group, &e.grade, &e.shortCode})
        *s = s->trimmed();
    if (e.name.isEmpty())
        throw store::RuleError(QStringLiteral("请输入员工姓名，然后再进行加入操作！"), QStringLiteral("员工姓名"));
    if (e.department.isEmpty())
        throw store::RuleError(QStringLiteral("请选择该员工的所在的分店，然后再进行保存！"), QStringLiteral("所属部门"));
    if (store::gbkWidth(e.name) > kEmployeeNameBytes)
        throw store::RuleError(QStringLiteral("员工姓名最长四个字(8个字节),请重新输入!"), QStringLiteral("员工姓名"));
    store::requireGbkWidth(e.shortCode, 12, QStringLiteral("员工代号"));
    store::requireGbkWidth(e.group, 24, QStringLiteral("员工组别"));
    store::requireGbkWidth(e.grade, 24, QStringLiteral("员工级别"));

    store::Transaction tx(db);
    const QString code = store::departmentCodeByName(db, e.department);
    if (code.isEmpty())
        throw store::RuleError(QStringLiteral("没有找到名为\"%1\"的部门,请重新选择员工所在的分店!").arg(e.department),
                        QStringLiteral("所属部门"));
    try {
        e.number = store::reserveNumber(db, store::CounterKind::Employee, code).number;
    } catch (const store::DbError &error) {
        throw store::RuleError(error.message(), QStringLiteral("所属部门"));
    }
    if (db.exists(QStringLiteral("SELECT 1 FROM 员工信息表 WHERE 员工编号 = ?"), {e.number}))
        throw store::RuleError(QStringLiteral("员工编号%1已经存在,请检查部门%2的最后员工编号!").arg(e.number, e.department));
    db.execWrite(QStringLiteral("INSERT INTO 员工信息表 (员工编号, 员工姓名, 所在部门, 组别, 级别, 员工代号) VALUES (?,?,?,?,?,?)"),
                 {e.number, e.name, e.department, e.group, e.grade, e.shortCode});
    store::writeJournal(db, QStringLiteral("新增员工信息:") + e.name, operatorName);
    tx.commit();
    return e;
}

void deleteEmployee(Db &db, const QString &number, const shell::OperatorContext &who)
{
    if (!who.canDeleteOrModifyCompleted())
        throw store::RuleError(QStringLiteral("只有经理或管理员才能删除员工信息!"));
    store::Transaction tx(db);
    const QVariant name = db.scalar(QStringLiteral("SELECT 员工姓名 FROM 员工信息表 WHERE 员工编号 = ?"), {number});
    if (!name.isValid())
        throw store::RuleError(QStringLiteral("没有找到编号为\"%1\"的员工,他可能已被删除!").arg(number));
    store::writeJournal(db, QStringLiteral("删除员工信息:") + name.toString(), who.name);
    db.execWrite(QStringLiteral("DELETE FROM 员工信息表 WHERE 员工编号 = ?"), {number});
    tx.commit();
}

} // namespace admin
