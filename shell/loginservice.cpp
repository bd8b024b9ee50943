#include "shell/loginservice.h"
#include "store/blankdb.h"
#include "store/password.h"

namespace shell {

HeadOfficeInfo readHeadOffice(store::Db &db)
{
    HeadOfficeInfo info;
    const auto row = db.one(QStringLiteral("SELECT 部门名称, 车牌字头 FROM 部门信息 WHERE 部门编号 = ?"),
                            {store::kHeadOfficeCode});
    if (row) {
        info.found = true;
        info.name = row->value(0).toString();
        info.platePrefix = row->value(1).toString();
    }
    return info;
}

QString bannerText(const HeadOfficeInfo &headOffice, const QString &designText)
{
    if (headOffice.name == store::kHeadOfficeName)
        return designText;
    return headOffice.name;
}

static OperatorRecord operatorFrom(const QSqlRecord &r)
{
    return {r.value(QStringLiteral("操作员代号")).toString(), r.value(QStringLiteral("操作员姓名")).toString(),
            r.value(QStringLiteral("操作员类别")).toString(), r.value(QStringLiteral("所属部门")).toString(),
            r.value(QStringLiteral("部门编号")).toString()};
}

std::optional<OperatorRecord> findOperator(store::Db &db, const QString &code)
{
    const auto row = db.one(QStringLiteral("SELECT * FROM 操作员信息表 WHERE 操作员代号 = ?"), {code});
    if (!row)
        return std::nullopt;
    return operatorFrom(*row);
}

LoginResult logIn(store::Db &db, const QString &code, const QString &password,
                  const QString &departmentShown, OperatorRecord *who)
{
    if (code.trimmed().isEmpty())
        return LoginResult::EmptyCode;
    const auto row = db.one(QStringLiteral("SELECT * FROM 操作员信息表 WHERE 操作员代号 = ?"), {code});
    if (!row)
        return LoginResult::WrongPassword;
    const QString stored = row->value(QStringLiteral("操作员密码")).toString();
    if (!store::verifyPassword(stored, password))
        return LoginResult::WrongPassword;
    const OperatorRecord op = operatorFrom(*row);
    store::Transaction tx(db);
    if (!store::isPasswordHash(stored))
        db.execWrite(QStringLiteral("UPDATE 操作员信息表 SET 操作员密码 = ? WHERE 操作员代号 = ?"),
                     {store::hashPassword(password), code});
    db.execWrite(QStringLiteral("INSERT INTO 登录日志表 (登录时间, 操作员, 所属部门) VALUES (?, ?, ?)"),
                 {QDateTime::currentDateTime(), op.name, departmentShown});
    tx.commit();
    if (who)
        *who = op;
    return LoginResult::Ok;
}

bool isGranted(store::Db &db, const QString &operatorCode, const QString &functionName)
{
    return db.exists(QStringLiteral("SELECT 1 FROM 权限信息表 WHERE 操作员代号 = ? AND 功能名称 = ?"),
                     {operatorCode.trimmed(), functionName});
}

} // namespace shell
