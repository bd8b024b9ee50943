#include "shell/loginform.h"
#include "shell/common/database.h"
#include "shell/common/messages.h"
#include "shell/common/operatorcontext.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace shell {

namespace {
const QString kPasswordDefault = QStringLiteral("1");
}

TLoginForm::TLoginForm(QWidget *parent)
    : FunctionForm(parent, QStringLiteral("系统登录"))
{
    auto *layout = new QVBoxLayout(body());
    m_top = new QLabel(body());
    m_top->setAlignment(Qt::AlignCenter);
    m_top->setObjectName(QStringLiteral("topLabel"));
    layout->addWidget(m_top);

    auto *form = new QFormLayout;
    m_code = new QLineEdit(QStringLiteral("000000"), body());
    m_code->setMaxLength(6);
    m_department = new QLineEdit(body());
    m_department->setReadOnly(true);
    m_department->setFocusPolicy(Qt::NoFocus);
    m_password = new QLineEdit(kPasswordDefault, body());
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setMaxLength(24);
    auto addRow = [&](const QString &label, QLineEdit *box) {
        auto *l = new QLabel(label, body());
        l->setBuddy(box);
        form->addRow(l, box);
    };
    addRow(QStringLiteral("用户编号"), m_code);
    addRow(QStringLiteral("所在部门"), m_department);
    addRow(QStringLiteral("用户密码"), m_password);
    layout->addLayout(form);

    m_login = addButton(QStringLiteral("登录"));
    m_exit = addButton(QStringLiteral("退出"));
    connect(m_login, &QPushButton::clicked, this, &TLoginForm::logInClicked);
    connect(m_exit, &QPushButton::clicked, this, &QDialog::reject);
    setTabOrder(m_code, m_password);
    setTabOrder(m_password, m_login);
    setTabOrder(m_login, m_exit);
    setEnterChain({m_code, m_password}, m_login);
    setStatusBarHint(QStringLiteral("请输入六位用户编号，与密码登录系统！"));
    showStatus(QStringLiteral("请输入六位用户编号，与密码登录系统！"));
    m_code->installEventFilter(this);
    setMinimumSize(380, 280);
    m_code->setFocus();

    // Read before the operator is known: the banner and the plate prefix.
    try {
        m_headOffice = readHeadOffice(database());
    } catch (const store::DbError &e) {
        Messages::error(this, e.message());
    }
    OperatorContext context = currentOperator();
    context.platePrefix = m_headOffice.platePrefix;
    setCurrentOperator(context);
}

bool TLoginForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_code && event->type() == QEvent::FocusOut) {
        // Leaving through "退出" needs no look-up; neither does the box losing the focus
        // to the message the look-up itself shows.
        if (!m_lookingUp && QApplication::focusWidget() != m_exit && isVisible())
            lookUpCode();
    }
    return FunctionForm::eventFilter(watched, event);
}

void TLoginForm::lookUpCode()
{
    const QString code = m_code->text().trimmed();
    if (code.isEmpty())
        return;
    m_lookingUp = true;
    try {
        const auto op = findOperator(database(), code);
        if (op) {
            m_top->setText(op->name);
            m_department->setText(op->department);
            m_password->setFocus();
        } else {
            m_code->setFocus();
            m_code->clear();
            Messages::warning(this, QStringLiteral("用户编号不正确!,请重新输入!"), QStringLiteral("提示信息"));
        }
    } catch (const store::DbError &e) {
        Messages::error(this, e.message());
    }
    m_lookingUp = false;
}

void TLoginForm::logInClicked()
{
    if (m_code->text().trimmed().isEmpty()) {
        m_code->setFocus();
        m_top->setText(QStringLiteral("请输入用户编号!"));
        return;
    }
    OperatorRecord who;
    LoginResult result;
    try {
        result = logIn(database(), m_code->text(), m_password->text(), m_department->text(), &who);
    } catch (const store::DbError &e) {
        Messages::error(this, e.message());
        return;
    }
    if (result != LoginResult::Ok) {
        m_password->setFocus();
        m_password->clear();
        Messages::warning(this, QStringLiteral("您所输入的密码错误!请重新输入!!"), QStringLiteral("提示信息"));
        return;
    }
    OperatorContext context = currentOperator();
    context.code = who.code;
    context.name = who.name;
    context.category = who.category;
    context.department = who.department;
    setCurrentOperator(context);
    accept();
}

} // namespace shell
