#include "admin/dept/deptservice.h"
#include "store/journal.h"
#include "store/numbering.h"
#include "store/ruleerror.h"

using store::Db;

namespace admin {

namespace {

const QString kSelect = QStringLiteral("SELECT 部门编号, 部门名称, 部门地址, 部门电话, 部门传真, 联系人 FROM 部门信息");

Department fromRecord(const QSqlRecord &r)
{
    return {r.value(0).toString(), r.value(1).toString(), r.value(2).toString(),
            r.value(3).toString(), r.value(4).toString(), r.value(5).toString()};
}

Department trimmed(Department d)
{
    for (QString *s : {&d.code, &d.name, &d.address, &d.phone, &d.fax, &d.contact})
        *s = s->trimmed();
    return d;
}

// The checks of both saves; exceptCode is the department being saved.
void checkDepartment(Db &db, const Department &d, const QString &exceptCode)
{
    if (d.name.isEmpty())
        throw store::RuleError(QStringLiteral("请输入部门的名称,该项不能为空！"), QStringLiteral("部门名称"));
    store::requireGbkWidth(d.name, 50, QStringLiteral("部门名称"));
    store::requireGbkWidth(d.address, 50, QStringLiteral("部门地址"));
    store::requireGbkWidth(d.phone, 24, QStringLiteral("部门电话"));
    store::requireGbkWidth(d.fax, 24, QStringLiteral("部门传真"));
    store::requireGbkWidth(d.contact, 50, QStringLiteral("联系人"));
    const QVariant other = db.scalar(QStringLiteral("SELECT 部门编号 FROM 部门信息 WHERE 部门名称 = ? AND 部门编号 <> ?"),
                                     {d.name, exceptCode.isNull() ? QStringLiteral("") : exceptCode});
    if (other.isValid())
        throw store::RuleError(QStringLiteral("部门名称\"%1\"已被部门%2使用,部门名称不能重复!").arg(d.name, other.toString()),
                        QStringLiteral("部门名称"));
}

QString nextWarehouseCode(Db &db, const QString &preferred)
{
    if (!db.exists(QStringLiteral("SELECT 1 FROM 仓库信息表 WHERE 仓库编号 = ?"), {preferred}))
        return preferred;
    const int highest = db.scalar(QStringLiteral("SELECT MAX(仓库编号) FROM 仓库信息表")).toString().toInt();
    if (highest >= 9999)
        throw store::RuleError(QStringLiteral("仓库编号已用完,无法为新部门建立仓库!"));
    return QStringLiteral("%1").arg(highest + 1, 4, 10, QLatin1Char('0'));
}

} // namespace

store::ListQuery departmentListQuery()
{
    return {QStringLiteral("SELECT 部门编号, 部门名称, 部门地址, 部门电话, 部门传真, 联系人, 最后操作员号 FROM 部门信息 "
                           "ORDER BY 部门编号"), {}};
}

QList<Department> departments(Db &db)
{
    QList<Department> list;
    QSqlQuery q = db.exec(kSelect + QStringLiteral(" ORDER BY 部门编号"));
    while (q.next())
        list.append(fromRecord(q.record()));
    return list;
}

std::optional<Department> departmentByCode(Db &db, const QString &code)
{
    const auto r = db.one(kSelect + QStringLiteral(" WHERE 部门编号 = ?"), {code.trimmed()});
    return r ? std::optional<Department>(fromRecord(*r)) : std::nullopt;
}

std::optional<Department> departmentByName(Db &db, const QString &name)
{
    const auto r = db.one(kSelect + QStringLiteral(" WHERE 部门名称 = ? ORDER BY 部门编号"), {name.trimmed()});
    return r ? std::optional<Department>(fromRecord(*r)) : std::nullopt;
}

QString nextDepartmentCode(Db &db)
{
    const QString highest = db.scalar(QStringLiteral("SELECT MAX(部门编号) FROM 部门信息")).toString().trimmed();
    bool ok = true;
    const int number = highest.isEmpty() ? 0 : highest.toInt(&ok);
    if (!ok)
        throw store::RuleError(QStringLiteral("部门编号\"%1\"不是数字,无法生成新的部门编号!").arg(highest));
    if (number >= 9999)
        throw store::RuleError(QStringLiteral("部门编号已用完(最多到9999),不能再新增部门!"));
    return QStringLiteral("%1").arg(number + 1, 4, 10, QLatin1Char('0'));
}

QString addDepartment(Db &db, const Department &department, const QString &operatorName)
{
    Department d = trimmed(department);
    store::Transaction tx(db);
    checkDepartment(db, d, d.code);
    if (d.code.isEmpty() || db.exists(QStringLiteral("SELECT 1 FROM 部门信息 WHERE 部门编号 = ?"), {d.code}))
        d.code = nextDepartmentCode(db);
    const QString zero8 = QStringLiteral("00000000"), zero4 = QStringLiteral("0000");
    db.execWrite(QStringLiteral("INSERT INTO 部门信息 (部门编号, 部门名称, 部门地址, 部门电话, 部门传真, 联系人, "
                                "最后入库单号, 最后出库单号, 最后美容单号, 最后装簧单号, "
                                "最后员工编号, 最后操作员号, 最后供应商号, 最后会员编号) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
                 {d.code, d.name, d.address, d.phone, d.fax, d.contact, zero8, zero8, zero8, zero8,
                  zero4, zero4, zero4, zero4});
    // The branch's warehouse carries its name; one left behind under that name is kept.
    if (!db.exists(QStringLiteral("SELECT 1 FROM 仓库信息表 WHERE 仓库名称 = ?"), {d.name}))
        db.execWrite(QStringLiteral("INSERT INTO 仓库信息表 (仓库编号, 仓库名称, 仓管员) VALUES (?, ?, ?)"),
                     {nextWarehouseCode(db, d.code), d.name, QString()});
    store::writeJournal(db, QStringLiteral("新增部门:") + d.name, operatorName);
    tx.commit();
    return d.code;
}

void updateDepartment(Db &db, const Department &department, const QString &operatorName)
{
    const Department d = trimmed(department);
    store::Transaction tx(db);
    const auto before = departmentByCode(db, d.code);
    if (!before)
        throw store::RuleError(QStringLiteral("没有找到编号为\"%1\"的部门,它可能已被删除!").arg(d.code));
    checkDepartment(db, d, d.code);
    const QString oldName = before->name;
    const bool renamed = oldName != d.name;
    if (renamed && (db.exists(QStringLiteral("SELECT 1 FROM 仓库信息表 WHERE 仓库名称 = ?"), {d.name})
                    || db.exists(QStringLiteral("SELECT 1 FROM 物品库存表 WHERE 仓库 = ?"), {d.name})))
        throw store::RuleError(QStringLiteral("已有名为\"%1\"的仓库或库存,部门不能改用这个名称!").arg(d.name),
                        QStringLiteral("部门名称"));
    db.execWrite(QStringLiteral("UPDATE 部门信息 SET 部门名称 = ?, 部门地址 = ?, 部门电话 = ?, 部门传真 = ?, 联系人 = ? "
                                "WHERE 部门编号 = ?"),
                 {d.name, d.address, d.phone, d.fax, d.contact, d.code});
    if (renamed) {
        db.execWrite(QStringLiteral("UPDATE 仓库信息表 SET 仓库名称 = ? WHERE 仓库名称 = ?"), {d.name, oldName});
        db.execWrite(QStringLiteral("UPDATE 物品库存表 SET 仓库 = ? WHERE 仓库 = ?"), {d.name, oldName});
        db.execWrite(QStringLiteral("UPDATE 操作员信息表 SET 所属部门 = ? WHERE 所属部门 = ?"), {d.name, oldName});
        db.execWrite(QStringLiteral("UPDATE 员工信息表 SET 所在部门 = ? WHERE 所在部门 = ?"), {d.name, oldName});
    }
    store::writeJournal(db, QStringLiteral("修改部门:") + d.name, operatorName);
    tx.commit();
}

void updateDepartments(Db &db, const QList<Department> &changed, const QString &operatorName)
{
    store::Transaction tx(db);
    for (const Department &d : changed)
        updateDepartment(db, d, operatorName);
    tx.commit();
}

DeleteResult deleteDepartment(Db &db, const QString &code, const shell::OperatorContext &who)
{
    if (!who.canDeleteOrModifyCompleted())
        throw store::RuleError(QStringLiteral("只有经理或管理员才能删除部门!"));
    if (code.trimmed() == kHeadOfficeCode)
        return DeleteResult::HeadOfficeKept;
    store::Transaction tx(db);
    const auto d = departmentByCode(db, code);
    if (!d)
        throw store::RuleError(QStringLiteral("没有找到编号为\"%1\"的部门,它可能已被删除!").arg(code));
    store::writeJournal(db, QStringLiteral("删除部门:") + d->name, who.name);
    db.execWrite(QStringLiteral("DELETE FROM 仓库信息表 WHERE 仓库名称 = ?"), {d->name});
    db.execWrite(QStringLiteral("DELETE FROM 部门信息 WHERE 部门编号 = ?"), {d->code});
    tx.commit();
    return DeleteResult::Deleted;
}

OperatorCodeProposal proposeOperatorCode(Db &db, const QString &departmentName)
{
    const auto d = departmentByName(db, departmentName);
    if (!d)
        throw store::RuleError(QStringLiteral("没有找到名为\"%1\"的部门!").arg(departmentName));
    try {
        const store::ReservedNumber n = store::peekNumber(db, store::CounterKind::Operator, d->code);
        return {n.departmentCode, n.sequence, n.number};
    } catch (const store::DbError &e) {
        throw store::RuleError(e.message());
    }
}

} // namespace admin
