#pragma once
// Departments (branches, 部门信息) and their warehouses. Row '0000' is the head office.
//
// Many parts of the program find a department, its warehouse, its operators and its
// employees by the department's NAME, so names are kept unique and a rename carries
// the new name to every row that looks the department up by name: its warehouse
// (仓库信息表), the stock rows of that warehouse, its operators' 所属部门 and its
// employees' 所在部门. Saved notes, ledger and cash-book rows keep the name they
// were written with.
//
// Every new department gets a warehouse row of the same name; deleting a branch
// deletes exactly the warehouse of its name. Each save is one transaction with its
// journal entry.

#include "shell/common/operatorcontext.h"
#include "store/db.h"
#include "store/listquery.h"

#include <QList>
#include <optional>

namespace admin {

struct Department {
    QString code;       // 部门编号
    QString name;       // 部门名称
    QString address;    // 部门地址
    QString phone;      // 部门电话
    QString fax;        // 部门传真
    QString contact;    // 联系人
};

inline const QString kHeadOfficeCode = QStringLiteral("0000");

// Every department in code order, with the columns the department form and chooser show
// and the operator counter the chooser hands on.
store::ListQuery departmentListQuery();

QList<Department> departments(store::Db &db);   // in code order
std::optional<Department> departmentByCode(store::Db &db, const QString &code);
std::optional<Department> departmentByName(store::Db &db, const QString &name);

// The code "新增" proposes: the highest code plus one, four digits ("0001" when there
// is none). Gaps are not reused. Throws store::RuleError past "9999".
QString nextDepartmentCode(store::Db &db);

// Adds the department with its counters at zero and its warehouse row, and writes the
// journal entry "新增部门:". The code is the proposed one unless another workstation
// took it meanwhile; the code given is returned. Refuses an empty, too long or
// already used name.
QString addDepartment(store::Db &db, const Department &department, const QString &operatorName);

// Saves an edited department (found by code) with the journal entry "修改部门:".
// A rename is carried to the rows that look the department up by name (above).
// Refuses an empty, too long or already used name.
void updateDepartment(store::Db &db, const Department &department, const QString &operatorName);

// Saves several edited departments, all or none.
void updateDepartments(store::Db &db, const QList<Department> &changed, const QString &operatorName);

enum class DeleteResult { Deleted, HeadOfficeKept };
// Deletes a branch and the warehouse of its name, journal entry first. The head
// office is never deleted (HeadOfficeKept, nothing written). Refuses operators who
// may not delete.
DeleteResult deleteDepartment(store::Db &db, const QString &code, const shell::OperatorContext &who);

// The code a new operator of the department gets: its code followed by 最后操作员号
// plus one, two digits (what the department chooser hands to the operator form).
struct OperatorCodeProposal {
    QString departmentCode;
    QString sequence;
    QString code;
};
OperatorCodeProposal proposeOperatorCode(store::Db &db, const QString &departmentName);

} // namespace admin
