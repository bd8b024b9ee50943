#include "admin/dept/registerdeptforms.h"
#include "admin/dept/initdeptinfoform.h"
#include "admin/dept/initemplyeeform.h"
#include "admin/dept/listdeptform.h"

#include "shell/common/formregistry.h"

namespace admin {

void registerDeptForms()
{
    const auto dept = [](QWidget *p) -> QDialog * { return new TInitDeptInfoForm(p); };
    const auto staff = [](QWidget *p) -> QDialog * { return new TInitEmplyeeForm(p); };
    shell::registerForm(QStringLiteral("TInitDeptInfoForm"), dept);
    shell::registerForm(QStringLiteral("部门信息设置"), dept);
    shell::registerForm(QStringLiteral("TInitEmplyeeForm"), staff);
    shell::registerForm(QStringLiteral("员工信息设置"), staff);
    shell::registerForm(QStringLiteral("TListDeptForm"), [](QWidget *p) -> QDialog * { return new TListDeptForm(p); });
}

} // namespace admin
