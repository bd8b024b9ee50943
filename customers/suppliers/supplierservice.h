#pragma once
// Suppliers (供销商信息表): the setup form adds, changes and deletes them, the stock
// forms pick their names through the supplier chooser. Codes are six digits from
// 100001 on, each new supplier the highest code plus one; a new supplier's name must not
// exist yet (a renamed one is not checked). Every save is one transaction with its
// journal entry.

#include "shell/common/operatorcontext.h"
#include "store/db.h"
#include "store/listquery.h"

#include <QList>
#include <QStringList>
#include <optional>

namespace customers {

struct Supplier {
    QString code;       // 供销商编号
    QString name;       // 供销商名称
    QString type;       // 供销商类型
    QString contact;    // 联系人
    QString position;   // 职务
    QString phone;      // 联系电话
    QString fax;        // 传真号码
    QString mobile;     // 手机号码
    QString payee;      // 收款全称
    QString bank;       // 开户行
    QString account;    // 帐号
    QString address;    // 联系地址
    QString email;      // 电子邮箱

    // Field values by column name, and back (unknown names are ignored).
    QVariantMap toMap() const;
    static Supplier fromMap(const QVariantMap &values);
};

// The columns of 供销商信息表 in table order, with their widths in GBK bytes.
struct SupplierColumn {
    QString name;
    int width;
};
const QList<SupplierColumn> &supplierColumns();

// The code after the highest one: n = highest + 1 (0 + 1 on an empty table);
// below six digits it is 100000 + n. Codes that are not all digits are passed over.
// Throws store::RuleError once six digits are used up.
QString nextSupplierCode(store::Db &db);
// The pure rule for a given highest code (empty: none); empty when used up.
QString supplierCodeAfter(const QString &highestCode);

QList<Supplier> suppliers(store::Db &db);       // in code order
std::optional<Supplier> supplierByCode(store::Db &db, const QString &code);
// Whether another supplier (not the one of exceptCode) already has this name.
bool supplierNameExists(store::Db &db, const QString &name, const QString &exceptCode = {});

inline const QString kSupplierNameRequired = QStringLiteral("请填写供销商的名称,这是必填项,谢谢合作!");
inline const QString kSupplierNameTaken = QStringLiteral("该供销商名称已经存在数据库中,请使用不同的供销商名称!");
inline const QString kSupplierDeleteRefused = QStringLiteral("只有经理或管理员才能删除供商信息!");

// Adds a new supplier. Refuses an empty name and a name that exists. The proposed code
// is kept unless another workstation took it meanwhile; then the next free code is
// given. Returns the code given. Journal "新增供应商信息:{name}".
QString addSupplier(store::Db &db, const Supplier &supplier, const QString &operatorName);
// Saves changed suppliers (found by code), all or none; an empty name is refused,
// names are not tested for duplicates. Journal "修改供应商信息:{name}" per supplier.
void updateSuppliers(store::Db &db, const QList<Supplier> &changed, const QString &operatorName);
// Deletes a supplier with the journal entry "删除供销商信息:{name}". Managers and
// administrators only. Stock notes naming the supplier keep the name.
void deleteSupplier(store::Db &db, const QString &code, const shell::OperatorContext &who);

// The chooser's list: every supplier, or those whose name contains the trimmed text
// (its own '%' and '_' match themselves).
store::ListQuery supplierListQuery(store::Db &db, const QString &search = {});

} // namespace customers
