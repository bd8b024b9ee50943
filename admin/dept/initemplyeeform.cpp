#include "admin/dept/initemplyeeform.h"
#include "admin/dept/deptservice.h"
#include "admin/dept/employeeservice.h"
#include "store/ruleerror.h"

#include "shell/common/database.h"
#include "shell/common/datagrid.h"
#include "shell/common/messages.h"
#include "shell/common/operatorcontext.h"
#include "shell/common/textrules.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace admin {

TInitEmplyeeForm::TInitEmplyeeForm(QWidget *parent) : FunctionForm(parent, QStringLiteral("员工设置"))
{
    resize(720, 480);
    auto *layout = new QVBoxLayout(body());
    auto *fields = new QGridLayout;
    layout->addLayout(fields);

    m_number = new QLabel(QStringLiteral("000000"), body());
    m_number->setObjectName(QStringLiteral("numberLabel"));
    m_name = new QLineEdit(body());
    shell::limitGbkBytes(m_name, kEmployeeNameBytes);
    m_department = new QComboBox(body());
    m_department->setObjectName(QStringLiteral("deptBox"));
    m_department->installEventFilter(this);
    m_shortCode = new QLineEdit(body());
    shell::limitGbkBytes(m_shortCode, 12);
    m_group = new QLineEdit(body());
    shell::limitGbkBytes(m_group, 24);
    m_grade = new QLineEdit(body());
    shell::limitGbkBytes(m_grade, 24);

    const QList<QPair<QString, QWidget *>> boxes = {
        {QStringLiteral("员工编号："), m_number}, {QStringLiteral("员工姓名："), m_name},
        {QStringLiteral("所属部门："), m_department}, {QStringLiteral("员工代号"), m_shortCode},
        {QStringLiteral("员工组别"), m_group}, {QStringLiteral("员工级别"), m_grade}};
    for (int i = 0; i < boxes.size(); ++i) {
        auto *label = new QLabel(boxes[i].first, body());
        label->setBuddy(boxes[i].second);
        fields->addWidget(label, i / 3, (i % 3) * 2);
        fields->addWidget(boxes[i].second, i / 3, (i % 3) * 2 + 1);
    }
    m_join = new QPushButton(QStringLiteral("加入"), body());
    fields->addWidget(m_join, 0, 6, 2, 1);
    setHint(m_join, QStringLiteral("将员工加入数据中!"));
    setHint(m_name, QStringLiteral("在这里输入员工姓名，最长四个字！!"));

    m_grid = new shell::DataGrid(body());
    m_grid->setAccessibleName(QStringLiteral("员工信息"));
    m_grid->setColumns({{QStringLiteral("员工编号")}, {QStringLiteral("员工代号")}, {QStringLiteral("员工姓名")},
                        {QStringLiteral("所在部门")}, {QStringLiteral("组别")}, {QStringLiteral("级别")}});
    layout->addWidget(m_grid, 1);
    setHint(m_grid, QStringLiteral("现在有的员工信息！!"));

    connect(addButton(QStringLiteral("删除"), QStringLiteral("按本按钮删除选定的员工!")), &QPushButton::clicked, this,
            &TInitEmplyeeForm::remove);
    addExitButton(QStringLiteral("按本按钮退出员工设置!"));
    connect(m_join, &QPushButton::clicked, this, &TInitEmplyeeForm::join);
    connect(m_department, &QComboBox::activated, this, &TInitEmplyeeForm::filterByDepartment);
    setEnterChain({m_department, m_name, m_shortCode, m_group, m_grade}, m_join);

    try {
        for (const Department &d : departments(shell::database()))
            m_department->addItem(d.name);
        m_department->setCurrentIndex(m_department->count() > 0 ? 0 : -1);
        showEmployees({});
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
}

void TInitEmplyeeForm::showEmployees(const QString &department)
{
    const store::ListQuery query = employeeListQuery(department);
    m_grid->showQuery(shell::database(), query.sql, query.params);
    m_shownDepartment = department;
}

void TInitEmplyeeForm::filterByDepartment()
{
    try {
        showEmployees(m_department->currentText());
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
}

bool TInitEmplyeeForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_department && event->type() == QEvent::FocusOut)
        filterByDepartment();
    return FunctionForm::eventFilter(watched, event);
}

void TInitEmplyeeForm::join()
{
    Employee e;
    e.name = m_name->text();
    e.department = m_department->currentText();
    e.shortCode = m_shortCode->text();
    e.group = m_group->text();
    e.grade = m_grade->text();
    try {
        const Employee saved = addEmployee(shell::database(), e, shell::currentOperator().name);
        m_number->setText(saved.number);
        showEmployees(m_shownDepartment);
        showStatus(QStringLiteral("员工信息保存成功！"));
        for (QLineEdit *box : {m_name, m_group, m_shortCode, m_grade})
            box->clear();
        m_number->clear();
        m_name->setFocus(Qt::OtherFocusReason);
    } catch (const store::RuleError &error) {
        shell::Messages::warning(this, error.message());
        (error.field() == QStringLiteral("所属部门") ? static_cast<QWidget *>(m_department) : m_name)
            ->setFocus(Qt::OtherFocusReason);
    } catch (const store::DbError &error) {
        shell::Messages::error(this, error.message());
    }
}

void TInitEmplyeeForm::remove()
{
    if (!shell::canDeleteOrModifyCompleted()) {
        shell::Messages::warning(this, QStringLiteral("只有经理或管理员才能删除员工信息!"));
        return;
    }
    const int row = m_grid->currentRow() >= 0 ? m_grid->currentRow() : (m_grid->isEmpty() ? -1 : 0);
    if (row < 0)
        return;
    if (!shell::Messages::question(this, QStringLiteral("您真的要删除该员工的信息吗？"), QStringLiteral("系统提示")))
        return;
    try {
        deleteEmployee(shell::database(), m_grid->value(row, QStringLiteral("员工编号")).toString(), shell::currentOperator());
        showEmployees(m_shownDepartment);
    } catch (const store::RuleError &error) {
        shell::Messages::warning(this, error.message());
    } catch (const store::DbError &error) {
        shell::Messages::error(this, error.message());
    }
}

} // namespace admin
