#pragma once
// "员工设置": adds employees one after another to the chosen department ("加入"), lists
// them (only the chosen department's once the department box is left) and deletes them.

#include "shell/common/formframe.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace shell { class DataGrid; }

namespace admin {

class TInitEmplyeeForm : public shell::FunctionForm {
    Q_OBJECT
public:
    explicit TInitEmplyeeForm(QWidget *parent);

    void join();        // "加入"
    void remove();      // "删除"
    // Lists only the chosen department's employees.
    void filterByDepartment();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showEmployees(const QString &department);

    QLabel *m_number;
    QLineEdit *m_name;
    QComboBox *m_department;
    QLineEdit *m_shortCode;
    QLineEdit *m_group;
    QLineEdit *m_grade;
    QPushButton *m_join;
    shell::DataGrid *m_grid;
    QString m_shownDepartment;
};

} // namespace admin
