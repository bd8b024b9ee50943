#include "admin/dept/initdeptinfoform.h"
#include "admin/dept/deptservice.h"
#include "store/ruleerror.h"

#include "shell/common/database.h"
#include "shell/common/datagrid.h"
#include "shell/common/gridview.h"
#include "shell/common/messages.h"
#include "shell/common/operatorcontext.h"

#include <QPushButton>

namespace admin {

namespace {
const QString kCode = QStringLiteral("部门编号");
const QString kName = QStringLiteral("部门名称");

QVariantMap toLine(const Department &d)
{
    return {{kCode, d.code}, {kName, d.name}, {QStringLiteral("部门地址"), d.address},
            {QStringLiteral("部门电话"), d.phone}, {QStringLiteral("部门传真"), d.fax},
            {QStringLiteral("联系人"), d.contact}};
}

Department fromLine(const QVariantMap &l)
{
    return {l.value(kCode).toString(), l.value(kName).toString(), l.value(QStringLiteral("部门地址")).toString(),
            l.value(QStringLiteral("部门电话")).toString(), l.value(QStringLiteral("部门传真")).toString(),
            l.value(QStringLiteral("联系人")).toString()};
}

QList<shell::LineField> deptFields()
{
    return {{kCode, shell::LineField::Text, 4, {}},
            {kName, shell::LineField::Text, 50, {}},
            {QStringLiteral("部门地址"), shell::LineField::Text, 50, {}},
            {QStringLiteral("部门电话"), shell::LineField::Text, 24, {}},
            {QStringLiteral("部门传真"), shell::LineField::Text, 24, {}},
            {QStringLiteral("联系人"), shell::LineField::Text, 50, {}}};
}

QList<shell::GridColumn> deptColumns()
{
    shell::GridColumn code{kCode};
    code.readOnly = true;
    return {code, {kName}, {QStringLiteral("部门地址")}, {QStringLiteral("部门电话")},
            {QStringLiteral("部门传真")}, {QStringLiteral("联系人")}};
}
} // namespace

TInitDeptInfoForm::TInitDeptInfoForm(QWidget *parent)
    : SetupForm(parent, QStringLiteral("部门信息设置"), deptFields(), deptColumns())
{
    grid()->setAccessibleName(QStringLiteral("部门信息"));
    grid()->setMinimumSize(760, 320);
    setHint(grid(), QStringLiteral("在这里输入部门信息!"));
    setHint(grid()->view(), QStringLiteral("在这里输入部门信息!"));

    connect(addButton(QStringLiteral("新增"), QStringLiteral("按本按钮新增部门信息!")), &QPushButton::clicked, this,
            &TInitDeptInfoForm::addNew);
    connect(addButton(QStringLiteral("修改"), QStringLiteral("按本按钮修改部门信息!")), &QPushButton::clicked, this,
            &TInitDeptInfoForm::modify);
    connect(addButton(QStringLiteral("删除"), QStringLiteral("按本按钮删除部门信息!")), &QPushButton::clicked, this,
            &TInitDeptInfoForm::remove);
    connect(addButton(QStringLiteral("保存"), QStringLiteral("按本按钮保存部门信息!")), &QPushButton::clicked, this,
            &TInitDeptInfoForm::save);
    addExitButton(QStringLiteral("按本按钮退出!"));

    try {
        load();
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
}

void TInitDeptInfoForm::load()
{
    const QList<Department> list = departments(shell::database());
    lines()->clear();
    m_loaded.clear();
    for (const Department &d : list) {
        lines()->appendLine(toLine(d));
        m_loaded << lines()->line(lines()->lineCount() - 1);
    }
}

void TInitDeptInfoForm::addNew()
{
    if (isAdding()) {
        shell::Messages::info(this, QStringLiteral("您已按下了新增按钮，请先保存后再进行新增"));
        return;
    }
    try {
        load();
        beginAdding({{kCode, nextDepartmentCode(shell::database())}}, kName);
    } catch (const store::RuleError &e) {
        shell::Messages::error(this, e.message());
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
}

void TInitDeptInfoForm::modify()
{
    if (isAdding()) {
        shell::Messages::info(this, QStringLiteral("您正在新增一个部门，请选择保存后再进行修改！"));
        return;
    }
    beginModifying(kName);
}

void TInitDeptInfoForm::save()
{
    commitOpenEditors();
    const QString who = shell::currentOperator().name;
    try {
        if (isAdding()) {
            addDepartment(shell::database(), fromLine(lines()->line(newRow())), who);
            finishEditing();
            load();
            showStatus(QStringLiteral("新增部门保存成功！"));
            return;
        }
        QList<Department> changed;
        for (int row = 0; row < lines()->lineCount() && row < m_loaded.size(); ++row)
            if (lines()->line(row) != m_loaded.at(row))
                changed << fromLine(lines()->line(row));
        if (!changed.isEmpty())
            updateDepartments(shell::database(), changed, who);
        finishEditing();
        load();
        showStatus(QStringLiteral("修改部门保存成功！"));
    } catch (const store::RuleError &e) {
        shell::Messages::warning(this, e.message());
        if (isAdding())
            focusCell(newRow(), kName);
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
}

void TInitDeptInfoForm::remove()
{
    if (!shell::canDeleteOrModifyCompleted()) {
        shell::Messages::warning(this, QStringLiteral("只有经理或管理员才能删除部门!"));
        return;
    }
    const int row = grid()->currentRow();
    if (row < 0)
        return;
    if (!shell::Messages::question(this, QStringLiteral("若删除部门,可能会影响整个系统使用！小心删除！"),
                                   QStringLiteral("系统提示"), QMessageBox::Warning)) {
        showStatus(QStringLiteral("删除被取消了!"));
        return;
    }
    const QString code = lines()->value(row, kCode).toString();
    if (code == kHeadOfficeCode)
        return;
    try {
        // The unsaved new row just goes; a stored branch goes with its warehouse.
        if (!(isAdding() && row == newRow()))
            deleteDepartment(shell::database(), code, shell::currentOperator());
        finishEditing();
        load();
    } catch (const store::RuleError &e) {
        shell::Messages::warning(this, e.message());
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
}

} // namespace admin
