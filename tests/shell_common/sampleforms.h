#pragma once
// Small forms built only from the common pieces, the way real forms use them:
// a fee list with date boxes, an Enter chain, hints, a footer grid and export, and a
// department chooser driven by its table of caller tags.

#include "shell/common/chooser.h"
#include "shell/common/formframe.h"
#include "shell/common/gridexport.h"

class QLineEdit;
class QPushButton;

namespace shell { class DataGrid; class DateBox; }

namespace sample {

// The statements a service would give the forms.
QString feeListSql();          // 现金帐表 rows between two dates, by 单据编号
QString departmentListSql();

class FeeListForm : public shell::FunctionForm {
    Q_OBJECT
public:
    explicit FeeListForm(QWidget *parent);

    shell::DateBox *fromBox;
    shell::DateBox *toBox;
    QLineEdit *conditionBox;    // upper case
    QLineEdit *amountBox;       // digits only
    QLineEdit *deptBox;         // double-click: department chooser, tag "收费查询"
    QPushButton *queryButton;
    QPushButton *exportButton;
    shell::DataGrid *grid;
    shell::ExportOptions exportOptions;

    void runQuery();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

class DeptChooser : public shell::ChooserForm {
    Q_OBJECT
public:
    explicit DeptChooser(QWidget *opener);
    static const QList<shell::ChooserTarget> &targets();
};

// Registers "测试收费查询" with the form registry.
void registerForms();

} // namespace sample
