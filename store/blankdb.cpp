#include "store/blankdb.h"
#include "store/functions.h"
#include "store/password.h"
#include "store/schema.h"

namespace store {

void createBlankDatabase(Db &db)
{
    if (!databaseTables(db).isEmpty())
        throw DbError(QStringLiteral("数据库 %1 不是空的,不能在其中建立新数据库").arg(db.settings().describe()));
    Transaction tx(db);
    createSchema(db);
    const QString zero8 = QStringLiteral("00000000"), zero4 = QStringLiteral("0000");
    db.execWrite(QStringLiteral(
        "INSERT INTO 部门信息 (部门编号, 部门名称, 部门地址, 部门电话, 部门传真, 联系人, 车牌字头, "
        "最后入库单号, 最后出库单号, 最后托修单号, 最后结算单号, 最后美容单号, 最后装簧单号, "
        "最后员工编号, 最后操作员号, 最后供应商号, 最后会员编号) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
        {kHeadOfficeCode, kHeadOfficeName, QString(), QString(), QString(), QString(), QString(),
         zero8, zero8, zero8, zero8, zero8, zero8, zero4, zero4, zero4, zero4});
    db.execWrite(QStringLiteral("INSERT INTO 仓库信息表 (仓库编号, 仓库名称, 仓管员) VALUES (?, ?, ?)"),
                 {kHeadOfficeCode, kHeadOfficeName, QString()});
    db.execWrite(QStringLiteral("INSERT INTO 操作员信息表 (操作员代号, 操作员姓名, 操作员类别, 操作员密码, 所属部门, 部门编号) "
                                "VALUES (?, ?, ?, ?, ?, ?)"),
                 {kSuperUserCode, kSuperUserName, QStringLiteral("管理员"), hashPassword(kInitialPassword),
                  kHeadOfficeName, kHeadOfficeCode});
    for (const QString &function : grantableFunctions())
        db.execWrite(QStringLiteral("INSERT INTO 权限信息表 (操作员代号, 功能名称) VALUES (?, ?)"), {kSuperUserCode, function});
    tx.commit();
}

} // namespace store
