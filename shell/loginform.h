#pragma once
#include "shell/common/formframe.h"
#include "shell/loginservice.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace shell {

// "系统登录": admits an operator and fills the operator context. Accepted on success;
// rejected by "退出".
class TLoginForm : public FunctionForm {
    Q_OBJECT
public:
    explicit TLoginForm(QWidget *parent = nullptr);

    // The head-office row read when the form was made (banner and plate prefix).
    const HeadOfficeInfo &headOffice() const { return m_headOffice; }

    QLineEdit *codeBox() const { return m_code; }
    QLineEdit *passwordBox() const { return m_password; }
    QLineEdit *departmentBox() const { return m_department; }
    QLabel *topLabel() const { return m_top; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void lookUpCode();
    void logInClicked();

    HeadOfficeInfo m_headOffice;
    QLabel *m_top;
    QLineEdit *m_code;
    QLineEdit *m_department;
    QLineEdit *m_password;
    QPushButton *m_login;
    QPushButton *m_exit;
    bool m_lookingUp = false;
};

} // namespace shell
