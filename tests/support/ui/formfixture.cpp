#include "tests/support/ui/formfixture.h"
#include "shell/common/database.h"
#include "shell/common/formregistry.h"
#include "tests/support/ui/uidriver.h"

#include <QDialog>

namespace testsupport::ui {

FormFixture::FormFixture(const QString &operatorCode, const QString &category, const QString &name)
{
    store::Db &d = m_database.db();
    const auto head = d.one(QStringLiteral("SELECT 部门名称, 车牌字头 FROM 部门信息 WHERE 部门编号 = ?"),
                            {QStringLiteral("0000")});
    m_operator.code = operatorCode;
    m_operator.name = name;
    m_operator.category = category;
    m_operator.department = head ? head->value(0).toString() : QString();
    m_operator.platePrefix = head ? head->value(1).toString() : QString();
    if (!d.exists(QStringLiteral("SELECT 1 FROM 操作员信息表 WHERE 操作员代号 = ?"), {operatorCode})) {
        d.execWrite(QStringLiteral("INSERT INTO 操作员信息表 (操作员代号, 操作员姓名, 操作员类别, 操作员密码, 所属部门, 部门编号) "
                                   "VALUES (?, ?, ?, ?, ?, ?)"),
                    {operatorCode, name, category, QString(), m_operator.department, QStringLiteral("0000")});
    }
    shell::setCurrentOperator(m_operator);
    shell::setDatabase(&d);

    m_owner = std::make_unique<QMainWindow>();
    m_owner->setWindowTitle(QStringLiteral("骏程汽车维修管理系统 6.01版"));
    m_owner->resize(840, 600);
    m_owner->show();
}

FormFixture::~FormFixture()
{
    // Forms still open go before the connection they use.
    m_owner.reset();
    shell::setDatabase(nullptr);
    shell::setCurrentOperator({});
}

void FormFixture::grant(const QString &functionName)
{
    db().execWrite(QStringLiteral("INSERT INTO 权限信息表 (操作员代号, 功能名称) VALUES (?, ?)"),
                   {m_operator.code, functionName});
}

QDialog *FormFixture::open(const QString &functionName)
{
    QDialog *form = shell::createForm(functionName, owner());
    if (form)
        showForm(form);
    return form;
}

void FormFixture::showForm(QWidget *form)
{
    form->show();
    activate(form);
}

} // namespace testsupport::ui
