#pragma once
// Employees (员工信息表): the staff lists the note forms offer. An employee number is
// the department's code followed by its next two-digit employee sequence, reserved
// atomically when the employee is saved.

#include "admin/dept/deptservice.h"
#include "shell/common/operatorcontext.h"
#include "store/db.h"

#include <QList>

namespace admin {

struct Employee {
    QString number;       // 员工编号
    QString name;         // 员工姓名: at most 8 GBK bytes (four Chinese characters)
    QString department;   // 所在部门: the department's name
    QString group;        // 组别
    QString grade;        // 级别
    QString shortCode;    // 员工代号
};

inline constexpr int kEmployeeNameBytes = 8;

// All employees, or those of one department, in number order.
QList<Employee> employees(store::Db &db, const QString &departmentName = {});

// The employee grid: all employees, or one department's, in number order.
store::ListQuery employeeListQuery(const QString &departmentName = {});

// Adds the employee under the next number of its department, advances the counter and
// writes the journal entry "新增员工信息:", all in one transaction. Returns the row as
// saved. Refuses an empty or too long name, a missing department and a used-up counter.
Employee addEmployee(store::Db &db, const Employee &employee, const QString &operatorName);

// Deletes the employee of this number, journal entry "删除员工信息:" first. Refuses
// operators who may not delete.
void deleteEmployee(store::Db &db, const QString &number, const shell::OperatorContext &who);

} // namespace admin
